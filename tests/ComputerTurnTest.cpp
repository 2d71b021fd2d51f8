// The computer's turn as the user sees it: who moves, where, and what stops it.
#include "GameFixture.h"
#include "ai/AlphaBeta.h"

#include <gtest/gtest.h>

namespace vornix::testing {
namespace {

class ComputerTurn : public GameFixture {
protected:
    std::vector<int> candidates() const
    {
        std::vector<int> cells;
        for (int n = 0; n < game.state().CandidateCount; ++n)
            cells.push_back(cellIndex(game.state().CandidateMoves[n]));
        return cells;
    }
};

// A position, the persona to move on it, and the cells it weighs best with their worth, by hand.
struct Reply {
    const char* name;
    void (Game::*choose)();
    Grid board;
    Coord lastHumanMove;
    std::int32_t bestValue; // kUnchecked where the rules leave it unsaid
    std::vector<int> candidates;
};

constexpr std::int32_t kUnchecked = 1 << 30;

class PersonaReply : public ComputerTurn, public ::testing::WithParamInterface<Reply> {};

TEST_P(PersonaReply, WeighsTheCellsAsItsRulesSay)
{
    (game.*GetParam().choose)();
    board(GetParam().board);
    st().LastHumanMove = GetParam().lastHumanMove;
    game.Mygo_Click();
    if (GetParam().bestValue != kUnchecked) {
        EXPECT_EQ(st().BestValue, GetParam().bestValue);
    }
    EXPECT_EQ(candidates(), GetParam().candidates);
    EXPECT_EQ(countPieces(st().GridContents, kCross), countPieces(GetParam().board, kCross) + 1);
    EXPECT_EQ(window.gauge.back(), st().GameOver ? 0.0F : 16.0F);
}

const int k300 = cellIndex(3, 0, 0);

INSTANTIATE_TEST_SUITE_P(
    Personas, PersonaReply,
    ::testing::Values(
        Reply{"BelwinBlocksTheOnlyOpenThree", &Game::EvaluateMenu_Click, gridWith({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}),
              {}, -42, {k300}},
        Reply{"BelwinCompletesItsOwnLine", &Game::EvaluateMenu_Click,
              gridWith({{0, 3, 3}, {1, 3, 3}}, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}), {}, 10000000, {k300}},
        // Six inner cells tie on a lone corner nought.
        Reply{"BelwinTiesTheInnerCells", &Game::EvaluateMenu_Click, gridWith({{0, 0, 0}}), {}, kUnchecked,
              {37, 25, 41, 22, 38, 26}},
        Reply{"ToviAnswersTheLineTheHumanJustExtended", &Game::CommonSenseMenu_Click,
              gridWith({{0, 0, 0}, {1, 0, 0}}, {{1, 1, 1}}), {1, 0, 0}, 120, {k300}},
        Reply{"ToviBlocksThreeInARow", &Game::CommonSenseMenu_Click,
              gridWith({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {{1, 1, 1}, {2, 2, 2}}), {2, 0, 0}, 2056, {k300}},
        Reply{"QuenBlocksTheOpenThree", &Game::MiniMaxMenu_Click,
              gridWith({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {{1, 1, 1}, {2, 2, 1}}), {}, kUnchecked, {k300}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComputerTurn, TheDrawPicksAmongTheTiedCells)
{
    game.EvaluateMenu_Click();
    board(gridWith({{0, 0, 0}}));
    window.draws = {0.99};
    game.Mygo_Click();
    EXPECT_EQ(st().GridContents[26], kCross); // the last of the six
}

TEST_F(ComputerTurn, ToviStillMovesWhenTheLastHumanMoveNamesACross)
{
    // Taking that cross away makes every cell look worse than nothing; a best cell is played anyway.
    game.CommonSenseMenu_Click();
    board(gridWith({{0, 1, 0}, {0, 2, 0}}, {{0, 0, 0}}));
    st().LastHumanMove = {0, 0, 0};
    game.Mygo_Click();
    EXPECT_EQ(countPieces(st().GridContents, kCross), 2);
}

TEST_F(ComputerTurn, QuenWithOneCellLeftPlaysItAtMinusOneMillion)
{
    game.MiniMaxMenu_Click();
    Grid g = gridOf(kDrawnBoard);
    g[63] = kEmpty;
    board(g);
    game.Mygo_Click();
    EXPECT_EQ(st().BestValue, -1000000);
    EXPECT_NE(st().GridContents[63], kEmpty);
}

// Noughts on (1, 0, 0), (2, 0, 0) and (3, 0, 0): Quen must block at (0, 0, 0). With crosses on
// these 13 cells and that one, the board holds 20 lines of one cross, 14 of two and 6 of three
// (counted line by line), so with weights 0, 994, 0, w, 0 it scores -(994 x 20 + 14w + 9999 x 6):
// exactly -80000 for w = 9, and -80014 for w = 10. Only a score below -80000 is Quen's win.
TEST_F(ComputerTurn, QuensWinNeedsAScoreBelowMinusEightyThousand)
{
    game.MiniMaxMenu_Click();
    for (auto [twoCrosses, message] : {std::pair{9, ""}, {10, "Ho, ho, ho; I win"}}) {
        game.NewGameMenu_Click();
        Grid g{};
        for (int cell : {4, 5, 8, 15, 17, 20, 32, 40, 42, 48, 51, 57, 63})
            g[cell] = kCross;
        for (int cell : {1, 2, 3})
            g[cell] = kNought;
        board(g);
        st().weights = {0, 994, 0, twoCrosses, 0};
        window.messages.clear();
        game.Mygo_Click();
        ASSERT_EQ(st().GridContents[0], kCross);
        EXPECT_EQ(window.messages.empty() ? "" : window.messages.back(), message) << twoCrosses;
    }
}

// A new game chosen while a persona searches: the search stops at once and places nothing.
struct Interrupted {
    const char* name;
    void (Game::*choose)();
    int atYield;
};

class NewGameDuringASearch : public ComputerTurn, public ::testing::WithParamInterface<Interrupted> {};

TEST_P(NewGameDuringASearch, LeavesNoStrayCross)
{
    (game.*GetParam().choose)();
    game.cell_MouseUp(0, MouseButton::Right);
    window.onYield = [this](int yields) {
        if (yields == GetParam().atYield)
            game.NewGameMenu_Click();
    };
    game.Mygo_Click();
    EXPECT_EQ(st().GridContents, Grid{});
    EXPECT_EQ(st().TurnNumber, 0);
    EXPECT_EQ(window.yields, GetParam().atYield);
    EXPECT_EQ(st().ReadyGauge, 16.0F);
}

INSTANTIATE_TEST_SUITE_P(Personas, NewGameDuringASearch,
                         ::testing::Values(Interrupted{"Quen", &Game::MiniMaxMenu_Click, 5},
                                           Interrupted{"Morvid", &Game::AlphaBetaMenu_Click, 20},
                                           Interrupted{"Zeddon", &Game::ZeddonMenu_Click, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComputerTurn, QuenGivesUpWhenTheGaugeIsAlreadyFull)
{
    game.MiniMaxMenu_Click();
    window.onYield = [this](int yields) {
        if (yields == 2)
            st().ReadyGauge = 16.0F;
    };
    game.Mygo_Click();
    EXPECT_EQ(window.yields, 4); // the rest of the first row
    EXPECT_EQ(countPieces(st().GridContents, kCross), 0);
}

TEST_F(ComputerTurn, MorvidYieldsBeforeEveryCellAndStepsTheGaugeSixteenTimes)
{
    board(gridWith({{0, 0, 0}}));
    window.gauge.clear();
    game.Mygo_Click();
    EXPECT_EQ(window.yields, 64);
    // Play and the search each close the gauge, then sixteen steps of one.
    EXPECT_EQ(window.gauge, (std::vector<float>{0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
}

TEST_F(ComputerTurn, MorvidKeepsItsDepthForTheWholeMove)
{
    game.SearchDepthMenu_Click(2);
    board(gridWith({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {{1, 1, 1}, {2, 2, 2}}));
    window.onYield = [this](int yields) {
        if (yields == 3)
            game.SearchDepthMenu_Click(5);
    };
    game.Mygo_Click();
    EXPECT_EQ(candidates(), std::vector<int>{k300});
    EXPECT_EQ(st().SearchDepth, 5);
}

TEST_F(ComputerTurn, MorvidStillMovesWhenEveryCellFallsBelowTheFloor)
{
    // Noughts threaten two double completions; at depth 3 every cross is worth less than -1000000.
    const Grid g = gridOf("OOO....O..XO...OX....X..XX.....O.X..X.....X....O..X..XX.....OOO.");
    board(g);
    game.Mygo_Click();
    EXPECT_EQ(st().CandidateCount, 0);
    EXPECT_EQ(countPieces(st().GridContents, kCross), countPieces(g, kCross) + 1);
}

TEST_F(ComputerTurn, SnibbetPlaysARandomFreeCellShowingEachCellAgain)
{
    game.CMenu_Click();
    board(gridWith({{0, 0, 0}}));
    window.draws = {0.0, 0.0, 0.5};
    game.Mygo_Click();
    EXPECT_EQ(st().CandidateCount, 63);
    EXPECT_EQ(window.visibilityChanges, 2 * 63);
    EXPECT_EQ(std::count(window.visible.begin(), window.visible.end(), true), 64);
    EXPECT_EQ(countPieces(st().GridContents, kCross), 1);
}

TEST_F(ComputerTurn, ASkippedReplyLeavesTheGaugeAtZero)
{
    st().SkipReply = true;
    st().TurnNumber = 7;
    game.Play();
    EXPECT_EQ(st().ReadyGauge, 0.0F);
    EXPECT_FALSE(st().SkipReply);
    EXPECT_EQ(window.turnCaption, "Turn: 7");
    EXPECT_EQ(countPieces(st().GridContents, kCross), 0);
}

TEST_F(ComputerTurn, AFinishedBoardEndsTheGameInsteadOfMoving)
{
    board(gridWith({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}}, {{1, 1, 1}}));
    game.EvaluateMenu_Click();
    game.Play();
    EXPECT_EQ(window.messages, std::vector<std::string>{"Congratulations you beat me!"});
    EXPECT_EQ(countPieces(st().GridContents, kCross), 1);
}

TEST_F(ComputerTurn, OnAFullBoardNothingIsPlaced)
{
    board(gridOf(kDrawnBoard));
    for (auto choose : {&Game::EvaluateMenu_Click, &Game::CommonSenseMenu_Click, &Game::MiniMaxMenu_Click,
                        &Game::AlphaBetaMenu_Click, &Game::ZeddonMenu_Click}) {
        (game.*choose)();
        game.Play();
        EXPECT_EQ(st().TurnNumber, 0);
        EXPECT_EQ(st().GridContents, gridOf(kDrawnBoard));
    }
}

} // namespace
} // namespace vornix::testing

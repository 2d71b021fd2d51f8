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

TEST_F(ComputerTurn, BelwinBlocksTheOnlyOpenThree)
{
    game.EvaluateMenu_Click();
    board(gridWith({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}));
    game.Mygo_Click();
    EXPECT_EQ(st().BestValue, -42);
    EXPECT_EQ(window.captions[cellIndex(3, 0, 0)], "X");
    EXPECT_EQ(window.gauge.back(), 16.0F);
}

TEST_F(ComputerTurn, BelwinCompletesItsOwnLineAndWins)
{
    game.EvaluateMenu_Click();
    board(gridWith({{0, 3, 3}, {1, 3, 3}}, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}));
    game.Mygo_Click();
    EXPECT_EQ(st().BestValue, 10000000);
    EXPECT_EQ(window.messages.back(), "Ho, ho, ho; I win");
    EXPECT_EQ(st().GameOver, -1);
}

TEST_F(ComputerTurn, TheDrawPicksAmongTheTiedCells)
{
    game.EvaluateMenu_Click();
    board(gridWith({{0, 0, 0}}));
    window.draws = {0.99};
    game.Mygo_Click();
    // Six inner cells tie; a draw of 0.99 takes the last of them.
    EXPECT_EQ(candidates(), (std::vector<int>{37, 25, 41, 22, 38, 26}));
    EXPECT_EQ(st().GridContents[26], kCross);
}

TEST_F(ComputerTurn, ToviAnswersTheLineTheHumanJustExtended)
{
    game.CommonSenseMenu_Click();
    board(gridWith({{0, 0, 0}, {1, 0, 0}}, {{1, 1, 1}}));
    st().LastHumanMove = {1, 0, 0};
    game.Mygo_Click();
    EXPECT_EQ(st().BestValue, 120);
    EXPECT_EQ(candidates(), std::vector<int>{cellIndex(3, 0, 0)});
}

TEST_F(ComputerTurn, ToviBlocksThreeInARow)
{
    game.CommonSenseMenu_Click();
    board(gridWith({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {{1, 1, 1}, {2, 2, 2}}));
    st().LastHumanMove = {2, 0, 0};
    game.Mygo_Click();
    EXPECT_EQ(st().BestValue, 2056);
    EXPECT_EQ(window.captions[cellIndex(3, 0, 0)], "X");
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

TEST_F(ComputerTurn, QuenBlocksTheOpenThree)
{
    game.MiniMaxMenu_Click();
    board(gridWith({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {{1, 1, 1}, {2, 2, 1}}));
    game.Mygo_Click();
    EXPECT_EQ(window.captions[cellIndex(3, 0, 0)], "X");
    EXPECT_EQ(window.yields, 59);
    EXPECT_EQ(window.gauge.back(), 16.0F);
}

TEST_F(ComputerTurn, QuenWithOneCellLeftPlaysItAtMinusOneMillion)
{
    game.MiniMaxMenu_Click();
    Grid g = gridOf(kDrawnBoard);
    g[cellIndex(3, 3, 3)] = kEmpty;
    board(g);
    game.Mygo_Click();
    EXPECT_EQ(st().BestValue, -1000000);
    EXPECT_NE(st().GridContents[63], kEmpty);
}

TEST_F(ComputerTurn, ANewGameDuringQuensSearchLeavesNoStrayCross)
{
    game.MiniMaxMenu_Click();
    game.cell_MouseUp(0, MouseButton::Right);
    window.onYield = [this](int yields) {
        if (yields == 5)
            game.NewGameMenu_Click();
    };
    game.Mygo_Click();
    EXPECT_EQ(st().GridContents, Grid{});
    EXPECT_EQ(st().TurnNumber, 0);
    EXPECT_EQ(window.yields, 5);
}

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
    ASSERT_EQ(window.gauge.size(), 18U);
    EXPECT_EQ(window.gauge[2], 1.0F);
    EXPECT_EQ(window.gauge[17], 16.0F);
    EXPECT_EQ(countPieces(st().GridContents, kCross), 1);
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
    EXPECT_EQ(candidates(), std::vector<int>{cellIndex(3, 0, 0)});
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
    AlphaBetaEngine engine;
    engine.reset(g, EvalWeights{}, 3);
    const Choice unfloored = searchRoot(engine, g, -1000000000);
    int placed = -1;
    for (int n = 0; n < 64; ++n)
        if (st().GridContents[n] != g[n])
            placed = n;
    const std::vector<int> best(unfloored.candidates.cells.begin(),
                                unfloored.candidates.cells.begin() + unfloored.candidates.count);
    EXPECT_NE(std::find(best.begin(), best.end(), placed), best.end());
}

TEST_F(ComputerTurn, ANewGameDuringMorvidsSearchLeavesNoStrayCross)
{
    game.cell_MouseUp(0, MouseButton::Right);
    window.onYield = [this](int yields) {
        if (yields == 20)
            game.NewGameMenu_Click();
    };
    game.Mygo_Click();
    EXPECT_EQ(st().GridContents, Grid{});
    EXPECT_EQ(window.yields, 20);
    EXPECT_EQ(st().ReadyGauge, 16.0F);
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
    const Grid g = gridOf(kDrawnBoard);
    board(g);
    for (auto choose : {&Game::EvaluateMenu_Click, &Game::CommonSenseMenu_Click, &Game::MiniMaxMenu_Click,
                        &Game::AlphaBetaMenu_Click}) {
        (game.*choose)();
        const std::int32_t turn = st().TurnNumber;
        game.Play();
        EXPECT_EQ(st().TurnNumber, turn);
        EXPECT_EQ(st().GridContents, g);
    }
}

} // namespace
} // namespace vornix::testing

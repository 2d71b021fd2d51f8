// The status bar's words, the move list, reviewing, copy and paste, and the board's scaling.
#include "GameFixture.h"
#include "review/Paste.h"
#include "review/Verdict.h"
#include "view/BoardGeometry.h"

#include <gtest/gtest.h>

#include <variant>

namespace vornix::testing {
namespace {

class Review : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        game.EvaluateMenu_Click();
    }
    std::string captionsOf() const
    {
        std::string text;
        for (const std::string& c : window.captions)
            text += c.empty() ? "." : c;
        return text;
    }
};

// Belwin answers a nought in the corner with its first of six ties, layer 3, row 2, column 2.
TEST_F(Review, TheStatusAndTheMoveListFollowTheGame)
{
    EXPECT_EQ(window.status, "You: noughts · Opponent: Belwin · Your turn");
    game.cell_MouseUp(0, MouseButton::Left);
    EXPECT_EQ(window.status, "You: noughts · Opponent: Belwin · Your turn · Crosses: layer 3, row 2, column 2");
    EXPECT_EQ(game.moveRows(), (std::vector<std::string>{"1. Noughts: layer 1, row 1, column 1",
                                                         "2. Crosses: layer 3, row 2, column 2 (computer)"}));
    game.cell_MouseUp(63, MouseButton::Right); // no reply: noughts go again
    game.cell_MouseUp(3, MouseButton::Right);
    EXPECT_EQ(game.moveRows().back(), "4. Noughts: layer 1, row 1, column 4 (extra go)");
    game.SwapMenu_Click();
    game.cell_MouseUp(12, MouseButton::Right);
    EXPECT_EQ(game.moveRows().back(), "5. Noughts: layer 1, row 4, column 1 (after a swap)");
    // Turning the view renames every row's cell with its piece: a quarter turn about z takes the
    // corner 111 to another corner of layer 1.
    game.ZClockMenu_Click();
    EXPECT_NE(game.moveRows()[0], "1. Noughts: layer 1, row 1, column 1");
    EXPECT_EQ(game.moveRows()[0].substr(0, 21), "1. Noughts: layer 1, ");
    game.AlphaBetaMenu_Click();
    game.SearchDepthMenu_Click(4);
    game.NewGameMenu_Click();
    EXPECT_EQ(window.status, "You: noughts · Opponent: Morvid, depth 4 · Your turn");
    std::string thinking;
    window.onYield = [&](int) { thinking = window.status; };
    game.cell_MouseUp(0, MouseButton::Left);
    EXPECT_EQ(thinking, "You: noughts · Opponent: Morvid, depth 4 · Morvid is thinking…");
    window.onYield = nullptr;
    game.NewGameMenu_Click();
    EXPECT_TRUE(game.moveRows().empty());
    game.RanomHvH_Click();
    game.NoughtsFirstMenu_Click();
    game.NewGameMenu_Click();
    EXPECT_EQ(window.status, "Two players · Noughts' turn");
    for (int cell : {0, 16, 1, 17, 2, 18, 3})
        game.cell_MouseUp(cell, MouseButton::Left);
    EXPECT_EQ(window.status, "Two players · Noughts won after 7 placements");
}

TEST_F(Review, AReviewShowsAnEarlierPositionAndChangesNothing)
{
    game.cell_MouseUp(0, MouseButton::Left);
    game.cell_MouseUp(63, MouseButton::Left);
    const GameState before = st();
    const std::string now = captionsOf();
    ASSERT_TRUE(game.review(1));
    EXPECT_EQ(captionsOf(), "O" + std::string(63, '.'));
    EXPECT_EQ(window.status, "Reviewing placement 1 of 4 — Esc returns");
    game.cell_MouseUp(5, MouseButton::Left); // the board takes no piece in a review
    EXPECT_EQ(st(), before);
    EXPECT_FALSE(game.mayPlayFrom(1)); // crosses are to move after it: the computer's turn
    EXPECT_TRUE(game.mayPlayFrom(2));
    game.endReview();
    EXPECT_EQ(captionsOf(), now);
    EXPECT_EQ(st(), before);
    game.playFrom(2); // exactly an undo to there
    EXPECT_EQ(st().TurnNumber, 2);
    EXPECT_TRUE(st().Cheated);
    EXPECT_EQ(game.moveRows().size(), 4U); // redo still reaches the rest, as after undo
}

TEST_F(Review, VerdictsComeOnceTheGameIsOverOrWithAnalysisAndMarkTheTurn)
{
    game.RanomHvH_Click();
    game.NoughtsFirstMenu_Click();
    game.NewGameMenu_Click();
    for (int cell : {0, 16, 1, 17})
        game.cell_MouseUp(cell, MouseButton::Left);
    EXPECT_TRUE(game.positionsToJudge().empty()); // not during a game
    game.setAnalysis(true);
    EXPECT_TRUE(st().Cheated);
    const std::vector<Game::Judging> asked = game.positionsToJudge();
    ASSERT_EQ(asked.size(), 4U);
    EXPECT_EQ(asked[0].toMove, kNought); // the latest first
    EXPECT_EQ(piecesOn(asked[0].grid), 4);
    game.setVerdict(asked[1], Verdict::CrossesWin); // whatever the judge says, it is shown where it belongs
    game.setVerdict(asked[0], Verdict::Neither);
    game.setVerdict(asked[3], Verdict::Unknown);
    EXPECT_EQ(game.moveRows()[2], "3. Noughts: layer 1, row 1, column 2 — crosses win by force");
    EXPECT_EQ(game.moveRows()[3], "4. Crosses: layer 2, row 1, column 2 — neither can force a win — turning point");
    EXPECT_EQ(game.moveRows()[0], "1. Noughts: layer 1, row 1, column 1");
    EXPECT_EQ(game.positionsToJudge().size(), 1U); // an unsettled one is not asked again
    game.setAnalysis(false);
    EXPECT_EQ(game.moveRows()[3], "4. Crosses: layer 2, row 1, column 2");
    game.NewGameMenu_Click();
    EXPECT_FALSE(st().Cheated);
}

struct PasteCase {
    const char* name;
    std::string text;
    const char* refusal; // the reason's opening words; nullptr: accepted
};

class Pasting : public ::testing::TestWithParam<PasteCase> {};

TEST_P(Pasting, AcceptsGamesAndPositionsAndRefusesTheRest)
{
    const Pasted pasted = readPaste(GetParam().text);
    const auto* refusal = std::get_if<PasteRefusal>(&pasted);
    if (GetParam().refusal == nullptr) {
        EXPECT_EQ(refusal, nullptr) << refusal->reason;
    } else {
        ASSERT_NE(refusal, nullptr);
        EXPECT_EQ(refusal->reason.rfind(GetParam().refusal, 0), 0U) << refusal->reason;
    }
}

const std::string kRow = "OOO.XXX." + std::string(56, '.');

INSTANTIATE_TEST_SUITE_P(
    Texts, Pasting,
    ::testing::Values(PasteCase{"notation", " 111 222,141\n", nullptr}, PasteCase{"indexes", "0 21 3", nullptr},
                      PasteCase{"position", kRow, nullptr}, PasteCase{"empty", "  ", "There is nothing"},
                      PasteCase{"twice", "111 0", "That is neither"}, PasteCase{"cell 64", "64", "That is neither"},
                      PasteCase{"letters", "hello", "That is neither"},
                      PasteCase{"lowercase", "o" + std::string(63, '.'), "A position is 64"},
                      PasteCase{"counts", "OO" + std::string(62, '.'), "One side has"},
                      PasteCase{"won position", "OOOOXXX." + std::string(56, '.'), "That position has"},
                      PasteCase{"line then more", "0 16 1 17 2 18 3 19", "A line is completed before placement 8"},
                      PasteCase{"line at the end", "0 16 1 17 2 18 3", "The last placement"}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name)
            c = c == ' ' ? '_' : c;
        return name;
    });

TEST_F(Review, PastingAGameReplaysItAndAPositionStartsThere)
{
    game.paste("111 444");
    EXPECT_EQ(captionsOf(), "O" + std::string(62, '.') + "X");
    EXPECT_EQ(game.gameForCopy(), "111 444");
    EXPECT_EQ(game.moveRows().size(), 2U);
    EXPECT_TRUE(st().Cheated);

    game.paste("1 2 3"); // crosses to move: the computer replies at once
    EXPECT_EQ(st().TurnNumber, 4);

    const std::string position = "O...X" + std::string(59, '.');
    game.paste(position);
    EXPECT_EQ(game.positionForCopy(), position);
    EXPECT_EQ(captionsOf(), position);
    EXPECT_TRUE(game.moveRows().empty());
    game.cell_MouseUp(5, MouseButton::Left);
    EXPECT_EQ(game.moveRows().front(), "3. Noughts: layer 1, row 2, column 2");
    game.TakeBackMenu_Click();
    game.TakeBackMenu_Click(); // undo stops at the pasted position
    EXPECT_EQ(captionsOf(), position);
    window.chosenFile = window.folder / "game.VRNX";
    game.SaveGameMenu_Click();
    EXPECT_FALSE(std::filesystem::exists(window.folder / "game.VRNX"));
    EXPECT_EQ(window.messages.back().rfind("This game began from a pasted position", 0), 0U);

    const std::string shown = captionsOf();
    game.paste("OOOOXXX." + std::string(56, '.'));
    EXPECT_EQ(captionsOf(), shown);
    EXPECT_EQ(window.messages.back().rfind("Nothing was pasted. That position has a completed line", 0), 0U);
}

struct Fit {
    int width, height, cell;
    PixelRect expected;
};

class Scaling : public ::testing::TestWithParam<Fit> {};

// Designed for 428 by 335 pixels: cell 0 at (8, 8), 25 by 33; cell 63 at (392, 288).
TEST_P(Scaling, TheBoardGrowsByOneFactorAndStaysCentred)
{
    const Fit f = GetParam();
    EXPECT_EQ(cellBox(f.cell, fitBoard(f.width, f.height)), f.expected);
}

INSTANTIATE_TEST_SUITE_P(Areas, Scaling,
                         ::testing::Values(Fit{428, 335, 0, {8, 8, 25, 33}}, Fit{428, 335, 63, {392, 288, 25, 33}},
                                           Fit{856, 670, 0, {16, 16, 50, 66}}, Fit{856, 670, 63, {784, 576, 50, 66}},
                                           Fit{1028, 335, 0, {308, 8, 25, 33}}, Fit{856, 1000, 0, {16, 181, 50, 66}},
                                           Fit{300, 200, 0, {8, 8, 25, 33}}));

} // namespace
} // namespace vornix::testing

namespace vornix::testing {
namespace {

struct VerdictCase {
    const char* name;
    std::string position; // 64 characters
    std::int32_t toMove;
    Verdict expected;
};

class Verdicts : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(Verdicts, SettleWhatCanBeSettledAndNoMore)
{
    const Pasted pasted = readPaste(GetParam().position);
    Grid grid{};
    if (const auto* p = std::get_if<PastedPosition>(&pasted))
        grid = p->grid;
    else
        for (int cell = 0; cell < kCells; ++cell) // a finished board is refused by paste
            grid[cell] = GetParam().position[cell] == 'O' ? kNought : GetParam().position[cell] == 'X' ? kCross : kEmpty;
    Judge judge;
    EXPECT_EQ(judge.judge(grid, GetParam().toMove), GetParam().expected);
}

// Row 1 of layer 1 is cells 0-3; row 2 is 4-7; column 1 of layer 1 is 0, 4, 8, 12.
INSTANTIATE_TEST_SUITE_P(
    Positions, Verdicts,
    ::testing::Values(
        VerdictCase{"line_done", "OOOO" + std::string(12, '.') + "XXX" + std::string(45, '.'), kCross, Verdict::NoughtsWin},
        VerdictCase{"three_to_move", "OOO." + std::string(12, '.') + "XX.X" + std::string(44, '.'), kNought,
                    Verdict::NoughtsWin},
        VerdictCase{"three_other_to_move", "OOO." + std::string(12, '.') + "XX.X" + std::string(44, '.'), kCross,
                    Verdict::CrossesWin},
        // Noughts threaten cell 3 and cell 12 at once; crosses, to move, can block only one.
        VerdictCase{"two_threats", "OOO.O...O..." + std::string(4, '.') + "X.X.X..X.X" + std::string(38, '.'), kCross,
                    Verdict::NoughtsWin},
        VerdictCase{"opening", "O" + std::string(20, '.') + "X" + std::string(42, '.'), kNought, Verdict::Unknown}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Verdicts, AGameTurnsOnlyWhereAProvedWinIsProvedGone)
{
    EXPECT_TRUE(turnsTheGame(Verdict::NoughtsWin, Verdict::CrossesWin));
    EXPECT_TRUE(turnsTheGame(Verdict::CrossesWin, Verdict::Neither));
    EXPECT_FALSE(turnsTheGame(Verdict::NoughtsWin, Verdict::Unknown)); // never on a blank
    EXPECT_FALSE(turnsTheGame(Verdict::Unknown, Verdict::CrossesWin));
    EXPECT_FALSE(turnsTheGame(Verdict::Neither, Verdict::NoughtsWin));
    EXPECT_FALSE(turnsTheGame(Verdict::CrossesWin, Verdict::CrossesWin));
}

} // namespace
} // namespace vornix::testing

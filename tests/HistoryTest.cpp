// Undo, redo, swapping the men and extra turns for the computer.
#include "GameFixture.h"

#include <gtest/gtest.h>

namespace vornix::testing {
namespace {

class History : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        game.EvaluateMenu_Click();
    }
    // Four placements: two human noughts and two computer replies.
    void playFour()
    {
        game.cell_MouseUp(0, MouseButton::Left);
        game.cell_MouseUp(63, MouseButton::Left);
        ASSERT_EQ(st().TurnNumber, 4);
    }
};

TEST_F(History, UndoStepsBackTwoPlacementsAndRedoReturns)
{
    playFour();
    const Grid four = st().GridContents;
    game.TakeBackMenu_Click();
    EXPECT_EQ(st().GridContents, gridWith({{0, 0, 0}}, {{1, 1, 2}})); // Belwin's first of six ties
    EXPECT_EQ(window.turnCaption, "Turn: 2");
    EXPECT_TRUE(enabled(MenuItem::RedoMoveMenu));
    EXPECT_TRUE(enabled(MenuItem::TakeBackMenu));
    EXPECT_EQ(window.captions[63], "");
    game.RedoMoveMenu_Click();
    EXPECT_EQ(st().GridContents, four);
    EXPECT_FALSE(enabled(MenuItem::RedoMoveMenu));
    EXPECT_EQ(window.beeps, 0);
    EXPECT_TRUE(st().Cheated);
}

TEST_F(History, EachEndOfTheHistoryBeepsOnce)
{
    game.cell_MouseUp(0, MouseButton::Right);
    game.TakeBackMenu_Click(); // from the first placement to the empty board
    EXPECT_EQ(st().GridContents, Grid{});
    EXPECT_EQ(window.turnCaption, "Turn: 0");
    EXPECT_FALSE(enabled(MenuItem::TakeBackMenu));
    EXPECT_EQ(window.beeps, 1);
    playFour();
    game.BackInTime(3);
    game.RedoMoveMenu_Click(); // past the latest placement
    EXPECT_EQ(st().TurnNumber, 4);
    EXPECT_EQ(window.beeps, 2);
}

TEST_F(History, UndoingAFinishedGameReopensTheBoardAndTheGameStaysCheated)
{
    playFour();
    game.Lose();
    game.TakeBackMenu_Click();
    EXPECT_EQ(st().GameOver, 0);
    EXPECT_EQ(st().ReadyGauge, 16.0F);
    EXPECT_EQ(window.pointers[30], Pointer::Piece);
    game.RedoMoveMenu_Click();
    EXPECT_EQ(st().GameOver, 0);
    game.TakeBackMenu_Click();
    game.cell_MouseUp(30, MouseButton::Left);
    EXPECT_EQ(st().LatestTurn, st().TurnNumber);
    EXPECT_FALSE(enabled(MenuItem::RedoMoveMenu));
}

// Undo and redo bring a won board back as it was: over, taking no piece, with nothing to hint.
TEST_F(History, RedoOntoAWonBoardFindsTheGameOver)
{
    for (int cell : {0, 1, 2})
        game.cell_MouseUp(cell, MouseButton::Right);
    game.cell_MouseUp(3, MouseButton::Left); // a line of four noughts
    game.TakeBackMenu_Click();
    game.RedoMoveMenu_Click();
    ASSERT_EQ(st().GridContents, gridWith({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}}, {}));
    EXPECT_EQ(st().GameOver, -1);
    game.cell_MouseUp(30, MouseButton::Left);
    EXPECT_EQ(st().GridContents[30], kEmpty);
    window.messages.clear();
    game.HintMenu_Click();
    EXPECT_EQ(window.messages, std::vector<std::string>{"The game is over: there is no move to hint at."});
    EXPECT_EQ(window.marks.hint, -1);
}

TEST_F(History, SwappingExchangesEveryPieceAndAnotherTurnMovesAgainBothCheating)
{
    game.SwapMenu_Click(); // even on an empty board
    EXPECT_TRUE(st().Cheated);
    board(gridWith({{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, {{3, 0, 0}, {0, 3, 0}}));
    game.SwapMenu_Click();
    EXPECT_EQ(st().GridContents, gridWith({{3, 0, 0}, {0, 3, 0}}, {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}));
    EXPECT_EQ(window.captions[cellIndex(3, 0, 0)], "O");
    EXPECT_EQ(window.captions[0], "X");
    EXPECT_EQ(window.pointers[0], Pointer::Arrow);
    game.NewGameMenu_Click();
    game.AnotherGoMenu_Click();
    game.AnotherGoMenu_Click();
    EXPECT_EQ(countPieces(st().GridContents, kCross), 2);
    EXPECT_TRUE(st().Cheated);
}

TEST_F(History, TwoHumansCannotSwapOrGiveTheComputerATurn)
{
    game.NoughtsFirstMenu_Click();
    game.NewGameMenu_Click();
    game.cell_MouseUp(0, MouseButton::Left);
    game.SwapMenu_Click();
    game.AnotherGoMenu_Click();
    EXPECT_EQ(window.messages, std::vector<std::string>(2, "You can only do that in single player games."));
    EXPECT_EQ(st().GridContents[0], kNought);
    EXPECT_FALSE(st().Cheated);
}

TEST_F(History, NothingChangesTheBoardWhileTheComputerThinks)
{
    game.AlphaBetaMenu_Click();
    game.cell_MouseUp(0, MouseButton::Right);
    Grid during{};
    window.onYield = [&](int yields) {
        if (yields != 10)
            return;
        game.TakeBackMenu_Click();
        game.SwapMenu_Click();
        game.ZClockMenu_Click();
        game.AnotherGoMenu_Click();
        during = st().GridContents;
    };
    game.AnotherGoMenu_Click();
    EXPECT_EQ(during, gridWith({{0, 0, 0}}));
    EXPECT_EQ(countPieces(st().GridContents, kCross), 1);
    EXPECT_EQ(window.yields, 64);
}

TEST_F(History, NoStatePlacesOrRedoesPastTheEndOfTheHistory)
{
    // Counters that no game can reach: every placement, step and computer turn stays inside the
    // history and leaves the settings beside it alone.
    game.CommonSenseMenu_Click();
    st().TurnNumber = 64;
    st().LatestTurn = 64;
    for (int cell : {0, 21, 42, 5, 17})
        game.cell_MouseUp(cell, MouseButton::Right);
    game.AnotherGoMenu_Click();
    EXPECT_LE(st().TurnNumber, 65);
    st().LatestTurn = 1000;
    game.RedoMoveMenu_Click();
    EXPECT_EQ(window.beeps, 2);
    EXPECT_EQ(st().SearchDepth, 3);
    EXPECT_EQ(st().weights, EvalWeights{});
    EXPECT_EQ(countPieces(st().GridContents, kCross), 1);
}

// Between two humans every placement changes sides, so after an undo or a redo the number of
// placements and who began tell whose turn it is.
struct TwoHumansStep {
    const char* name;
    bool noughtsBegin;
    std::vector<int> clicks;
    std::vector<bool> steps; // true: undo, false: redo
    const char* caption;
    const char* nextPiece;
};

class TwoHumansUndo : public GameFixture, public ::testing::WithParamInterface<TwoHumansStep> {};

TEST_P(TwoHumansUndo, TheRestoredPositionSaysWhoseTurnItIs)
{
    const TwoHumansStep& p = GetParam();
    p.noughtsBegin ? game.NoughtsFirstMenu_Click() : game.CrossesFirstMenu_Click();
    game.NewGameMenu_Click();
    for (int cell : p.clicks)
        game.cell_MouseUp(cell, MouseButton::Left);
    for (bool undo : p.steps)
        undo ? game.TakeBackMenu_Click() : game.RedoMoveMenu_Click();
    EXPECT_EQ(window.turnCaption, p.caption);
    game.cell_MouseUp(40, MouseButton::Left);
    EXPECT_EQ(window.captions[40], p.nextPiece);
}

INSTANTIATE_TEST_SUITE_P(
    History, TwoHumansUndo,
    ::testing::Values(TwoHumansStep{"OneNoughtUndone", true, {0}, {true}, "Turn: 0     Nought's turn.", "O"},
                      TwoHumansStep{"OneCrossUndone", false, {0}, {true}, "Turn: 0     Cross' turn.", "X"},
                      TwoHumansStep{"ThreeBackToOne", true, {0, 1, 2}, {true}, "Turn: 1     Cross' turn.", "X"},
                      TwoHumansStep{"UndoneAndRedone", true, {0, 1, 2}, {true, false}, "Turn: 3     Cross' turn.",
                                    "X"},
                      TwoHumansStep{"CrossesBeganFourBackToTwo", false, {0, 1, 2, 3}, {true},
                                    "Turn: 2     Cross' turn.", "X"}),
    [](const auto& info) { return std::string(info.param.name); });

// Noughts along (t, 0, 0) and (3, t, 0) meet at (3, 0, 0): a nought there threatens two lines.
class Hint : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        game.EvaluateMenu_Click();
        board(gridOf("OO.....O...O.........X....................................X....."));
        st().TurnNumber = 6;
    }
};

TEST_F(Hint, ShowsThePlayerTheForcedWinAndCountsAsBendingTheRules)
{
    game.HintMenu_Click();
    EXPECT_EQ(window.marks.hint, cellIndex(3, 0, 0));
    EXPECT_EQ(window.messages, std::vector<std::string>{"You can force a win from here."});
    EXPECT_TRUE(st().Cheated);
    game.cell_MouseUp(cellIndex(3, 3, 3), MouseButton::Left); // the next placement ends it
    EXPECT_EQ(window.marks.hint, -1);
}

// A swap puts another position on the board: the hint was for the old one.
TEST_F(Hint, GoesWithThePositionItWasFor)
{
    game.HintMenu_Click();
    ASSERT_EQ(window.marks.hint, cellIndex(3, 0, 0));
    game.SwapMenu_Click();
    EXPECT_EQ(window.marks.hint, -1);
}

TEST_F(Hint, ForCrossesToMoveBetweenTwoHumansItBlocks)
{
    game.NoughtsFirstMenu_Click();
    game.NewGameMenu_Click();
    board(gridOf("OO.....O...O.........X....................................X....."));
    st().NoughtsToMove = false;
    game.HintMenu_Click();
    EXPECT_TRUE(window.marks.hint == 2 || window.marks.hint == 3 || window.marks.hint == 15) << window.marks.hint;
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(Hint, IsRefusedWhileTheComputerThinks)
{
    game.AlphaBetaMenu_Click();
    window.onYield = [this](int yields) {
        if (yields == 1)
            game.HintMenu_Click();
    };
    game.cell_MouseUp(cellIndex(3, 3, 3), MouseButton::Left);
    EXPECT_EQ(window.marks.hint, -1);
    EXPECT_FALSE(st().Cheated);
}

} // namespace
} // namespace vornix::testing

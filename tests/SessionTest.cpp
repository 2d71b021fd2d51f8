// Starting games, the human's placements and the computer's placement primitive.
#include "GameFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace vornix::testing {
namespace {

class Session : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        game.EvaluateMenu_Click(); // a quick, predictable opponent
    }
};

TEST_F(Session, ProgramStartsWithAnEmptyOpenBoardAndTheDefaultSettings)
{
    EXPECT_EQ(countPieces(st().GridContents, kEmpty), 64);
    EXPECT_EQ(window.turnCaption, "Turn: 0");
    EXPECT_EQ(st().ReadyGauge, 16.0F);
    EXPECT_EQ(window.backgrounds[0], (Rgb{200, 200, 0}));
    EXPECT_EQ(window.foregrounds[0], (Rgb{0, 0, 200}));
    EXPECT_EQ(window.backgrounds[63], (Rgb{11, 200, 189}));
    EXPECT_EQ(window.foregrounds[63], (Rgb{189, 0, 11}));
    EXPECT_EQ(window.fonts[17], "Arial");
    EXPECT_EQ(st().SearchDepth, 3);
    EXPECT_EQ(st().weights, EvalWeights{});
}

TEST_F(Session, HumanFirstGivesAnEmptyBoardWithUndoAndRedoDisabled)
{
    game.cell_MouseUp(5, MouseButton::Left);
    game.NewGameMenu_Click();
    EXPECT_EQ(countPieces(st().GridContents, kEmpty), 64);
    EXPECT_EQ(window.captions[5], "");
    EXPECT_EQ(window.turnCaption, "Turn: 0");
    EXPECT_EQ(st().ReadyGauge, 16.0F);
    EXPECT_FALSE(enabled(MenuItem::TakeBackMenu));
    EXPECT_FALSE(enabled(MenuItem::RedoMoveMenu));
    EXPECT_EQ(st().LatestTurn, 0);
    EXPECT_EQ(st().BoardHistory[0], Grid{});
}

TEST_F(Session, ComputerFirstStartsWithOneCross)
{
    game.ComputerFirstMenu_Click();
    game.NewGameMenu_Click();
    EXPECT_EQ(countPieces(st().GridContents, kCross), 1);
    EXPECT_EQ(st().TurnNumber, 1);
    EXPECT_TRUE(enabled(MenuItem::TakeBackMenu));
    EXPECT_EQ(window.turnCaption, "Turn: 1");
}

TEST_F(Session, RandomFirstLetsTheComputerStartOnADrawUpToOneHalf)
{
    game.RandomFirstMenu_Click();
    window.draws = {0.5};
    game.NewGameMenu_Click();
    EXPECT_EQ(st().TurnNumber, 1);
    window.draws = {0.51};
    game.NewGameMenu_Click();
    EXPECT_EQ(st().TurnNumber, 0);
}

TEST_F(Session, LeftClickPlacesANoughtAndTheComputerReplies)
{
    game.cell_MouseUp(cellIndex(0, 0, 0), MouseButton::Left);
    EXPECT_EQ(window.captions[0], "O");
    EXPECT_EQ(st().TurnNumber, 2);
    EXPECT_EQ(countPieces(st().GridContents, kCross), 1);
    EXPECT_EQ(window.turnCaption, "Turn: 2");
    EXPECT_EQ(st().LastHumanMove, (Coord{0, 0, 0}));
    EXPECT_FALSE(st().Cheated);
    // The computer's reply to a corner is one of the six inner cells off its lines.
    const int reply = cellIndex(st().CandidateMoves[0]);
    EXPECT_EQ(st().CandidateCount, 6);
    EXPECT_EQ(window.captions[reply], "X");
    EXPECT_EQ(window.marks.latestCross, reply);
}

TEST_F(Session, RightClickIsAnExtraGoThatMarksTheGameCheated)
{
    game.cell_MouseUp(9, MouseButton::Right);
    EXPECT_EQ(window.captions[9], "O");
    EXPECT_EQ(st().TurnNumber, 1);
    EXPECT_EQ(countPieces(st().GridContents, kCross), 0);
    EXPECT_EQ(st().ReadyGauge, 16.0F);
    EXPECT_TRUE(st().Cheated);
}

TEST_F(Session, MiddleClickPlacesACrossForTheComputerAndRemembersTheCell)
{
    game.cell_MouseUp(cellIndex(2, 1, 3), MouseButton::Middle);
    EXPECT_EQ(window.captions[cellIndex(2, 1, 3)], "X");
    EXPECT_EQ(st().GridContents[cellIndex(2, 1, 3)], kCross);
    EXPECT_EQ(st().TurnNumber, 1);
    EXPECT_TRUE(st().Cheated);
    EXPECT_EQ(st().LastHumanMove, (Coord{2, 1, 3}));
}

TEST_F(Session, ClicksOnOccupiedCellsOrAClosedBoardAreIgnored)
{
    game.cell_MouseUp(9, MouseButton::Right);
    game.cell_MouseUp(9, MouseButton::Left);
    EXPECT_EQ(st().TurnNumber, 1);
    st().ReadyGauge = 8.0F;
    game.cell_MouseUp(10, MouseButton::Left);
    EXPECT_EQ(window.captions[10], "");
    EXPECT_EQ(st().TurnNumber, 1);
}

TEST_F(Session, TwoHumansStartingWithCrossesAlternate)
{
    game.CrossesFirstMenu_Click();
    game.NewGameMenu_Click();
    EXPECT_EQ(window.turnCaption, "Turn: 0     Cross' turn.");
    EXPECT_EQ(window.cursors[4], PieceCursor::Cross);
    game.cell_MouseUp(4, MouseButton::Left);
    EXPECT_EQ(window.captions[4], "X");
    EXPECT_EQ(window.turnCaption, "Turn: 1     Nought's turn.");
    EXPECT_EQ(window.cursors[4], PieceCursor::Nought);
    game.cell_MouseUp(5, MouseButton::Left);
    EXPECT_EQ(window.captions[5], "O");
    EXPECT_EQ(st().TurnNumber, 2);
    EXPECT_EQ(st().LastHumanMove, (Coord{}));
}

TEST_F(Session, RandomTwoHumanGameGivesCrossesTheMoveOnADrawUpToOneHalfAndKeepsTheCaption)
{
    game.RanomHvH_Click();
    window.draws = {0.5};
    game.NewGameMenu_Click();
    EXPECT_TRUE(st().TwoPlayerGame);
    EXPECT_FALSE(st().NoughtsToMove);
    EXPECT_EQ(window.turnCaption, "Turn: 0");
    window.draws = {0.51};
    game.NewGameMenu_Click();
    EXPECT_TRUE(st().NoughtsToMove);
}

TEST_F(Session, ANewGameForgetsTheLastGamesCheatingPlayersCursorAndEnd)
{
    game.NoughtsFirstMenu_Click();
    game.NewGameMenu_Click();
    EXPECT_EQ(window.turnCaption, "Turn: 0     Nought's turn.");
    game.cell_MouseUp(0, MouseButton::Right); // crosses to move now, and a cheat
    game.Lose();
    game.HumanFirstMenu_Click();
    game.NewGameMenu_Click();
    EXPECT_FALSE(st().Cheated);
    EXPECT_FALSE(st().TwoPlayerGame);
    EXPECT_EQ(st().GameOver, 0);
    EXPECT_EQ(window.cursors, (std::array<PieceCursor, 64>{})); // all noughts
}

// While the computer thinks every cell shows the busy pointer and refuses clicks; afterwards all
// 64 offer the piece again, occupied ones too.
TEST_F(Session, TheComputersTurnShowsItselfBusyAndRefusesClicks)
{
    game.AlphaBetaMenu_Click();
    std::array<Pointer, 64> during{};
    window.onYield = [&](int yields) {
        if (yields == 1) {
            during = window.pointers;
            game.cell_MouseUp(40, MouseButton::Left);
        }
    };
    game.cell_MouseUp(0, MouseButton::Left);
    std::array<Pointer, 64> busy;
    busy.fill(Pointer::Busy);
    EXPECT_EQ(during, busy);
    EXPECT_EQ(window.captions[40], "");
    std::array<Pointer, 64> piece;
    piece.fill(Pointer::Piece);
    EXPECT_EQ(window.pointers, piece);
}

TEST_F(Session, ARefusedClickStillPutsBackTheCellsColour)
{
    st().ReadyGauge = 8.0F;
    game.cell_MouseDown(10, 1);
    EXPECT_EQ(window.backgrounds[10], (Rgb{255, 0, 255}));
    game.cell_MouseUp(10, MouseButton::Left);
    EXPECT_EQ(window.backgrounds[10], (Rgb{170, 200, 30}));
    EXPECT_EQ(window.captions[10], "");
}

TEST_F(Session, ReopeningTheBoardOffersThePieceOnFreeCellsOnly)
{
    game.cell_MouseUp(0, MouseButton::Right);
    game.DisableBox();
    game.EnableBox();
    EXPECT_EQ(window.pointers[0], Pointer::Arrow);
    EXPECT_EQ(std::count(window.pointers.begin(), window.pointers.end(), Pointer::Piece), 63);
}

TEST_F(Session, PlaceRefusesASecondCrossInOneTurnAndReportsOccupiedCells)
{
    st().ComputerHasMoved = false;
    EXPECT_EQ(game.place(1, 2, 3), 0);
    EXPECT_EQ(game.place(0, 0, 0), 0);
    EXPECT_EQ(st().GridContents[0], kEmpty);
    EXPECT_EQ(st().TurnNumber, 1);
    st().ComputerHasMoved = false;
    EXPECT_EQ(game.place(1, 2, 3), kCross);
    EXPECT_EQ(st().TurnNumber, 1);
}

TEST_F(Session, UndoAfterASecondNewGameShowsTheEmptyBoard)
{
    game.cell_MouseUp(0, MouseButton::Left);
    game.NewGameMenu_Click();
    game.cell_MouseUp(63, MouseButton::Left);
    game.TakeBackMenu_Click();
    EXPECT_EQ(st().GridContents, Grid{});
    EXPECT_EQ(window.captions[63], "");
}

// The click's own computer turn yields; a new game for two humans asked for then starts once the
// turn has unwound, and is not the interrupted click's to change.
TEST_F(Session, ANewGameStartedWhileTheComputerAnswersIsLeftAsItStarts)
{
    game.AlphaBetaMenu_Click();
    window.onYield = [this](int yields) {
        if (yields == 1) {
            game.NoughtsFirstMenu_Click();
            game.NewGameMenu_Click();
        }
    };
    game.cell_MouseUp(0, MouseButton::Left);
    window.onYield = nullptr;
    EXPECT_EQ(window.turnCaption, "Turn: 0     Nought's turn.");
    game.cell_MouseUp(5, MouseButton::Left);
    EXPECT_EQ(window.captions[5], "O");
}

class Hover : public GameFixture {};

TEST_F(Hover, MovingBetweenCellsHighlightsTheNewAndRestoresTheOld)
{
    game.cell_MouseMove(5, 0);
    game.cell_MouseMove(6, 0);
    EXPECT_EQ(window.backgrounds[6], (Rgb{0, 0, 255}));
    EXPECT_EQ(window.backgrounds[5], (Rgb{185, 200, 15}));
}

TEST_F(Hover, TheButtonHeldChoosesTheColour)
{
    game.cell_MouseDown(7, 1);
    EXPECT_EQ(window.backgrounds[7], (Rgb{255, 0, 255}));
    game.cell_MouseDown(7, 2);
    EXPECT_EQ(window.backgrounds[7], (Rgb{255, 0, 0}));
    game.cell_MouseDown(7, 4);
    EXPECT_EQ(window.backgrounds[7], (Rgb{255, 0, 0}));
    game.Form_MouseMove();
    EXPECT_EQ(window.backgrounds[7], Game::normalBackground(7));
}

TEST_F(Hover, CrossesToPlaceInATwoHumanGameHighlightWhite)
{
    game.CrossesFirstMenu_Click();
    game.NewGameMenu_Click();
    game.cell_MouseMove(8, 0);
    EXPECT_EQ(window.backgrounds[8], (Rgb{255, 255, 255}));
}

TEST_F(Hover, AFinishedGameHighlightsNothing)
{
    game.Win();
    game.cell_MouseMove(4, 0);
    EXPECT_EQ(window.backgrounds[4], Game::normalBackground(4));
}

} // namespace
} // namespace vornix::testing

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

// Each type of game as a new game starts it, with the draw of a random type: who moves first, and
// what the caption and the cursor say.
struct Start {
    const char* name;
    void (Game::*type)();
    double draw;
    int crosses;
    const char* caption;
    PieceCursor cursor;
};

class NewGame : public Session, public ::testing::WithParamInterface<Start> {};

TEST_P(NewGame, StartsAsItsTypeSays)
{
    game.cell_MouseUp(5, MouseButton::Left);
    (game.*GetParam().type)();
    window.draws = {GetParam().draw};
    game.NewGameMenu_Click();
    EXPECT_EQ(countPieces(st().GridContents, kCross), GetParam().crosses);
    EXPECT_EQ(countPieces(st().GridContents, kNought), 0);
    EXPECT_EQ(window.captions[5], "");
    EXPECT_EQ(window.turnCaption, GetParam().caption);
    EXPECT_EQ(window.cursors[4], GetParam().cursor);
    EXPECT_EQ(enabled(MenuItem::TakeBackMenu), GetParam().crosses == 1);
    EXPECT_FALSE(enabled(MenuItem::RedoMoveMenu));
    EXPECT_EQ(st().ReadyGauge, 16.0F);
}

INSTANTIATE_TEST_SUITE_P(
    Types, NewGame,
    ::testing::Values(Start{"HumanFirst", &Game::HumanFirstMenu_Click, 0, 0, "Turn: 0", PieceCursor::Nought},
                      Start{"ComputerFirst", &Game::ComputerFirstMenu_Click, 0, 1, "Turn: 1", PieceCursor::Nought},
                      Start{"RandomFirstComputerUpToOneHalf", &Game::RandomFirstMenu_Click, 0.5, 1, "Turn: 1",
                            PieceCursor::Nought},
                      Start{"RandomFirstHumanAboveIt", &Game::RandomFirstMenu_Click, 0.51, 0, "Turn: 0",
                            PieceCursor::Nought},
                      Start{"NoughtsFirst", &Game::NoughtsFirstMenu_Click, 0, 0, "Turn: 0     Nought's turn.",
                            PieceCursor::Nought},
                      Start{"CrossesFirst", &Game::CrossesFirstMenu_Click, 0, 0, "Turn: 0     Cross' turn.",
                            PieceCursor::Cross},
                      // The random two-human game keeps the plain caption.
                      Start{"RandomHumansCrossesUpToOneHalf", &Game::RanomHvH_Click, 0.5, 0, "Turn: 0",
                            PieceCursor::Cross},
                      Start{"RandomHumansNoughtsAboveIt", &Game::RanomHvH_Click, 0.51, 0, "Turn: 0",
                            PieceCursor::Nought}),
    [](const auto& info) { return std::string(info.param.name); });

// A click of each button on an open board against the computer.
struct Click {
    const char* name;
    MouseButton button;
    const char* caption;
    int turn;
    int crosses;
    bool cheated;
};

class HumanClick : public Session, public ::testing::WithParamInterface<Click> {};

TEST_P(HumanClick, PlacesItsPiece)
{
    const int cell = cellIndex(2, 1, 3);
    game.cell_MouseUp(cell, GetParam().button);
    EXPECT_EQ(window.captions[cell], GetParam().caption);
    EXPECT_EQ(st().TurnNumber, GetParam().turn);
    EXPECT_EQ(window.turnCaption, "Turn: " + std::to_string(GetParam().turn));
    EXPECT_EQ(countPieces(st().GridContents, kCross), GetParam().crosses);
    EXPECT_EQ(st().Cheated, GetParam().cheated);
    EXPECT_EQ(st().LastHumanMove, (Coord{2, 1, 3}));
    EXPECT_EQ(st().ReadyGauge, 16.0F);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, HumanClick,
    ::testing::Values(Click{"LeftIsANoughtAndTheComputerReplies", MouseButton::Left, "O", 2, 1, false},
                      Click{"RightIsAnExtraGo", MouseButton::Right, "O", 1, 0, true},
                      Click{"MiddleIsACrossForTheComputer", MouseButton::Middle, "X", 1, 1, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Session, TheComputersReplyToACornerIsOneOfTheSixInnerCellsOffItsLines)
{
    game.cell_MouseUp(0, MouseButton::Left);
    const int reply = cellIndex(st().CandidateMoves[0]);
    EXPECT_EQ(st().CandidateCount, 6);
    EXPECT_EQ(window.captions[reply], "X");
    EXPECT_EQ(window.marks.latestCross, reply);
}

TEST_F(Session, TwoHumansAlternate)
{
    game.CrossesFirstMenu_Click();
    game.NewGameMenu_Click();
    game.cell_MouseUp(4, MouseButton::Left);
    EXPECT_EQ(window.captions[4], "X");
    EXPECT_EQ(window.turnCaption, "Turn: 1     Nought's turn.");
    EXPECT_EQ(window.cursors[4], PieceCursor::Nought);
    game.cell_MouseUp(5, MouseButton::Left);
    EXPECT_EQ(window.captions[5], "O");
    EXPECT_EQ(st().TurnNumber, 2);
    EXPECT_EQ(st().LastHumanMove, (Coord{}));
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

TEST_F(Session, ANewGameForgetsTheLastGamesCheatingPlayersCursorAndEnd)
{
    game.NoughtsFirstMenu_Click();
    game.NewGameMenu_Click();
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

TEST_F(Hover, TheCellUnderThePointerLightsUpInTheColourOfTheButtonHeld)
{
    game.cell_MouseMove(5, 0);
    game.cell_MouseMove(6, 0);
    EXPECT_EQ(window.backgrounds[6], (Rgb{0, 0, 255}));
    EXPECT_EQ(window.backgrounds[5], (Rgb{185, 200, 15}));
    for (auto [button, colour] : {std::pair{1, Rgb{255, 0, 255}}, {2, Rgb{255, 0, 0}}, {4, Rgb{255, 0, 0}}}) {
        game.cell_MouseDown(7, static_cast<std::int16_t>(button));
        EXPECT_EQ(window.backgrounds[7], colour) << button;
    }
    game.Form_MouseMove();
    EXPECT_EQ(window.backgrounds[7], (Rgb{179, 200, 21}));
    game.CrossesFirstMenu_Click();
    game.NewGameMenu_Click();
    game.cell_MouseMove(8, 0);
    EXPECT_EQ(window.backgrounds[8], (Rgb{255, 255, 255})); // crosses to place between two humans
    game.Win();
    game.cell_MouseMove(4, 0);
    EXPECT_EQ(window.backgrounds[4], (Rgb{188, 200, 12})); // a finished game lights nothing
}

} // namespace
} // namespace vornix::testing

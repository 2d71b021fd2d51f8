// Program start, new games, the human's placement and the computer's placement primitive.
#include "ai/AlphaBeta.h"
#include "game/Game.h"

#include <algorithm>
#include <numeric>

namespace vornix {

Game::Game(Window& window) : window_(window), menus_(window) {}

Game::~Game() = default;

std::string turnCaption(std::int32_t turnNumber)
{
    return "Turn: " + std::to_string(turnNumber);
}

Rgb Game::normalBackground(int cell)
{
    return {static_cast<std::uint8_t>(200 - 3 * cell), 200, static_cast<std::uint8_t>(3 * cell)};
}

Rgb Game::normalForeground(int cell)
{
    return {static_cast<std::uint8_t>(3 * cell), 0, static_cast<std::uint8_t>(200 - 3 * cell)};
}

void Game::exclusively(const std::function<void()>& handler)
{
    if (busyDepth_++ == 0)
        window_.showBusy(true);
    handler();
    if (--busyDepth_ == 0) {
        window_.showBusy(false);
        // A new game asked for while the computer was busy starts once its turn has unwound, so that
        // a second computer turn never runs inside the first.
        if (pendingNewGame_ && !closing_) {
            pendingNewGame_ = false;
            NewGameMenu_Click();
        }
    }
}

void Game::Form_Load()
{
    window_.randomize();
    menus_.publishAll();
    publishOptions();
    Initialize();
    giveCellsTheirLook();
    // The first game always plays with the defaults, whatever the dialog held.
    st_.weights = EvalWeights{};
    st_.SearchDepth = 3;
    st_.AlphaBetaOpponent = true;
}

void Game::Form_Unload()
{
    // Whatever runs stops at its next look at the flags; nothing more is shown or played.
    closing_ = true;
    pendingNewGame_ = false;
    st_.ComputerThinking = false;
    st_.AutoplayOn = false;
}

void Game::giveCellsTheirLook()
{
    for (int n = 0; n < kCells; ++n) {
        window_.setCellFont(n, "Arial");
        window_.setCellBackground(n, normalBackground(n));
        window_.setCellForeground(n, normalForeground(n));
        window_.setCellPointer(n, Pointer::Piece);
        window_.setCellCursor(n, PieceCursor::Nought);
    }
}

void Game::setGauge(float value)
{
    st_.ReadyGauge = value;
    window_.showReadyGauge(value);
    refreshStatus();
}

void Game::setAllPointers(Pointer pointer)
{
    for (int n = 0; n < kCells; ++n)
        window_.setCellPointer(n, pointer);
}

void Game::setAllCursors(PieceCursor cursor)
{
    for (int n = 0; n < kCells; ++n)
        window_.setCellCursor(n, cursor);
}

void Game::showTurn()
{
    window_.setTurnCaption(turnCaption(st_.TurnNumber));
    refreshStatus();
}

void Game::Initialize()
{
    ++gamesStarted_;
    menus_.enable(MenuItem::TakeBackMenu, false);
    st_.ComputerThinking = false;
    for (int n = 0; n < kCells; ++n) {
        window_.setCellCaption(n, "");
        window_.setCellPointer(n, Pointer::Piece);
    }
    st_.GridContents.fill(kEmpty);
    st_.TurnNumber = -1;
    setUpTurn_ = 0;
    reviewing_ = 0;
    verdicts_.clear();
    resetViews();
    TurnIncrement();
    showTurn();
    st_.ComputerHasMoved = false;
    EnableBox();
    selectRoutineFromMenu();
    st_.weights = options_.firstSet();
    st_.AutoplayOn = false;
    st_.Cheated = analysis_; // verdicts during the game bend the rules
    setAllCursors(PieceCursor::Nought);
    st_.TwoPlayerGame = false;
    forgetPositionMarks();
    refreshMarks();
}

// The routine of the opponent checked in the menu; with the alpha-beta opponent it stays as it was.
void Game::selectRoutineFromMenu()
{
    if (menus_.checked(MenuItem::CommonSenseMenu))
        st_.OpponentRoutine = Routine::normal;
    if (menus_.checked(MenuItem::EvaluateMenu))
        st_.OpponentRoutine = Routine::eval;
    if (menus_.checked(MenuItem::MiniMaxMenu))
        st_.OpponentRoutine = Routine::Longthink;
}

void Game::Newgame_Click()
{
    Initialize();
    st_.GameOver = 0;
    st_.AutoplayOn = false;
}

void Game::NewGameMenu_Click()
{
    if (closing_)
        return;
    if (ordinary_ && !busy())
        leavePuzzles(); // a new game is an ordinary one
    if (busy()) {
        // Stop the running turn or match; the new game follows as soon as it has unwound.
        st_.ComputerThinking = false;
        st_.AutoplayOn = false;
        pendingNewGame_ = true;
        return;
    }
    exclusively([this] { startNewGameOfCheckedType(); });
}

void Game::startNewGameOfCheckedType()
{
    auto twoPlayers = [this](bool noughtsFirst) {
        Newgame_Click();
        st_.TwoPlayerGame = true;
        st_.NoughtsToMove = noughtsFirst;
        st_.NoughtsStarted = noughtsFirst;
        if (!noughtsFirst)
            setAllCursors(PieceCursor::Cross);
    };

    if (menus_.checked(MenuItem::RandomFirstMenu)) {
        const bool computerStarts = window_.rnd() <= 0.5;
        Newgame_Click();
        if (computerStarts)
            Play();
    } else if (menus_.checked(MenuItem::HumanFirstMenu)) {
        Newgame_Click();
    } else if (menus_.checked(MenuItem::ComputerFirstMenu)) {
        Newgame_Click();
        Play();
    } else if (menus_.checked(MenuItem::NoughtsFirstMenu)) {
        twoPlayers(true);
        showTwoPlayerTurn();
    } else if (menus_.checked(MenuItem::CrossesFirstMenu)) {
        twoPlayers(false);
        showTwoPlayerTurn();
    } else if (menus_.checked(MenuItem::RanomHvH)) {
        // The caption keeps Initialize's text until the first placement.
        twoPlayers(window_.rnd() > 0.5);
    } else if (menus_.checked(MenuItem::AutoPlayMenu)) {
        Autoplay();
    }
}

std::int32_t Game::place(std::int32_t mi, std::int32_t mj, std::int32_t mk)
{
    if (st_.ComputerHasMoved)
        return 0;
    const std::int32_t was = st_.cell(mi, mj, mk);
    if (was == kEmpty) {
        const int n = cellIndex(mi, mj, mk);
        st_.cell(mi, mj, mk) = kCross;
        window_.setCellCaption(n, "X");
        window_.setCellPointer(n, Pointer::Arrow);
        st_.ComputerHasMoved = true;
        latestCross_ = n;
        TurnIncrement();
        placers_[static_cast<std::size_t>(st_.TurnNumber - 1)] = Placer::Computer;
        refreshMarks();
    }
    return was;
}

void Game::TurnIncrement()
{
    // A board holds 64 pieces, so no game reaches a 65th placement; the bound keeps the history's
    // index inside it whatever state the game was put in.
    st_.TurnNumber = std::clamp(st_.TurnNumber, -1, kHistorySize - 2) + 1;
    st_.LatestTurn = st_.TurnNumber;
    st_.BoardHistory[st_.TurnNumber] = st_.GridContents;
    auto& view = shownAt_[static_cast<std::size_t>(st_.TurnNumber)];
    std::iota(view.begin(), view.end(), std::int8_t{0});
    if (st_.TurnNumber > 0)
        placers_[static_cast<std::size_t>(st_.TurnNumber - 1)] = Placer::Unknown;
    hint_ = -1; // a hint holds for the position it was asked in
    updateUndoRedoMenus();
}

// The piece the cells offer and the caption of a game between two humans: whose turn it is.
void Game::showTwoPlayerTurn()
{
    setAllCursors(st_.NoughtsToMove ? PieceCursor::Nought : PieceCursor::Cross);
    window_.setTurnCaption(turnCaption(st_.TurnNumber) + "     " + (st_.NoughtsToMove ? "Nought's" : "Cross'")
                           + " turn.");
    refreshStatus();
}

void Game::updateUndoRedoMenus()
{
    menus_.enable(MenuItem::TakeBackMenu, st_.TurnNumber > setUpTurn_);
    menus_.enable(MenuItem::RedoMoveMenu, st_.TurnNumber < st_.LatestTurn);
}

void Game::DisableBox()
{
    setGauge(0.0F);
    setAllPointers(Pointer::Arrow);
}

void Game::EnableBox()
{
    setGauge(kGaugeFull);
    for (int n = 0; n < kCells; ++n)
        if (window_.cellCaption(n).empty())
            window_.setCellPointer(n, Pointer::Piece);
}

void Game::cell_MouseUp(int Index, MouseButton Button)
{
    window_.setCellBackground(Index, normalBackground(Index));
    if (busy() || closing_ || reviewing_ > 0)
        return; // a match or a computer turn is running, or a review shows another position
    if (!st_.TwoPlayerGame && st_.ReadyGauge != kGaugeFull)
        return;
    if (!window_.cellCaption(Index).empty())
        return;
    window_.setCellPointer(Index, Pointer::Arrow);

    const bool cross = Button == MouseButton::Middle || (st_.TwoPlayerGame && !st_.NoughtsToMove);
    const Coord c = coordOf(Index);
    window_.setCellCaption(Index, cross ? "X" : "O");
    st_.GridContents[Index] = cross ? kCross : kNought;
    if (!st_.TwoPlayerGame)
        st_.LastHumanMove = c;
    const bool extraGo = Button == MouseButton::Right || Button == MouseButton::Middle;
    st_.SkipReply = extraGo || st_.TwoPlayerGame;
    TurnIncrement();
    placers_[static_cast<std::size_t>(st_.TurnNumber - 1)] = Placer::Human;
    if (puzzle_ && !gameFinished(st_.GridContents) && !puzzleMoveHolds(Index)) {
        // Said at once, while the move can simply be taken back.
        if (window_.ask("That lets crosses off the hook — try again?")) {
            st_.LatestTurn = st_.TurnNumber - 1;
            BackInTime(st_.TurnNumber - 1);
            return;
        }
    }
    const int thisGame = gamesStarted_;
    exclusively([this] { Play(); });
    if (pendingPuzzle_) {
        const int next = *pendingPuzzle_;
        pendingPuzzle_.reset();
        startPuzzle(next);
        return;
    }
    if (gamesStarted_ != thisGame)
        return; // a new game began while the computer answered: its turn and flags are its own

    if (st_.TwoPlayerGame) {
        st_.NoughtsToMove = !st_.NoughtsToMove;
        showTwoPlayerTurn();
    } else {
        showTurn();
    }
    if (extraGo) {
        st_.Cheated = true;
        if (st_.GameOver == 0)
            setGauge(kGaugeFull);
    }
}

void Game::cell_MouseMove(int Index, int Button)
{
    if (st_.HoverCell != Index)
        window_.setCellBackground(st_.HoverCell, normalBackground(st_.HoverCell));
    st_.HoverCell = Index;
    if (window_.cellPointer(Index) != Pointer::Piece)
        return;
    switch (Button) {
    case 1: window_.setCellBackground(Index, {255, 0, 255}); break;
    case 2: window_.setCellBackground(Index, {255, 0, 0}); break;
    case 0:
        if (st_.TwoPlayerGame && !st_.NoughtsToMove)
            window_.setCellBackground(Index, {255, 255, 255});
        else
            window_.setCellBackground(Index, {0, 0, 255});
        break;
    default: break;
    }
}

void Game::Form_MouseMove()
{
    window_.setCellBackground(st_.HoverCell, normalBackground(st_.HoverCell));
}

} // namespace vornix

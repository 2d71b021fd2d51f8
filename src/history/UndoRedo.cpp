// Undo and redo: stepping through the positions recorded after every placement.
#include "game/Game.h"

namespace vornix {

void Game::BackInTime(std::int32_t when)
{
    if (when < setUpTurn_ || when > st_.LatestTurn || when >= kHistorySize) {
        window_.beep();
        return;
    }
    st_.TurnNumber = when;
    st_.GridContents = st_.BoardHistory[when];
    st_.Cheated = true;
    reviewing_ = 0;
    // That position is shown as it was recorded: the others keep their places relative to it.
    const auto back = shownAt_[static_cast<std::size_t>(when)];
    std::array<std::int8_t, kCells> undo{};
    for (int cell = 0; cell < kCells; ++cell)
        undo[static_cast<std::size_t>(back[static_cast<std::size_t>(cell)])] = static_cast<std::int8_t>(cell);
    for (auto& view : shownAt_)
        for (std::int8_t& cell : view)
            cell = undo[static_cast<std::size_t>(cell)];
    UpdateDisplayFromGridContents();
    // A step back to a won or full board, by redo say, finds the game as over as it was.
    const bool finished = gameFinished(st_.GridContents);
    st_.GameOver = finished ? -1 : 0;
    if (finished)
        DisableBox();
    else
        EnableBox();
    if (st_.TwoPlayerGame) {
        // Every placement of such a game changes sides, so the count says whose turn it is.
        st_.NoughtsToMove = (st_.TurnNumber % 2 == 0) == st_.NoughtsStarted;
        showTwoPlayerTurn();
    } else {
        showTurn();
    }
    updateUndoRedoMenus();
    forgetPositionMarks();
    refreshMarks();
}

void Game::TakeBackMenu_Click()
{
    if (busy())
        return; // the computer is thinking on this board
    // Two placements a step, so that the same side is to move afterwards.
    BackInTime(st_.TurnNumber - 1);
    BackInTime(st_.TurnNumber - 1);
}

void Game::RedoMoveMenu_Click()
{
    if (busy())
        return;
    BackInTime(st_.TurnNumber + 1);
    BackInTime(st_.TurnNumber + 1);
}

} // namespace vornix

// The end of a game: a sound, the result in a message box, the statistics, and a closed board.
#include "game/Game.h"

namespace vornix {

// The player sees the last piece, its line and the count of placements before the sound starts.
void Game::showFinalPosition()
{
    refreshMarks();
    showTurn();
}

void Game::Win()
{
    // A position that was won already, loaded from a file say, is not counted a second time.
    const bool newlyOver = st_.GameOver == 0;
    st_.ComputerHasMoved = true;
    showFinalPosition();
    // The sounds are named from the computer's side: the human's win plays "lose.wav".
    if (!closing_)
        window_.playSound(window_.soundFile("lose.wav"));
    if (puzzle_) {
        st_.GameOver = -1;
        DisableBox();
        puzzleSolved();
        return;
    }
    if (st_.TwoPlayerGame) {
        window_.messageBox("Noughts win.");
    } else if (!st_.AutoplayOn) {
        if (st_.Cheated) {
            window_.messageBox("Well if you're going to cheat of course you'll beat me!");
        } else {
            window_.messageBox("Congratulations you beat me!");
            if (newlyOver)
                recordResult(false);
        }
    }
    st_.GameOver = -1;
    DisableBox();
}

void Game::Lose()
{
    const bool newlyOver = st_.GameOver == 0;
    showFinalPosition();
    if (!closing_)
        window_.playSound(window_.soundFile("Win.wav"));
    if (puzzle_) {
        st_.GameOver = -1;
        DisableBox();
        if (window_.ask("Crosses completed a line: the win got away. Try the puzzle again?"))
            pendingPuzzle_ = puzzle_->id;
        return;
    }
    if (st_.TwoPlayerGame) {
        window_.messageBox("Crosses win.");
    } else if (!st_.AutoplayOn) {
        if (st_.Cheated) {
            window_.messageBox("You cheated and I still won. You are absolutely turd!");
        } else {
            window_.messageBox("Ho, ho, ho; I win");
            if (newlyOver)
                recordResult(true);
        }
    }
    st_.GameOver = -1;
    DisableBox();
}

} // namespace vornix

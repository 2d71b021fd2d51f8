// The marks beyond the captions: the cells of completed lines and the computer's latest cross.
#include "game/Game.h"

namespace vornix {

void Game::refreshMarks()
{
    BoardMarks marks;
    for (const Line& line : kLines) {
        const std::int32_t sum = st_.GridContents[line[0]] + st_.GridContents[line[1]] + st_.GridContents[line[2]]
            + st_.GridContents[line[3]];
        if (sum == 4 * kNought || sum == 4 * kCross)
            for (int cell : line)
                marks.lineCells |= std::uint64_t{1} << cell;
    }
    if (latestCross_ >= 0 && st_.GridContents[latestCross_] == kCross)
        marks.latestCross = latestCross_;
    if (hint_ >= 0 && st_.GridContents[hint_] == kEmpty)
        marks.hint = hint_;
    window_.showMarks(marks);
    refreshStatus();
}

// Another position is on the board (a new game, undo, a swap, a load): its latest cross and any
// hint belong to the old one.
void Game::forgetPositionMarks()
{
    latestCross_ = -1;
    hint_ = -1;
}

// The cell the sixth persona would take in the player's place. Asking bends the rules, like undo.
void Game::HintMenu_Click()
{
    if (busy())
        return; // the computer is thinking on this board
    if (gameFinished(st_.GridContents)) {
        window_.messageBox("The game is over: there is no move to hint at.");
        return;
    }
    if (puzzle_) {
        // A puzzle's hint is a move that keeps the win within the grade.
        const Sides noughts = sidesOf(st_.GridContents, kNought);
        const int left = std::max(1, puzzlePlacementsLeft());
        std::optional<std::vector<int>> moves;
        for (int n = left; n <= left + 2 && (!moves || moves->empty()); ++n)
            moves = winLength_->winningMoves(noughts, n);
        st_.Cheated = true;
        if (moves && !moves->empty()) {
            hint_ = moves->front();
            refreshMarks();
        } else {
            window_.messageBox("No forced win is left within the grade: take a move back, or start the puzzle again.");
        }
        return;
    }
    // The persona plays crosses: for noughts it is shown the board with the men swapped.
    const bool noughts = !st_.TwoPlayerGame || st_.NoughtsToMove;
    Grid board = st_.GridContents;
    if (noughts)
        for (std::int32_t& cell : board)
            cell = cell == kNought ? kCross : cell == kCross ? kNought : kEmpty;
    // The proof search may take a few tenths of a second: the window stays alive meanwhile, and the
    // board stays as it is.
    exclusively([&] {
        const ZeddonChoice choice = zeddon().choose(board, st_.weights, [this] {
            window_.yieldToEvents();
            return !closing_;
        });
        if (choice.candidates.empty() || closing_)
            return; // the board is full, or the window closed
        st_.Cheated = true;
        hint_ = choice.candidates.cells[0];
        refreshMarks();
        if (choice.reason == ZeddonReason::Win || choice.reason == ZeddonReason::Threats
            || choice.reason == ZeddonReason::Proof)
            window_.messageBox("You can force a win from here.");
    });
}

} // namespace vornix

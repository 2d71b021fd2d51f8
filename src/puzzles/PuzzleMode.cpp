// Playing a puzzle on the game's own board: the player's noughts attack, the computer's crosses
// defend with the reply that makes the win longest, and a move that lets the win go is said at once.
#include "game/Game.h"

#include "ai/MiniMax.h"
#include "storage/SafeWrite.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace vornix {

namespace {

// A win slower than the grade by this many placements still counts as solving the puzzle.
constexpr int kSlackPlacements = 1;
constexpr std::uint64_t kPuzzleBudget = 4'000'000;

constexpr MenuItem kClosedInPuzzles[] = {
    MenuItem::SaveGameMenu,  MenuItem::EvaluateMenu, MenuItem::CommonSenseMenu, MenuItem::MiniMaxMenu,
    MenuItem::AlphaBetaMenu, MenuItem::ZeddonMenu,   MenuItem::DepthMenu,       MenuItem::EvaluatingOptionsMenu,
    MenuItem::AnotherGoMenu, MenuItem::SwapMenu};

} // namespace

const std::vector<Puzzle>& Game::puzzles()
{
    if (!puzzleSet_) {
        // A missing or damaged file offers no puzzles, and says so when they are asked for.
        PuzzleSet set = readPuzzleFile(window_.dataFile("puzzles.txt"));
        puzzleSet_ = std::move(set.puzzles);
        std::ifstream in(window_.puzzleProgressFile(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        solved_ = readSolved(text.str());
    }
    return *puzzleSet_;
}

std::vector<Game::PuzzleEntry> Game::puzzleList()
{
    std::vector<PuzzleEntry> list;
    for (const Puzzle& p : puzzles())
        list.push_back({p.id, p.grade, std::find(solved_.begin(), solved_.end(), puzzleKey(p)) != solved_.end()});
    return list;
}

std::optional<int> Game::nextUnsolvedPuzzle()
{
    // The easiest unsolved one after the puzzle being played, else the easiest of all.
    const std::vector<PuzzleEntry> list = puzzleList();
    std::optional<PuzzleEntry> best;
    const auto before = [](const PuzzleEntry& a, const PuzzleEntry& b) {
        return a.grade != b.grade ? a.grade < b.grade : a.id < b.id;
    };
    for (const PuzzleEntry& e : list)
        if (!e.solved && e.id != puzzleId() && (!best || before(e, *best)))
            best = e;
    return best ? std::optional<int>(best->id) : std::nullopt;
}

bool Game::startPuzzle(int id)
{
    if (busy() || closing_)
        return false;
    const auto& set = puzzles();
    const auto found = std::find_if(set.begin(), set.end(), [id](const Puzzle& p) { return p.id == id; });
    if (found == set.end()) {
        window_.messageBox("There is no puzzle " + std::to_string(id) + ": the puzzle file is missing or damaged.");
        return false;
    }
    if (!ordinary_) {
        ordinary_ = std::make_unique<Ordinary>();
        ordinary_->state = st_;
        ordinary_->placers = placers_;
        ordinary_->shownAt = shownAt_;
        ordinary_->setUpTurn = setUpTurn_;
        ordinary_->latestCross = latestCross_;
        for (MenuItem item : kClosedInPuzzles)
            ordinary_->enabled[item] = menus_.enabled(item);
    }
    if (!winLength_)
        winLength_ = std::make_unique<WinLength>();
    puzzle_ = *found;

    // The game so far, coloured so that the side to move is the player's noughts.
    Newgame_Click();
    const std::size_t count = found->placements.size();
    for (std::size_t n = 0; n < count; ++n) {
        st_.GridContents[found->placements[n]] = (count - n) % 2 == 0 ? kNought : kCross;
        TurnIncrement();
    }
    setUpTurn_ = st_.TurnNumber; // undo goes back no further than the puzzle
    st_.Cheated = true;          // never counted in the statistics
    UpdateDisplayFromGridContents();
    EnableBox();
    updateUndoRedoMenus();
    showPuzzleMenus();
    showTurn();
    refreshMarks();
    return true;
}

void Game::showPuzzleMenus()
{
    for (MenuItem item : kClosedInPuzzles)
        menus_.enable(item, !puzzle_ && (!ordinary_ || ordinary_->enabled[item]));
}

void Game::leavePuzzles()
{
    if (!ordinary_ || busy())
        return;
    puzzle_.reset();
    st_ = ordinary_->state;
    placers_ = ordinary_->placers;
    shownAt_ = ordinary_->shownAt;
    setUpTurn_ = ordinary_->setUpTurn;
    latestCross_ = ordinary_->latestCross;
    hint_ = -1;
    reviewing_ = 0;
    verdicts_.clear();
    for (MenuItem item : kClosedInPuzzles)
        menus_.enable(item, ordinary_->enabled[item]);
    ordinary_.reset();
    showTheGame();
    setGauge(st_.ReadyGauge);
    updateUndoRedoMenus();
    if (st_.TwoPlayerGame)
        showTwoPlayerTurn();
    else
        showTurn();
    refreshMarks();
}

int Game::puzzlePlacementsLeft() const
{
    // The player's placements since the puzzle began count against the grade.
    const int made = (st_.TurnNumber - setUpTurn_ + 1) / 2;
    return puzzle_ ? puzzle_->grade - made : 0;
}

// Called before the computer replies: whether the player's nought on `cell` (already on the board)
// keeps a win within the placements the grade has left, and a little more.
bool Game::puzzleMoveHolds(int cell)
{
    Grid before = st_.GridContents;
    before[cell] = kEmpty;
    const Sides noughts = sidesOf(before, kNought);
    const int left = puzzlePlacementsLeft() + 1 + kSlackPlacements;
    return winLength_->winsWithMove(noughts, cell, left, kPuzzleBudget).value_or(true);
}

void Game::defendPuzzle()
{
    startThinking();
    // The reply after which the player's shortest win is longest; one that stops it, if any.
    const Sides crosses = sidesOf(st_.GridContents, kCross);
    const int most = std::max(1, puzzlePlacementsLeft()) + kSlackPlacements + 2;
    int best = -1;
    int longest = -1;
    const Cells mustBlock = winningCells(crosses.theirs, crosses.mine) & crosses.empty();
    const Cells replies = mustBlock != 0 ? mustBlock : crosses.empty();
    for (Cells left = replies; left != 0; left &= left - 1) {
        const int cell = std::countr_zero(left);
        const Sides after{crosses.theirs, crosses.mine | cellBit(cell)};
        const int length = winLength_->shortestWin(after, most, kPuzzleBudget).value_or(most);
        const int score = length == 0 ? most + 1 : length;
        if (score > longest) {
            longest = score;
            best = cell;
        }
        window_.yieldToEvents();
    }
    st_.ComputerThinking = false;
    setGauge(kGaugeFull);
    if (best >= 0) {
        const Coord c = coordOf(best);
        place(c.i, c.j, c.k);
    }
    if (Evaluate() < kComputerWonScore)
        Lose();
}

void Game::puzzleSolved()
{
    const std::string key = puzzleKey(*puzzle_);
    if (std::find(solved_.begin(), solved_.end(), key) == solved_.end()) {
        solved_.push_back(key);
        const std::string text = writeSolved(solved_);
        writeFileSafely(window_.puzzleProgressFile(), std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    const std::string solved = "Solved: puzzle " + std::to_string(puzzle_->id) + ", grade "
        + std::to_string(puzzle_->grade) + ".";
    const std::optional<int> next = nextUnsolvedPuzzle();
    if (!next) {
        window_.messageBox(solved + " That was the last one you had left: every puzzle is solved.");
    } else if (window_.ask(solved + " On to the next unsolved puzzle?")) {
        pendingPuzzle_ = *next;
    }
}

} // namespace vornix

// The move list, reviewing, copy and paste, and the status bar's words: views of the game's
// history that change no rule of play.
#include "game/Game.h"

#include "review/Paste.h"
#include "review/StatusLine.h"

#include <algorithm>
#include <numeric>
#include <variant>

namespace vornix {

namespace {

std::string depthText(std::int32_t depth)
{
    return ", depth " + std::to_string(depth);
}

} // namespace

void Game::resetViews()
{
    for (auto& view : shownAt_)
        std::iota(view.begin(), view.end(), std::int8_t{0});
}

Grid Game::shownHistory(int turn) const
{
    Grid grid{};
    const auto& view = shownAt_[static_cast<std::size_t>(turn)];
    for (int cell = 0; cell < kCells; ++cell)
        grid[view[static_cast<std::size_t>(cell)]] = st_.BoardHistory[static_cast<std::size_t>(turn)][cell];
    return grid;
}

std::vector<Placement> Game::placements() const
{
    const int last = std::clamp(st_.LatestTurn, setUpTurn_, kHistorySize - 1);
    std::vector<Grid> shown;
    for (int turn = setUpTurn_; turn <= last; ++turn)
        shown.push_back(shownHistory(turn));
    return placementsOf(shown.data(), last - setUpTurn_, placers_.data() + setUpTurn_);
}

std::vector<Game::Judging> Game::judgings(const std::vector<Placement>& list) const
{
    std::vector<Judging> positions;
    for (std::size_t n = 1; n <= list.size(); ++n)
        positions.push_back({st_.BoardHistory[static_cast<std::size_t>(setUpTurn_) + n], sideToMoveAfter(list, n)});
    return positions;
}

Verdict Game::verdictOn(const Judging& position) const
{
    for (const auto& [judged, verdict] : verdicts_)
        if (judged == position)
            return verdict;
    return Verdict::Unknown;
}

bool Game::verdictsWanted() const
{
    return analysis_ || st_.GameOver != 0 || gameFinished(st_.GridContents);
}

std::vector<Game::Judging> Game::positionsToJudge() const
{
    std::vector<Judging> wanted;
    if (!verdictsWanted())
        return wanted;
    for (const Judging& position : judgings(placements())) {
        const bool known = std::any_of(verdicts_.begin(), verdicts_.end(),
                                       [&](const auto& judged) { return judged.first == position; });
        if (!known)
            wanted.push_back(position);
    }
    // The latest first: the end of a game settles fastest and matters most.
    std::reverse(wanted.begin(), wanted.end());
    return wanted;
}

void Game::setVerdict(const Judging& position, Verdict verdict)
{
    // Kept whatever it says, so that a position the budget did not settle is not asked about again.
    if (std::none_of(verdicts_.begin(), verdicts_.end(), [&](const auto& judged) { return judged.first == position; }))
        verdicts_.emplace_back(position, verdict);
    window_.movesChanged();
}

void Game::setAnalysis(bool on)
{
    analysis_ = on;
    if (on)
        st_.Cheated = true;
    window_.movesChanged();
}

std::vector<std::string> Game::moveRows() const
{
    std::vector<std::string> rows;
    const std::vector<Placement> list = placements();
    const std::vector<Judging> positions = verdictsWanted() ? judgings(list) : std::vector<Judging>{};
    Verdict before = Verdict::Unknown;
    for (std::size_t n = 0; n < list.size(); ++n) {
        std::string row = placementRow(setUpTurn_ + static_cast<int>(n) + 1, list[n]);
        if (!positions.empty()) {
            const Verdict verdict = verdictOn(positions[n]);
            if (verdict != Verdict::Unknown)
                row += " — " + std::string(verdictWords(verdict));
            if (turnsTheGame(before, verdict))
                row += " — turning point";
            before = verdict;
        }
        rows.push_back(row);
    }
    return rows;
}

std::string Game::statusText() const
{
    auto name = [this](bool zeddon, bool alphaBeta, bool snibbet, Routine routine, std::int32_t depth) -> std::string {
        if (zeddon)
            return "Zeddon";
        if (snibbet)
            return "Snibbet" + depthText(depth);
        if (alphaBeta)
            return "Morvid" + depthText(depth);
        switch (routine) {
        case Routine::eval: return "Belwin";
        case Routine::normal: return "Tovi";
        case Routine::Longthink: return "Quen";
        case Routine::None: break;
        }
        return "nobody";
    };
    auto menuDepth = [this] {
        std::int32_t depth = st_.SearchDepth;
        for (std::int32_t d = kMinSearchDepth; d <= kMaxSearchDepth; ++d)
            if (menus_.checked(searchDepthItem(d)))
                depth = d;
        return depth;
    };
    StatusFacts f;
    f.placements = st_.TurnNumber;
    f.reviewing = reviewing_;
    if (reviewing_ > 0)
        f.placements = st_.LatestTurn;
    if (st_.AutoplayOn) {
        f.mode = StatusMode::Match;
        f.opponent = name(menus_.checked(MenuItem::ZeddonMenu), menus_.checked(MenuItem::AlphaBetaMenu),
                          menus_.checked(MenuItem::CMenu),
                          menus_.checked(MenuItem::EvaluateMenu)      ? Routine::eval
                              : menus_.checked(MenuItem::CommonSenseMenu) ? Routine::normal
                              : menus_.checked(MenuItem::MiniMaxMenu)     ? Routine::Longthink
                                                                          : Routine::None,
                          menuDepth());
        const auto second = static_cast<SecondPlayer>(options_.Option1);
        f.secondPlayer = name(second == SecondPlayer::Zeddon, second == SecondPlayer::AlphaBeta,
                              second == SecondPlayer::Snibbet,
                              second == SecondPlayer::Evaluating      ? Routine::eval
                                  : second == SecondPlayer::CommonSense ? Routine::normal
                                  : second == SecondPlayer::MiniMaxing  ? Routine::Longthink
                                                                        : Routine::None,
                              options_.SearcDepth2 + 1);
    } else if (puzzle_) {
        f.mode = StatusMode::Puzzle;
        f.puzzle = puzzle_->id;
        f.grade = puzzle_->grade;
        f.thinking = st_.ComputerThinking && busy();
    } else if (st_.TwoPlayerGame) {
        f.mode = StatusMode::TwoHumans;
        f.noughtsToMove = st_.NoughtsToMove;
    } else {
        f.opponent = name(st_.ZeddonOpponent, st_.AlphaBetaOpponent, st_.SnibbetMode, st_.OpponentRoutine,
                          st_.SearchDepth);
        f.thinking = st_.ComputerThinking && busy();
    }
    f.over = gameFinished(st_.GridContents);
    f.winner = lineWinner(st_.GridContents);
    if (!st_.AutoplayOn && latestCross_ >= 0 && st_.GridContents[latestCross_] == kCross)
        f.latestCross = latestCross_;
    if (hint_ >= 0 && st_.GridContents[hint_] == kEmpty)
        f.hint = hint_;
    return statusLine(f);
}

void Game::refreshStatus()
{
    window_.showStatus(statusText());
    window_.movesChanged();
}

void Game::showGrid(const Grid& grid)
{
    for (int cell : kVisitOrder)
        window_.setCellCaption(cell, captionOf(grid[cell]));
}

bool Game::review(int placement)
{
    if (busy() || placement < setUpTurn_ || placement > st_.LatestTurn)
        return false;
    if (placement == st_.LatestTurn && st_.TurnNumber == st_.LatestTurn) {
        endReview();
        return true;
    }
    reviewing_ = placement;
    showGrid(shownHistory(placement));
    setAllPointers(Pointer::Arrow);
    window_.showMarks({});
    // "Reviewing placement 0" would read as no review: the first position shows as placement 0 all
    // the same, and the status says so.
    window_.showStatus(placement == 0 ? "Reviewing the empty board — Esc returns" : statusText());
    return true;
}

void Game::endReview()
{
    if (reviewing_ == 0 && window_.cellCaption(0) == captionOf(st_.GridContents[0]))
        return;
    reviewing_ = 0;
    showTheGame();
    refreshMarks();
}

void Game::showTheGame()
{
    UpdateDisplayFromGridContents();
    const bool open = st_.GameOver == 0 && !gameFinished(st_.GridContents)
        && (st_.TwoPlayerGame || st_.ReadyGauge == kGaugeFull);
    for (int cell = 0; cell < kCells; ++cell)
        window_.setCellPointer(cell, open && st_.GridContents[cell] == kEmpty ? Pointer::Piece : Pointer::Arrow);
}

bool Game::mayPlayFrom(int placement) const
{
    if (busy() || st_.AutoplayOn || placement < setUpTurn_ || placement > st_.LatestTurn)
        return false;
    if (st_.TwoPlayerGame)
        return true;
    // Against the computer the human plays noughts: play goes on after a cross, or from the start.
    const std::vector<Placement> list = placements();
    const int row = placement - setUpTurn_;
    if (row == 0)
        return setUpTurn_ == 0 || piecesOn(st_.BoardHistory[static_cast<std::size_t>(setUpTurn_)]) % 2 == 0;
    return row <= static_cast<int>(list.size()) && list[static_cast<std::size_t>(row - 1)].side == kCross;
}

void Game::playFrom(int placement)
{
    if (!mayPlayFrom(placement))
        return;
    reviewing_ = 0;
    BackInTime(placement);
}

std::string Game::positionForCopy() const
{
    return positionText(st_.GridContents);
}

std::string Game::gameForCopy()
{
    if (setUpTurn_ > 0) {
        window_.messageBox("This game began from a pasted position, not from the empty board: Copy position "
                           "copies the board instead.");
        return {};
    }
    std::vector<int> cells;
    const std::vector<Placement> list = placements();
    for (int n = 0; n < st_.TurnNumber && n < static_cast<int>(list.size()); ++n)
        cells.push_back(list[static_cast<std::size_t>(n)].cell);
    return placementsText(cells);
}

void Game::paste(std::string_view text)
{
    if (busy() || closing_)
        return;
    const Pasted pasted = readPaste(text);
    if (ordinary_ && !std::holds_alternative<PasteRefusal>(pasted))
        leavePuzzles(); // a pasted game is an ordinary one
    if (const auto* refusal = std::get_if<PasteRefusal>(&pasted)) {
        window_.messageBox("Nothing was pasted. " + refusal->reason);
        return;
    }
    const bool twoPlayers = st_.TwoPlayerGame;
    Newgame_Click();
    st_.TwoPlayerGame = twoPlayers;
    // A game that did not start here from the empty board is bending the rules: it stays out of
    // the statistics, and its end says so as every such game's does.
    st_.Cheated = true;
    if (const auto* list = std::get_if<PastedPlacements>(&pasted)) {
        for (std::size_t n = 0; n < list->cells.size(); ++n) {
            st_.GridContents[list->cells[n]] = n % 2 == 0 ? kNought : kCross;
            TurnIncrement();
        }
    } else {
        const auto& position = std::get<PastedPosition>(pasted);
        st_.GridContents = position.grid;
        setUpTurn_ = piecesOn(position.grid);
        st_.TurnNumber = setUpTurn_ - 1;
        TurnIncrement();
    }
    const auto* position = std::get_if<PastedPosition>(&pasted);
    const bool noughtsToMove = position != nullptr ? position->noughtsToMove : st_.TurnNumber % 2 == 0;
    st_.NoughtsToMove = noughtsToMove;
    st_.NoughtsStarted = (st_.TurnNumber % 2 == 0) == noughtsToMove;
    UpdateDisplayFromGridContents();
    EnableBox();
    updateUndoRedoMenus();
    if (twoPlayers) {
        showTwoPlayerTurn();
    } else {
        setAllCursors(PieceCursor::Nought);
        showTurn();
        if (!noughtsToMove)
            exclusively([this] { Play(); }); // crosses are the computer's
    }
    refreshMarks();
}

} // namespace vornix

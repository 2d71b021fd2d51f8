// The computer's turn: a finished game is ended, otherwise the selected strategy places a cross.
#include "ai/CommonSense.h"
#include "ai/MiniMax.h"
#include "ai/OnePly.h"
#include "game/Game.h"

namespace vornix {

namespace {
constexpr std::int32_t kNoughtsHaveWon = 100000 / 2;
}

std::int32_t Game::Evaluate()
{
    return vornix::Evaluate(st_.GridContents, st_.weights, st_.tally);
}

void Game::Play()
{
    setAllPointers(Pointer::Busy);
    Evaluate();
    if (st_.tally.CrossTally[4] > 0) {
        Lose();
        st_.SkipReply = false;
        return;
    }
    if (st_.tally.NoughtTally[4] > 0) {
        Win();
        st_.SkipReply = false;
        return;
    }

    setGauge(0.0F);
    window_.randomize();
    st_.ComputerHasMoved = false;
    st_.CandidateCount = 0;
    st_.BestValue = 0;
    st_.ComputerThinking = true;
    refreshStatus();
    if (st_.AutoplayInProgress && !st_.AutoplayOn) {
        // The user has stopped the match.
        st_.AutoplayInProgress = false;
        return;
    }

    if (!st_.SkipReply) {
        if (puzzle_) {
            defendPuzzle();
        } else if (st_.ZeddonOpponent) {
            ZeddonMove();
        } else if (st_.AlphaBetaOpponent) {
            AlphaBetaMove();
        } else {
            switch (st_.OpponentRoutine) {
            case Routine::normal: Turn(); break;
            case Routine::Longthink: MiniMax(); break;
            case Routine::eval: evalu(); break;
            case Routine::None: break;
            }
        }
        if (Evaluate() > kNoughtsHaveWon)
            Win();
    }
    st_.SkipReply = false;
    st_.ComputerThinking = false;
    setAllPointers(Pointer::Piece);
    showTurn();
}

Zeddon& Game::zeddon()
{
    if (!zeddon_) {
        zeddon_ = std::make_unique<Zeddon>();
        // A missing or damaged book leaves the persona to play as it would without one.
        book_ = readBook(window_.dataFile("book.txt")).first;
        zeddon_->setBook(book_ ? &*book_ : nullptr);
    }
    return *zeddon_;
}

void Game::placeChoice(const Choice& choice)
{
    st_.BestValue = choice.BestValue;
    st_.CandidateCount = choice.candidates.count;
    for (int n = 0; n < choice.candidates.count; ++n)
        st_.CandidateMoves[n] = coordOf(choice.candidates.cells[n]);

    // When the strategy's own rules leave no candidate, one of the best free cells it saw is played
    // rather than whatever an earlier turn left in the list.
    const CellList& list = choice.candidates.empty() ? choice.fallback : choice.candidates;
    const double r = window_.rnd();
    if (list.empty())
        return; // the board is full
    const int n = static_cast<int>(r * list.count);
    const Coord c = coordOf(list.cells[n < list.count ? n : list.count - 1]);
    place(c.i, c.j, c.k);
}

void Game::evalu()
{
    const Choice choice = visitEvalu(st_.GridContents, st_.weights);
    for (int group = 0; group < 4; ++group)
        setGauge(st_.ReadyGauge + 4.0F);
    placeChoice(choice);
    if (st_.BestValue == kCompletesCrossLine)
        Lose();
}

void Game::Turn()
{
    const Choice choice = visitTurn(st_.GridContents, st_.LastHumanMove);
    for (int group = 0; group < 4; ++group)
        setGauge(st_.ReadyGauge + 4.0F);
    placeChoice(choice);
    if (st_.BestValue > kCommonSenseWin)
        Lose();
}

// The sixth persona: a win, a block, the start of a forced win by threats, or the best cell that
// leaves the player none. It looks at the window before and after thinking, so that a new game
// asked for meanwhile stops it.
void Game::ZeddonMove()
{
    startThinking();
    if (!thinkingGoesOn())
        return;
    // A new game or a stopped match during a pause abandons the move.
    bool stopped = false;
    const ZeddonChoice choice = zeddon().choose(st_.GridContents, st_.weights, [&] {
        stopped = stopped || !thinkingGoesOn();
        return !stopped;
    });
    if (stopped)
        return;
    setGauge(kGaugeFull);
    st_.ComputerThinking = false;
    placeChoice({0, choice.candidates, {}});
    if (Evaluate() < kComputerWonScore)
        Lose();
}

} // namespace vornix

#include "ai/MiniMax.h"

#include <algorithm>

namespace vornix {

MiniMaxEngine::MiniMaxEngine(const Grid& grid, const EvalWeights& weights)
    : grid_(grid), lineScores_(evaluationLineScores(weights)), sums_(lineSumsOf(grid))
{
    LineTally tally;
    score_ = Evaluate(grid, weights, tally);
}

std::int32_t MiniMaxEngine::worth(int cell, std::int32_t floor)
{
    // The score is a sum over lines, so each trial piece changes it by the change of its own lines.
    auto change = [this](int at, std::int32_t piece) {
        std::int32_t delta = 0;
        const auto& through = kLinesThroughCell[at];
        for (int n = 0; n < through.count; ++n) {
            const std::int32_t sum = sums_[through.line[n]];
            delta += lineScores_.score[sum + piece] - lineScores_.score[sum];
        }
        return delta;
    };
    auto shift = [this](int at, std::int32_t piece) {
        const auto& through = kLinesThroughCell[at];
        for (int n = 0; n < through.count; ++n)
            sums_[through.line[n]] += piece;
    };

    const std::int32_t withCross = score_ + change(cell, kCross);
    shift(cell, kCross);
    std::int32_t best = floor;
    for (int reply = 0; reply < kCells; ++reply)
        if (grid_[reply] == kEmpty && reply != cell)
            best = std::max(best, withCross + change(reply, kNought));
    shift(cell, -kCross);
    return best;
}

} // namespace vornix

#include "game/Game.h"

namespace vornix {

void Game::MiniMax()
{
    st_.BestValue = kMiniMaxStartBest;
    st_.ComputerThinking = true;
    setGauge(0.0F);
    window_.randomize();
    st_.ComputerHasMoved = false;
    st_.CandidateCount = 0;
    st_.BestReplyValue = kFirstReplyFloor;

    // One set of weights for the whole move, whatever the options dialog does meanwhile.
    auto afterCandidate = [this](std::int32_t worth) {
        st_.BestReplyValue = worth;
        window_.yieldToEvents();
        if (!st_.ComputerThinking)
            return false;
        if (st_.AutoplayInProgress && !st_.AutoplayOn) {
            st_.AutoplayInProgress = false;
            return false;
        }
        st_.BestReplyValue = kLaterReplyFloor;
        return true;
    };
    auto rowEnd = [this] {
        // Something run during a yield has already opened the board again.
        if (st_.ReadyGauge == kGaugeFull)
            return false;
        setGauge(st_.ReadyGauge + 1.0F);
        return true;
    };
    Choice choice;
    if (!visitMiniMax(st_.GridContents, st_.weights, choice, afterCandidate, rowEnd))
        return;
    st_.ComputerThinking = false;
    placeChoice(choice);
    if (Evaluate() < kComputerWonScore)
        Lose();
}

} // namespace vornix

// The two-ply look-ahead of the persona Quen: each cross valued by the best nought reply.
#pragma once

#include "ai/Choice.h"
#include "ai/Evaluate.h"

namespace vornix {

inline constexpr std::int32_t kFirstReplyFloor = -1000000;
inline constexpr std::int32_t kLaterReplyFloor = -10000000;
inline constexpr std::int32_t kMiniMaxStartBest = 1000000;
inline constexpr std::int32_t kComputerWonScore = -80000;

class MiniMaxEngine {
public:
    MiniMaxEngine(const Grid& grid, const EvalWeights& weights);

    // The highest score of the board after a cross on the free cell and a nought on any other free
    // cell, never less than floor (which is the worth when no reply is left).
    std::int32_t worth(int cell, std::int32_t floor);

private:
    Grid grid_;
    LineScoreTable lineScores_;
    LineSums sums_;
    std::int32_t score_;
};

// The move's visit: every free cell's worth, the first one floored at -1000000 and the rest at
// -10000000, the lowest kept with its ties in visiting order. afterCandidate(worth) runs after each
// free cell and abandons the visit by returning false; rowEnd() runs after each row of four and
// does the same. False when abandoned.
template <class AfterCandidate, class RowEnd>
bool visitMiniMax(const Grid& grid, const EvalWeights& weights, Choice& choice, AfterCandidate&& afterCandidate,
                  RowEnd&& rowEnd)
{
    MiniMaxEngine engine(grid, weights);
    choice.BestValue = kMiniMaxStartBest;
    choice.candidates.clear();
    BestCells lowest; // by negated worth, for a list that nothing managed to enter
    std::int32_t floor = kFirstReplyFloor;
    for (int row = 0; row < 16; ++row) {
        for (int k = 0; k < 4; ++k) {
            const int cell = kVisitOrder[4 * row + k];
            if (grid[cell] != kEmpty)
                continue;
            const std::int32_t worth = engine.worth(cell, floor);
            if (!afterCandidate(worth))
                return false;
            if (worth < choice.BestValue) {
                choice.BestValue = worth;
                choice.candidates.clear();
            }
            if (worth == choice.BestValue)
                choice.candidates.add(cell);
            lowest.offer(cell, -worth);
            floor = kLaterReplyFloor;
        }
        if (!rowEnd())
            return false;
    }
    choice.fallback = lowest.list();
    return true;
}

} // namespace vornix

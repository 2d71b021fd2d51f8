#include "ai/OnePly.h"

namespace vornix {

Choice visitEvalu(const Grid& grid, const EvalWeights& weights)
{
    // The board with one more cross differs from this one only in the lines through that cell,
    // so each trial adjusts the whole board's tally instead of recounting 76 lines.
    const LineSums sums = lineSumsOf(grid);
    LineTally base;
    Evaluate(grid, weights, base);

    Choice choice;
    bool first = true;
    for (int cell : kVisitOrder) {
        if (grid[cell] != kEmpty)
            continue;
        LineTally tally = base;
        const auto& through = kLinesThroughCell[cell];
        for (int n = 0; n < through.count; ++n) {
            const std::int32_t sum = sums[through.line[n]];
            withdraw(sum, tally);
            update(sum + kCross, tally);
        }
        std::int32_t value = -scoreOf(tally, weights);
        if (tally.NoughtTally[3] > 1)
            value = kTwoOpenThreesForNoughts;
        if (tally.CrossTally[3] > 1)
            value = kTwoOpenThreesForCrosses;
        if (tally.CrossTally[4] > 0)
            value = kCompletesCrossLine;

        if (first || value > choice.BestValue) {
            choice.BestValue = value;
            choice.candidates.clear();
        }
        if (value == choice.BestValue)
            choice.candidates.add(cell);
        first = false;
    }
    return choice;
}

} // namespace vornix

#include "ai/Evaluate.h"

namespace vornix {

std::int32_t scoreOf(const LineTally& t, const EvalWeights& w)
{
    return t.NoughtTally[1] * w.OneNoughtWeight - t.CrossTally[1] * w.OneCrossWeight
        + t.NoughtTally[2] * w.TwoNoughtsWeight - t.CrossTally[2] * w.TwoCrossesWeight
        + t.NoughtTally[3] * w.ThreeNoughtsWeight - t.CrossTally[3] * kThreeCrossesCoefficient
        + t.NoughtTally[4] * kFourNoughtsCoefficient - t.CrossTally[4] * kFourCrossesCoefficient;
}

std::int32_t Evaluate(const Grid& grid, const EvalWeights& w, LineTally& tally)
{
    tally = {};
    for (const Line& line : kLines)
        update(grid[line[0]] + grid[line[1]] + grid[line[2]] + grid[line[3]], tally);
    return scoreOf(tally, w);
}

LineScoreTable evaluationLineScores(const EvalWeights& w)
{
    LineScoreTable table;
    for (int sum = 0; sum <= kMaxLineSum; ++sum) {
        if (!isLineSum(sum))
            continue; // no line adds up to it (25 would be five noughts)
        LineTally one;
        update(sum, one);
        table.score[sum] = scoreOf(one, w);
    }
    return table;
}

LineSums lineSumsOf(const Grid& grid)
{
    LineSums sums{};
    for (int l = 0; l < kLineCount; ++l) {
        const Line& line = kLines[l];
        sums[l] = grid[line[0]] + grid[line[1]] + grid[line[2]] + grid[line[3]];
    }
    return sums;
}

} // namespace vornix

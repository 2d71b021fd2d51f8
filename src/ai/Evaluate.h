// The line tally and the static evaluation, always seen from the noughts' side.
#pragma once

#include "game/Board.h"

#include <array>
#include <cstdint>

namespace vornix {

// Counts of the lines holding pieces of one side only, by number of pieces. Index 0 counts empty
// lines, so an empty line is counted in both halves; a line holding both kinds counts nowhere.
struct LineTally {
    std::array<std::int32_t, 5> NoughtTally{};
    std::array<std::int32_t, 5> CrossTally{};
    friend constexpr bool operator==(const LineTally&, const LineTally&) = default;
};

// The five adjustable weights. Kept within -999..999 by every way in, so no score leaves 32 bits.
struct EvalWeights {
    std::int32_t OneNoughtWeight = 8;
    std::int32_t OneCrossWeight = 9;
    std::int32_t TwoNoughtsWeight = 40;
    std::int32_t TwoCrossesWeight = 50;
    std::int32_t ThreeNoughtsWeight = 300;
    friend constexpr bool operator==(const EvalWeights&, const EvalWeights&) = default;
};

inline constexpr std::int32_t kThreeCrossesCoefficient = 9999;
inline constexpr std::int32_t kFourNoughtsCoefficient = 100000;
inline constexpr std::int32_t kFourCrossesCoefficient = 1000000;
inline constexpr std::int32_t kWeightLimit = 999;

// The largest sum a line can have: four crosses.
inline constexpr int kMaxLineSum = 4 * kCross;

// Whether a sum can be the sum of a line: a noughts and b crosses with a + b <= 4.
constexpr bool isLineSum(int sum)
{
    for (int crosses = 0; crosses <= 4; ++crosses)
        for (int noughts = 0; noughts + crosses <= 4; ++noughts)
            if (kNought * noughts + kCross * crosses == sum)
                return true;
    return false;
}

// Adds one line, given by the sum of its four cells, to the tally.
constexpr void update(std::int32_t Number, LineTally& tally)
{
    if (Number % 7 == 0)
        ++tally.CrossTally[Number / 7];
    if (Number % 5 == 0)
        ++tally.NoughtTally[Number / 5];
}

// Takes one line back out of the tally: the inverse of update.
constexpr void withdraw(std::int32_t Number, LineTally& tally)
{
    if (Number % 7 == 0)
        --tally.CrossTally[Number / 7];
    if (Number % 5 == 0)
        --tally.NoughtTally[Number / 5];
}

// The score of a tally, in the order of its terms.
std::int32_t scoreOf(const LineTally& tally, const EvalWeights& w);

// Scores the board and leaves the whole board's tally behind.
std::int32_t Evaluate(const Grid& grid, const EvalWeights& w, LineTally& tally);

// What one line with a given sum adds to the evaluation, for every possible sum. Because the
// score is a sum over lines, a change of a few cells changes it by the change of their lines.
struct LineScoreTable {
    std::array<std::int32_t, kMaxLineSum + 1> score{};
};
LineScoreTable evaluationLineScores(const EvalWeights& w);

// The sum of each of the 76 lines.
using LineSums = std::array<std::int32_t, kLineCount>;
LineSums lineSumsOf(const Grid& grid);

} // namespace vornix

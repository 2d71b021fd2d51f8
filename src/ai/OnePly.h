// The one-ply choice of the persona Belwin: a cross tried on every free cell, each board scored.
#pragma once

#include "ai/Choice.h"
#include "ai/Evaluate.h"

namespace vornix {

inline constexpr std::int32_t kTwoOpenThreesForNoughts = -800000;
inline constexpr std::int32_t kTwoOpenThreesForCrosses = 800000;
inline constexpr std::int32_t kCompletesCrossLine = 10000000;

// Values every free cell as the negated score of the board with a cross on it, with the overrides
// for double threats and wins, and keeps the cells of the best value in visiting order.
Choice visitEvalu(const Grid& grid, const EvalWeights& weights);

} // namespace vornix

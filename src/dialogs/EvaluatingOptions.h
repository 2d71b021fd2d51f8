// The Evaluating Options dialog's contents: the ten weight boxes and the second player's panel.
// The boxes are the master copy of the weights; the dialog's widgets mirror this model.
#pragma once

#include "ai/Evaluate.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vornix {

enum class SecondPlayer : std::int32_t {
    CommonSense = 0,
    Evaluating = 1,
    MiniMaxing = 2,
    AlphaBeta = 3,
    Snibbet = 4,
    Zeddon = 5,
};

struct EvaluatingOptions {
    // Text1(0..4): the first set (noughts 1-3, crosses 1-2); Text1(5..9): the second set.
    std::array<std::string, 10> Text1{"8", "40", "300", "9", "50", "300", "40", "8", "50", "9"};
    std::int32_t Option1 = static_cast<std::int32_t>(SecondPlayer::AlphaBeta);
    std::int32_t SearcDepth2 = 2; // list index: depth - 1
    bool depthListUsable = true;

    EvalWeights firstSet() const;
    EvalWeights secondSet() const;
};

// A box's text as a weight: the number it starts with, rounded down and kept within the weights' range.
std::int32_t weightFromText(std::string_view text);

} // namespace vornix

// The number a text starts with, read as a user sees it: the weight boxes, the statistics counters
// and the captions a rotation reads back all go through here.
#pragma once

#include <cstdint>
#include <string_view>

namespace vornix {

// Beyond this a number is no longer told apart from larger ones; far outside any weight or counter.
inline constexpr std::int64_t kLeadingNumberLimit = 1'000'000'000'000'000'000;

enum class Rounding : std::uint8_t { Down, TowardZero };

// The whole part of the number at the start of the text: blanks before it are passed over, then an
// optional sign, digits, and an optional point with more digits. Reading stops at the first
// character that cannot continue the number, so " 4 2" is 4 and "1e3" is 1; a text that does not
// start with a number is 0. The result is defined for every text: it saturates at
// ±kLeadingNumberLimit, so a caller tells a number too large to hold by comparing with its own limit.
std::int64_t leadingWhole(std::string_view text, Rounding rounding);

} // namespace vornix

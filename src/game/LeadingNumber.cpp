#include "game/LeadingNumber.h"

namespace vornix {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::int64_t leadingWhole(std::string_view text, Rounding rounding)
{
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';

    // Whole digits accumulate until the limit, past which every number reads as the limit itself.
    std::int64_t whole = 0;
    while (at < text.size() && isDigit(text[at])) {
        const int digit = text[at++] - '0';
        whole = whole > (kLeadingNumberLimit - digit) / 10 ? kLeadingNumberLimit : whole * 10 + digit;
    }
    bool fraction = false;
    if (at < text.size() && text[at] == '.')
        for (++at; at < text.size() && isDigit(text[at]); ++at)
            fraction = fraction || text[at] != '0';

    if (!negative)
        return whole;
    // Rounding down takes a negative number with a fraction one further from zero: -2.5 is -3.
    if (rounding == Rounding::Down && fraction && whole < kLeadingNumberLimit)
        ++whole;
    return -whole;
}

} // namespace vornix

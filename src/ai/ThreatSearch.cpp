#include "ai/ThreatSearch.h"

#include <algorithm>

namespace vornix {

namespace {

constexpr std::size_t kTableSize = std::size_t{1} << 16;

std::size_t slotOf(Sides s)
{
    // Multiplying by odd constants spreads every bit of both sets over the slot's bits.
    const Cells mixed = s.mine * 0x9E3779B97F4A7C15ULL ^ s.theirs * 0xC2B2AE3D27D4EB4FULL;
    return static_cast<std::size_t>(mixed >> 48) & (kTableSize - 1);
}

} // namespace

ThreatSearch::ThreatSearch() : failed_(kTableSize) {}

ThreatSequence ThreatSearch::find(Sides s)
{
    nodes_ = 0;
    line_ = {};
    if (++search_ == 0) {
        // After four billion searches the stamps come round again: start the table afresh.
        std::fill(failed_.begin(), failed_.end(), Entry{});
        search_ = 1;
    }
    if (!attack(s))
        line_ = {};
    return line_;
}

bool ThreatSearch::knownToFail(Sides s) const
{
    const Entry& e = failed_[slotOf(s)];
    return e.search == search_ && e.mine == s.mine && e.theirs == s.theirs;
}

void ThreatSearch::rememberFailure(Sides s)
{
    failed_[slotOf(s)] = {s.mine, s.theirs, search_};
}

// The attacker is to move in s; the line so far is in line_. Every step puts down two pieces, so
// the search goes at most 32 steps deep.
bool ThreatSearch::attack(Sides s)
{
    ++nodes_;
    const Cells empty = s.empty();
    const Cells completing = winningCells(s.mine, s.theirs) & empty;
    if (completing != 0) {
        line_.cells[line_.count++] = static_cast<std::uint8_t>(firstCell(completing));
        return true;
    }
    // A line of three of the defender's must be blocked first: two of them cannot both be.
    const Cells mustBlock = winningCells(s.theirs, s.mine) & empty;
    if (severalCells(mustBlock) || knownToFail(s))
        return false;

    const Cells candidates = mustBlock != 0 ? mustBlock : threatMakingCells(s.mine, s.theirs) & empty;
    // Two threats at once win on the spot: look for them before searching any deeper.
    for (Cells left = candidates; left != 0; left &= left - 1) {
        const int move = firstCell(left);
        if (severalCells(threatsMadeBy(move, s.mine, s.theirs) & empty)) {
            line_.cells[line_.count++] = static_cast<std::uint8_t>(move);
            return true;
        }
    }
    for (Cells left = candidates; left != 0; left &= left - 1) {
        const int move = firstCell(left);
        const Cells threats = threatsMadeBy(move, s.mine, s.theirs) & empty;
        if (threats == 0)
            continue; // a block that threatens nothing hands the initiative back
        // The one threat forces the reply onto its cell.
        const Sides next{s.mine | cellBit(move), s.theirs | threats};
        line_.cells[line_.count++] = static_cast<std::uint8_t>(move);
        if (attack(next))
            return true;
        --line_.count;
    }
    rememberFailure(s);
    return false;
}

} // namespace vornix

#include "ai/ThreatSearch.h"

#include <algorithm>

namespace vornix {

namespace {

constexpr std::size_t kTableSize = std::size_t{1} << 16;
using LineSet = ThreatSearch::LineSet;
using Counts = ThreatSearch::Counts;

std::size_t slotOf(Sides s)
{
    // Multiplying by odd constants spreads every bit of both sets over the slot's bits.
    const Cells mixed = s.mine * 0x9E3779B97F4A7C15ULL ^ s.theirs * 0xC2B2AE3D27D4EB4FULL;
    return static_cast<std::size_t>(mixed >> 48) & (kTableSize - 1);
}

constexpr std::array<LineSet, kCells> makeLinesOfCells()
{
    std::array<LineSet, kCells> lines{};
    for (int l = 0; l < kLineCount; ++l)
        for (std::uint8_t cell : kLines[l])
            lines[cell] |= LineSet{1} << l;
    return lines;
}

constexpr std::array<LineSet, kCells> kLinesOfCell = makeLinesOfCells();

// The counts of one side's lines after a piece of its on the cell: each line through it moves up one.
void place(std::array<LineSet, 4>& side, int cell)
{
    const LineSet through = kLinesOfCell[cell];
    const LineSet none = through & ~side[0];
    side[3] = (side[3] & ~through) | (side[2] & through);
    side[2] = (side[2] & ~through) | (side[1] & through);
    side[1] = (side[1] & ~through) | none;
    side[0] |= through;
}

int lowestLine(LineSet lines)
{
    const auto low = static_cast<std::uint64_t>(lines);
    return low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(static_cast<std::uint64_t>(lines >> 64));
}

// The cells of these lines that are empty.
Cells freeCellsOf(LineSet lines, Cells empty)
{
    Cells cells = 0;
    for (; lines != 0; lines &= lines - 1)
        cells |= kLineMasks[static_cast<std::size_t>(lowestLine(lines))];
    return cells & empty;
}

Counts countsOf(Sides s)
{
    Counts counts;
    for (Cells left = s.mine; left != 0; left &= left - 1)
        place(counts.attacker, firstCell(left));
    for (Cells left = s.theirs; left != 0; left &= left - 1)
        place(counts.defender, firstCell(left));
    return counts;
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
    if (!attack(s, countsOf(s)))
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
bool ThreatSearch::attack(Sides s, const Counts& counts)
{
    ++nodes_;
    const Cells empty = s.empty();
    const LineSet attackerOpen = ~counts.defender[0];
    const LineSet defenderOpen = ~counts.attacker[0];
    const Cells completing = freeCellsOf(counts.attacker[3] & attackerOpen, empty);
    if (completing != 0) {
        line_.cells[line_.count++] = static_cast<std::uint8_t>(firstCell(completing));
        return true;
    }
    // A line of three of the defender's must be blocked first: two of them cannot both be.
    const Cells mustBlock = freeCellsOf(counts.defender[3] & defenderOpen, empty);
    if (severalCells(mustBlock) || knownToFail(s))
        return false;

    const LineSet twos = counts.attacker[2] & attackerOpen;
    const Cells candidates = mustBlock != 0 ? mustBlock : freeCellsOf(twos, empty);
    // The cells a piece of the attacker's there would leave to complete: the lines of two through it.
    const auto threatsMadeBy = [&](int move) { return freeCellsOf(twos & kLinesOfCell[move], empty & ~cellBit(move)); };
    // Two threats at once win on the spot: look for them before searching any deeper.
    for (Cells left = candidates; left != 0; left &= left - 1) {
        const int move = firstCell(left);
        if (severalCells(threatsMadeBy(move))) {
            line_.cells[line_.count++] = static_cast<std::uint8_t>(move);
            return true;
        }
    }
    for (Cells left = candidates; left != 0; left &= left - 1) {
        const int move = firstCell(left);
        const Cells threats = threatsMadeBy(move);
        if (threats == 0)
            continue; // a block that threatens nothing hands the initiative back
        // The one threat forces the reply onto its cell.
        const Sides next{s.mine | cellBit(move), s.theirs | threats};
        Counts after = counts;
        place(after.attacker, move);
        place(after.defender, firstCell(threats));
        line_.cells[line_.count++] = static_cast<std::uint8_t>(move);
        if (attack(next, after))
            return true;
        --line_.count;
    }
    rememberFailure(s);
    return false;
}

} // namespace vornix

// A position as two sets of cells, one bit a cell (bit n for cell i + 4j + 16k), and the 76 lines
// as masks: what the threat search asks of a position, answered with a few instructions.
#pragma once

#include "game/Board.h"

#include <array>
#include <bit>
#include <cstdint>

namespace vornix {

using Cells = std::uint64_t;

constexpr Cells cellBit(int cell)
{
    return Cells{1} << cell;
}

namespace detail {
constexpr std::array<Cells, kLineCount> makeLineMasks()
{
    std::array<Cells, kLineCount> masks{};
    for (int l = 0; l < kLineCount; ++l)
        for (std::uint8_t cell : kLines[l])
            masks[l] |= cellBit(cell);
    return masks;
}
} // namespace detail

inline constexpr std::array<Cells, kLineCount> kLineMasks = detail::makeLineMasks();

// The pieces of the side to move and of the other side.
struct Sides {
    Cells mine = 0;
    Cells theirs = 0;

    constexpr Cells empty() const { return ~(mine | theirs); }
    // The same position with the other side to move.
    constexpr Sides swapped() const { return {theirs, mine}; }
};

// Whether a line's free cells (those not of `mine`) number exactly one, or exactly two: a bit
// trick rather than a population count, which machines without the instruction make slow.
constexpr bool singleCell(Cells cells)
{
    return cells != 0 && (cells & (cells - 1)) == 0;
}

// Whether a set holds more than one cell.
constexpr bool severalCells(Cells cells)
{
    return (cells & (cells - 1)) != 0;
}

constexpr bool twoCells(Cells cells)
{
    return cells != 0 && singleCell(cells & (cells - 1));
}

// The free cells of the lines that hold three (or two) pieces of `mine` and none of the other side's.
template <int held>
constexpr Cells freeCellsOfLinesHolding(Cells mine, Cells theirs)
{
    static_assert(held == 2 || held == 3);
    Cells cells = 0;
    for (Cells line : kLineMasks) {
        const Cells free = line & ~mine;
        if ((theirs & line) == 0 && (held == 3 ? singleCell(free) : twoCells(free)))
            cells |= free;
    }
    return cells;
}

// The empty cells that would complete a line of `mine`.
constexpr Cells winningCells(Cells mine, Cells theirs)
{
    return freeCellsOfLinesHolding<3>(mine, theirs);
}

// The empty cells where a piece of `mine` makes a line of three with its fourth cell empty.
constexpr Cells threatMakingCells(Cells mine, Cells theirs)
{
    return freeCellsOfLinesHolding<2>(mine, theirs);
}

// The empty cells that a piece of `mine` on `cell` would leave to complete, through its own lines.
constexpr Cells threatsMadeBy(int cell, Cells mine, Cells theirs)
{
    const Cells after = mine | cellBit(cell);
    Cells cells = 0;
    const auto& through = kLinesThroughCell[cell];
    for (int n = 0; n < through.count; ++n) {
        const Cells line = kLineMasks[through.line[n]];
        if ((theirs & line) == 0 && singleCell(line & ~after))
            cells |= line & ~after;
    }
    return cells;
}

// Whether `mine` holds a whole line.
constexpr bool hasLine(Cells mine)
{
    for (Cells line : kLineMasks)
        if ((mine & line) == line)
            return true;
    return false;
}

// The lowest cell of a set, which must not be empty.
constexpr int firstCell(Cells cells)
{
    return std::countr_zero(cells);
}

// A board of the game's own values, crosses or noughts to move.
constexpr Sides sidesOf(const Grid& grid, std::int32_t toMove)
{
    Sides s;
    for (int n = 0; n < kCells; ++n) {
        if (grid[n] == toMove)
            s.mine |= cellBit(n);
        else if (grid[n] != kEmpty)
            s.theirs |= cellBit(n);
    }
    return s;
}

} // namespace vornix

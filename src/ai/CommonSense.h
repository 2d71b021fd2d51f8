// The rules of thumb of the persona Tovi: threats counted through each free cell.
#pragma once

#include "ai/Choice.h"
#include "game/Board.h"

#include <cstdint>

namespace vornix {

// A line sum that is a multiple of player and greater than degree.
constexpr bool connect(std::int32_t Number, std::int32_t degree, std::int32_t player)
{
    return Number % player == 0 && Number > degree;
}

// The number of lines through the cell that, with player imagined on the cell, hold that kind only
// and sum to more than degree. The cell's own content does not matter.
std::int32_t countthtreats(const Grid& grid, std::int32_t mx, std::int32_t my, std::int32_t mz, std::int32_t degree,
                           std::int32_t player);

// The value of a cross on each free cell, BestValue starting at 0 as the turn dispatcher leaves it.
Choice visitTurn(const Grid& grid, Coord lastHumanMove);

inline constexpr std::int32_t kCommonSenseWin = 10000;

} // namespace vornix

// The permutations of the cells that map every winning line onto a winning line. The quarter turns
// and mirrors of the cube are among them, and so are the twists that swap the corners with the
// inner cells. Every score of the game is a sum over lines, so two positions that one of these
// permutations maps onto each other are worth the same.
#pragma once

#include "game/Board.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vornix {

using CellPermutation = std::array<std::uint8_t, kCells>;

// All of them.
const std::vector<CellPermutation>& lineAutomorphisms();

// Those that leave the position as it is.
std::vector<CellPermutation> stabiliserOf(const Grid& grid);

} // namespace vornix

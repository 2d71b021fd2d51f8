// The cube's 192 symmetries applied to sets of cells with shifts and masks: what the proof searches
// need to bring a position to its one canonical image and to find the moves that its symmetries
// repeat.
#pragma once

#include "ai/Bitboard.h"

namespace vornix {

// The smallest of a position's images under the 192 symmetries, the side to move first.
Sides canonical(Sides s);

// Those of these moves that no symmetry keeping the position maps onto a lower one of them: the
// others lead to images of positions their lower twins lead to.
Cells distinctMoves(Sides s, Cells moves);

// The cell of s that a symmetry taking s to its image maps onto imageCell.
int cellOfImage(Sides s, Sides image, int imageCell);

} // namespace vornix

// The cube's quarter turns and mirrors: symmetries of the board that map lines onto lines.
#pragma once

#include "game/Board.h"

namespace vornix {

enum class Symmetry : std::uint8_t {
    XClockwise,
    XAntiClockwise,
    YClockwise,
    YAntiClockwise,
    ZClockwise,
    ZAntiClockwise,
    MirrorX, // reverses i: the mirror in the Y-Z plane
    MirrorY, // reverses j: the mirror in the X-Z plane
    MirrorZ, // reverses k: the mirror in the X-Y plane
};

// The cell of the old board whose value the new board's cell receives.
Coord sourceOf(Symmetry symmetry, Coord target);

Grid transformed(const Grid& grid, Symmetry symmetry);

// The symmetry RotateAxis applies for its arguments: axis "x", "y" or "z"; Mirror only counts when
// the turn is not clockwise.
Symmetry symmetryOf(char axis, bool clockwise, bool mirror);

} // namespace vornix

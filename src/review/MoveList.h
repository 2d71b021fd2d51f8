// The move list: what each placement of a game was, worked out from the positions the game keeps
// after every placement, and written for people ("7. Crosses: layer 2, row 3, column 1").
#pragma once

#include "game/Board.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vornix {

// Who placed a piece, where it is known: the game knows it of the placements made in this session,
// not of those of a loaded game.
enum class Placer : std::uint8_t { Unknown, Human, Computer };

struct Placement {
    int cell = 0;             // as the cells stand in the positions given
    std::int32_t side = kNought; // the piece placed: kNought or kCross
    Placer placer = Placer::Unknown;
    bool extraGo = false;     // the same side placed the placement before too
    bool afterSwap = false;   // the men were swapped since the placement before
};

// The placements that lead from positions[0] through positions[1..count]. Where two positions
// differ by anything but one new piece and, perhaps, a swap of all the men, the list stops there.
// placers[n] says who made placement n + 1.
std::vector<Placement> placementsOf(const Grid* positions, int count, const Placer* placers);

// "7. Crosses: layer 2, row 3, column 1", with "(computer)", "(extra go)" and "(after a swap)"
// added where they hold.
std::string placementRow(int number, const Placement& placement);

// The side to move after placement `number` (1 and up): the side that placed next, or after the
// last, the other side from it.
std::int32_t sideToMoveAfter(const std::vector<Placement>& list, std::size_t number);

// "layer 2, row 3, column 1".
std::string spokenPlace(int cell);

} // namespace vornix

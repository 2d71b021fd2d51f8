// What the player may paste as a new game: a list of placements in the notation (or as indexes),
// replayed from the empty board with noughts first; or a position of 64 characters ('.', 'O', 'X'
// in flat cell order), set up with no history before it.
#pragma once

#include "game/Board.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vornix {

struct PastedPlacements {
    std::vector<int> cells; // noughts place first, then the sides take turns
};

struct PastedPosition {
    Grid grid{};
    bool noughtsToMove = true; // the side with fewer pieces; noughts when the counts are equal
};

// Why a paste was refused, in words for the player.
struct PasteRefusal {
    std::string reason;
};

using Pasted = std::variant<PastedPlacements, PastedPosition, PasteRefusal>;

// The text read as placements or as a position; surrounding white space is ignored.
Pasted readPaste(std::string_view text);

// The board as 64 characters, and the placements in the notation separated by spaces.
std::string positionText(const Grid& grid);
std::string placementsText(const std::vector<int>& cells);

} // namespace vornix

// The game's notation for people: a cell as three digits, layer, row and column, each 1-4 ("231" is
// layer 2, row 3, column 1: the cell i + 4j + 16k = 24). Lists of cells are read in it, and in the
// plain indexes 0-63 that the analysis tool prints, token by token.
#pragma once

#include "game/Board.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornix {

// "231" for cell 24.
std::string cellName(int cell);

// A cell from a token: three digits 1-4 in the notation, or one or two digits an index 0-63.
std::optional<int> readCell(std::string_view token);

// The cells of a list separated by spaces, commas or both; nothing when a token is not a cell or a
// cell comes twice.
std::optional<std::vector<int>> readCells(std::string_view text);

// The board after these placements from the empty one, made alternately so that crosses are to
// move after the last; nothing when a line is completed on the way or at the end.
std::optional<Grid> boardAfter(const std::vector<int>& cells);

} // namespace vornix

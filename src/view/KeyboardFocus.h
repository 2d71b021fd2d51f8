// Playing from the keyboard: which cell the focus moves to, and what a cell says to a screen reader.
#pragma once

#include "game/Board.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace vornix {

enum class FocusStep : std::uint8_t { Left, Right, Up, Down, LayerUp, LayerDown, Home };

// The cell the focus moves to: along i (left, right) and j (up, down) within its layer, to the same
// cell of the layer drawn above or below (k), or home to cell 0. At the cube's edge it stays put.
constexpr int focusAfter(int cell, FocusStep step)
{
    Coord c = coordOf(cell);
    auto move = [](int& coordinate, int by) { coordinate = std::clamp(coordinate + by, 0, 3); };
    switch (step) {
    case FocusStep::Left: move(c.i, -1); break;
    case FocusStep::Right: move(c.i, +1); break;
    case FocusStep::Up: move(c.j, -1); break;
    case FocusStep::Down: move(c.j, +1); break;
    case FocusStep::LayerUp: move(c.k, -1); break;
    case FocusStep::LayerDown: move(c.k, +1); break;
    case FocusStep::Home: return 0;
    }
    return cellIndex(c);
}

// "Layer 2, row 3, column 1: nought", counted from 1 as a player would.
inline std::string spokenCell(int cell, std::string_view caption)
{
    const Coord c = coordOf(cell);
    const char* content = caption == "O" ? "nought" : caption == "X" ? "cross" : "empty";
    return "Layer " + std::to_string(c.k + 1) + ", row " + std::to_string(c.j + 1) + ", column "
        + std::to_string(c.i + 1) + ": " + content;
}

} // namespace vornix

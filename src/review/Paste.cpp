#include "review/Paste.h"

#include "game/Notation.h"

#include <algorithm>

namespace vornix {

namespace {

constexpr std::string_view kSpace = " \t\r\n";

std::string_view trimmed(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(kSpace);
    if (start == std::string_view::npos)
        return {};
    return text.substr(start, text.find_last_not_of(kSpace) - start + 1);
}

Pasted readPosition(std::string_view text)
{
    PastedPosition p;
    int noughts = 0;
    int crosses = 0;
    for (int cell = 0; cell < kCells; ++cell) {
        switch (text[static_cast<std::size_t>(cell)]) {
        case '.': break;
        case 'O': p.grid[cell] = kNought; ++noughts; break;
        case 'X': p.grid[cell] = kCross; ++crosses; break;
        default: return PasteRefusal{"A position is 64 characters, each '.', 'O' or 'X'."};
        }
    }
    if (noughts > crosses + 1 || crosses > noughts + 1)
        return PasteRefusal{"One side has more than one piece more than the other: no game reaches that position."};
    if (lineWinner(p.grid) != kEmpty)
        return PasteRefusal{"That position has a completed line: the game would be over."};
    if (noughts + crosses == kCells)
        return PasteRefusal{"That board is full: there is no game left to play."};
    p.noughtsToMove = noughts <= crosses;
    return p;
}

} // namespace

Pasted readPaste(std::string_view text)
{
    text = trimmed(text);
    if (text.empty())
        return PasteRefusal{"There is nothing to paste: copy a position or a list of placements first."};
    constexpr std::string_view kNeither = "That is neither a position of 64 characters nor a list of placements such as "
                                          "\"111 222 141\" with no cell twice.";
    if (text.find_first_not_of("0123456789, \t\r\n") != std::string_view::npos)
        return text.size() == kCells ? readPosition(text) : PasteRefusal{std::string(kNeither)};
    const std::optional<std::vector<int>> cells = readCells(text);
    if (!cells || cells->empty())
        return PasteRefusal{std::string(kNeither)};
    Grid grid{};
    for (std::size_t n = 0; n < cells->size(); ++n) {
        if (lineWinner(grid) != kEmpty)
            return PasteRefusal{"A line is completed before placement " + std::to_string(n + 1)
                                + ": the game was over by then."};
        grid[(*cells)[n]] = n % 2 == 0 ? kNought : kCross;
    }
    if (lineWinner(grid) != kEmpty)
        return PasteRefusal{"The last placement completes a line: the game would be over."};
    if (cells->size() == kCells)
        return PasteRefusal{"Those placements fill the board: there is no game left to play."};
    return PastedPlacements{*cells};
}

std::string positionText(const Grid& grid)
{
    std::string text(kCells, '.');
    for (int cell = 0; cell < kCells; ++cell)
        text[static_cast<std::size_t>(cell)] = grid[cell] == kNought ? 'O' : grid[cell] == kCross ? 'X' : '.';
    return text;
}

std::string placementsText(const std::vector<int>& cells)
{
    std::string text;
    for (const int cell : cells) {
        if (!text.empty())
            text += ' ';
        text += cellName(cell);
    }
    return text;
}

} // namespace vornix

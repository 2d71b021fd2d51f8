#include "game/Notation.h"

namespace vornix {

std::string cellName(int cell)
{
    const Coord c = coordOf(cell);
    return {static_cast<char>('1' + c.k), static_cast<char>('1' + c.j), static_cast<char>('1' + c.i)};
}

std::optional<int> readCell(std::string_view token)
{
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (token.size() == 3) {
        for (char c : token)
            if (c < '1' || c > '4')
                return std::nullopt;
        return cellIndex(token[2] - '1', token[1] - '1', token[0] - '1');
    }
    if (token.empty() || token.size() > 2 || !digit(token[0]) || (token.size() == 2 && !digit(token[1])))
        return std::nullopt;
    const int index = token.size() == 1 ? token[0] - '0' : (token[0] - '0') * 10 + (token[1] - '0');
    return index < kCells ? std::optional<int>(index) : std::nullopt;
}

std::optional<std::vector<int>> readCells(std::string_view text)
{
    std::vector<int> cells;
    std::uint64_t seen = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(" ,\t\r\n", at);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(text.find_first_of(" ,\t\r\n", start), text.size());
        const std::optional<int> cell = readCell(text.substr(start, end - start));
        if (!cell || (seen >> *cell & 1U) != 0)
            return std::nullopt;
        seen |= std::uint64_t{1} << *cell;
        cells.push_back(*cell);
        at = end;
    }
    return cells;
}

std::optional<Grid> boardAfter(const std::vector<int>& cells)
{
    Grid grid{};
    const std::size_t count = cells.size();
    for (std::size_t n = 0; n < count; ++n) {
        if (n > 0 && gameFinished(grid))
            return std::nullopt;
        // The last placement is noughts', so that crosses are to move.
        grid[cells[n]] = (count - n) % 2 == 1 ? kNought : kCross;
    }
    if (gameFinished(grid))
        return std::nullopt;
    return grid;
}

} // namespace vornix

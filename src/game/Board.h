// The 4x4x4 board: cells, their indexes and the 76 winning lines.
#pragma once

#include <array>
#include <cstdint>

namespace vornix {

inline constexpr std::int32_t kEmpty = 0;
inline constexpr std::int32_t kNought = 5;
inline constexpr std::int32_t kCross = 7;

inline constexpr int kCells = 64;
inline constexpr int kLineCount = 76;

// GridContents: element (i, j, k) lives at the flat index i + 4j + 16k, the index of its cell label.
using Grid = std::array<std::int32_t, kCells>;

struct Coord {
    std::int32_t i = 0;
    std::int32_t j = 0;
    std::int32_t k = 0;
    friend constexpr bool operator==(Coord, Coord) = default;
};

constexpr int cellIndex(int i, int j, int k) { return i + 4 * j + 16 * k; }
constexpr int cellIndex(Coord c) { return cellIndex(c.i, c.j, c.k); }
constexpr Coord coordOf(int n) { return {n % 4, (n / 4) % 4, n / 16}; }

// How many pieces of either side stand on a board.
constexpr int piecesOn(const Grid& grid)
{
    int pieces = 0;
    for (std::int32_t cell : grid)
        pieces += cell != kEmpty;
    return pieces;
}

// The caption a cell shows for what it holds.
constexpr const char* captionOf(std::int32_t value)
{
    return value == kCross ? "X" : value == kNought ? "O" : "";
}

using Line = std::array<std::uint8_t, 4>;

namespace detail {
constexpr std::array<Line, kLineCount> makeLines()
{
    std::array<Line, kLineCount> lines{};
    int n = 0;
    auto add = [&](auto cellAt) {
        for (int t = 0; t < 4; ++t) {
            const Coord c = cellAt(t);
            lines[n][t] = static_cast<std::uint8_t>(cellIndex(c));
        }
        ++n;
    };
    // The four space diagonals first, then for each a its straight lines and plane diagonals.
    add([](int t) { return Coord{t, t, t}; });
    add([](int t) { return Coord{3 - t, 3 - t, t}; });
    add([](int t) { return Coord{t, 3 - t, t}; });
    add([](int t) { return Coord{3 - t, t, t}; });
    for (int a = 0; a < 4; ++a) {
        for (int b = 0; b < 4; ++b) {
            add([=](int t) { return Coord{a, b, t}; });
            add([=](int t) { return Coord{a, t, b}; });
            add([=](int t) { return Coord{t, b, a}; });
        }
        add([=](int t) { return Coord{a, t, t}; });
        add([=](int t) { return Coord{a, 3 - t, t}; });
        add([=](int t) { return Coord{t, a, t}; });
        add([=](int t) { return Coord{3 - t, a, t}; });
        add([=](int t) { return Coord{t, t, a}; });
        add([=](int t) { return Coord{t, 3 - t, a}; });
    }
    return lines;
}

struct CellLines {
    std::array<std::uint8_t, 7> line{};
    std::uint8_t count = 0;
};

constexpr std::array<CellLines, kCells> makeLinesThroughCells(const std::array<Line, kLineCount>& lines)
{
    std::array<CellLines, kCells> through{};
    for (int l = 0; l < kLineCount; ++l)
        for (std::uint8_t cell : lines[l]) {
            CellLines& c = through[cell];
            c.line[c.count++] = static_cast<std::uint8_t>(l);
        }
    return through;
}

constexpr std::array<std::uint8_t, kCells> makeVisitOrder()
{
    std::array<std::uint8_t, kCells> order{};
    int n = 0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k)
                order[n++] = static_cast<std::uint8_t>(cellIndex(i, j, k));
    return order;
}
} // namespace detail

// The 76 lines in the order the evaluation walks them.
inline constexpr std::array<Line, kLineCount> kLines = detail::makeLines();

// For each cell, the 4 or 7 lines through it.
inline constexpr std::array<detail::CellLines, kCells> kLinesThroughCell = detail::makeLinesThroughCells(kLines);

namespace detail {
constexpr std::array<std::uint64_t, kCells> makeCollinear()
{
    std::array<std::uint64_t, kCells> masks{};
    for (const Line& line : kLines)
        for (std::uint8_t a : line)
            for (std::uint8_t b : line)
                if (a != b)
                    masks[a] |= std::uint64_t{1} << b;
    return masks;
}
} // namespace detail

// For each cell, the cells that share a line with it (bit n for cell n).
inline constexpr std::array<std::uint64_t, kCells> kCollinear = detail::makeCollinear();

// The order in which the computer's strategies try cells: i outermost, then j, then k innermost.
inline constexpr std::array<std::uint8_t, kCells> kVisitOrder = detail::makeVisitOrder();

// The side (kNought or kCross) holding a whole line on this board; kEmpty when neither does.
constexpr std::int32_t lineWinner(const Grid& grid)
{
    for (const Line& line : kLines) {
        const std::int32_t first = grid[line[0]];
        if (first != kEmpty && grid[line[1]] == first && grid[line[2]] == first && grid[line[3]] == first)
            return first;
    }
    return kEmpty;
}

// Whether no placement may follow on this board: a side holds a whole line, or no cell is free.
constexpr bool gameFinished(const Grid& grid)
{
    return lineWinner(grid) != kEmpty || piecesOn(grid) == kCells;
}

} // namespace vornix

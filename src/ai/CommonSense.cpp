#include "ai/CommonSense.h"

namespace vornix {

namespace {

std::int32_t threatsThrough(const Grid& grid, int cell, std::int32_t degree, std::int32_t player)
{
    std::int32_t count = 0;
    const auto& through = kLinesThroughCell[cell];
    for (int n = 0; n < through.count; ++n) {
        std::int32_t sum = 0;
        for (int member : kLines[through.line[n]])
            sum += member == cell ? player : grid[member];
        if (connect(sum, degree, player))
            ++count;
    }
    return count;
}

// Corners and inner cells: the cells on a space diagonal.
bool onSpaceDiagonal(Coord c)
{
    return (c.i == c.j && c.i == c.k) || (c.i == c.j && c.i + c.k == 3) || (c.i == c.k && c.i + c.j == 3)
        || (c.i + c.j == 3 && c.i + c.k == 3);
}

} // namespace

std::int32_t countthtreats(const Grid& grid, std::int32_t mx, std::int32_t my, std::int32_t mz, std::int32_t degree,
                           std::int32_t player)
{
    return threatsThrough(grid, cellIndex(mx, my, mz), degree, player);
}

Choice visitTurn(const Grid& grid, Coord lastHumanMove)
{
    // The human's last move taken away, to see what it has just built.
    Grid withoutLastMove = grid;
    withoutLastMove[cellIndex(lastHumanMove)] = kEmpty;

    Choice choice;
    BestCells seen;
    for (int cell : kVisitOrder) {
        if (grid[cell] != kEmpty)
            continue;
        const std::int32_t before3 = threatsThrough(withoutLastMove, cell, 10, kNought);
        const std::int32_t before2 = threatsThrough(withoutLastMove, cell, 5, kNought);
        const std::int32_t crossWins = threatsThrough(grid, cell, 21, kCross);
        const std::int32_t noughtWins = threatsThrough(grid, cell, 15, kNought);
        const std::int32_t crossThrees = threatsThrough(grid, cell, 14, kCross);
        const std::int32_t noughtThrees = threatsThrough(grid, cell, 10, kNought);
        const std::int32_t noughtTwos = threatsThrough(grid, cell, 5, kNought);
        const std::int32_t crossTwos = threatsThrough(grid, cell, 7, kCross);

        std::int32_t value = 0;
        if (crossWins > 0)
            value += kCommonSenseWin;
        if (noughtWins > 0)
            value += 2000;
        if (crossThrees > 1)
            value += 1000;
        if (noughtThrees > 1)
            value += 500;
        value += (noughtThrees - before3) * 64;
        value += noughtThrees * 32;
        value += crossThrees * 100;
        value += (noughtTwos - before2) * 8;
        value += noughtTwos * 4;
        value += crossTwos * 64;
        if (onSpaceDiagonal(coordOf(cell)))
            value += 20;

        if (value > choice.BestValue) {
            choice.BestValue = value;
            choice.candidates.clear();
        }
        if (value == choice.BestValue)
            choice.candidates.add(cell);
        seen.offer(cell, value);
    }
    choice.fallback = seen.list();
    return choice;
}

} // namespace vornix

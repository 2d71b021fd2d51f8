#include "book/Strategy.h"

#include "ai/BoardSymmetries.h"

#include <algorithm>
#include <set>
#include <vector>

namespace vornix {

namespace {

// The free cells that would complete a line of `piece` on a plain board.
std::vector<int> completingCells(const Grid& g, std::int32_t piece)
{
    std::vector<int> cells;
    for (const Line& line : kLines) {
        int mine = 0;
        int free = -1;
        for (int cell : line) {
            if (g[cell] == piece)
                ++mine;
            else if (g[cell] == kEmpty)
                free = cell;
        }
        if (mine == 3 && free >= 0 && std::find(cells.begin(), cells.end(), free) == cells.end())
            cells.push_back(free);
    }
    return cells;
}

bool holdsLine(const Grid& g, std::int32_t piece)
{
    for (const Line& line : kLines)
        if (g[line[0]] == piece && g[line[1]] == piece && g[line[2]] == piece && g[line[3]] == piece)
            return true;
    return false;
}

Grid gridOf(Sides s)
{
    Grid g{};
    for (int n = 0; n < kCells; ++n)
        g[n] = (s.mine & cellBit(n)) ? kCross : (s.theirs & cellBit(n)) ? kNought : kEmpty;
    return g;
}

} // namespace

bool threatWinHolds(Sides s, const ThreatSequence& sequence)
{
    Grid g = gridOf(s);
    for (int n = 0; n < sequence.count; ++n) {
        const int cell = sequence.cells[n];
        if (g[cell] != kEmpty)
            return false;
        g[cell] = kCross;
        if (holdsLine(g, kCross))
            return true;
        if (!completingCells(g, kNought).empty())
            return false; // the defender completes a line first
        const std::vector<int> threats = completingCells(g, kCross);
        if (threats.size() >= 2)
            return true;
        if (threats.empty())
            return false;
        g[threats[0]] = kNought; // any other reply loses to the line at once
    }
    return false;
}

StrategyMove strategyMove(Sides s, const Book& book, ThreatSearch& threats)
{
    const Cells empty = s.empty();
    if (const Cells complete = winningCells(s.mine, s.theirs) & empty)
        return {StrategyStep::Complete, firstCell(complete), {}};
    const Cells block = winningCells(s.theirs, s.mine) & empty;
    if (severalCells(block))
        return {StrategyStep::Lost, -1, {}};
    if (block != 0)
        return {StrategyStep::Block, firstCell(block), {}};
    if (const ThreatSequence win = threats.find(s); !win.empty())
        return {StrategyStep::Threats, win.cells[0], win};
    if (const std::optional<int> move = book.moveAt(s))
        return {StrategyStep::BookMove, *move, {}};
    return {};
}

BookCheck checkBook(const Book& book, const std::function<void(Sides)>& onFrontier, Sides from)
{
    BookCheck check;
    ThreatSearch threats;
    std::set<std::pair<Cells, Cells>> seen;
    std::vector<Sides> pending{from};
    while (!pending.empty() && check.fault.empty()) {
        const Sides s = pending.back();
        pending.pop_back();
        const Sides c = canonical(s);
        if (!seen.insert({c.mine, c.theirs}).second)
            continue;
        ++check.positions;
        const StrategyMove m = strategyMove(s, book, threats);
        switch (m.step) {
        case StrategyStep::Complete:
            ++check.leaves;
            continue;
        case StrategyStep::Threats:
            if (!threatWinHolds(s, m.sequence))
                check.fault = "the forced win by threats at " + positionText(s) + " does not hold";
            ++check.leaves;
            continue;
        case StrategyStep::Lost:
            check.fault = "the strategy loses at " + positionText(s);
            continue;
        case StrategyStep::NotInBook:
            ++check.frontier;
            onFrontier(s);
            continue;
        case StrategyStep::Block:
        case StrategyStep::BookMove: break;
        }
        if (m.move < 0 || (s.empty() & cellBit(m.move)) == 0) {
            check.fault = "the book's move at " + positionText(s) + " is not a free cell";
            continue;
        }
        const Sides after{s.mine | cellBit(m.move), s.theirs};
        if (hasLine(after.mine)) {
            ++check.leaves;
            continue;
        }
        const Cells replies = distinctMoves({after.theirs, after.mine}, after.empty());
        if (replies == 0)
            check.fault = "the strategy fills the board without a line at " + positionText(after);
        for (Cells left = replies; left != 0; left &= left - 1) {
            const Sides next{after.mine, after.theirs | (left & (0 - left))};
            if (hasLine(next.theirs))
                check.fault = "the other side completes a line at " + positionText(next);
            pending.push_back(next);
        }
    }
    return check;
}

} // namespace vornix

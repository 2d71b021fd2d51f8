#include "ai/Zeddon.h"

#include <bit>

namespace vornix {

namespace {

CellList listOf(Cells cells)
{
    CellList list;
    for (std::uint8_t cell : kVisitOrder)
        if (cells & cellBit(cell))
            list.add(cell);
    return list;
}

} // namespace

std::string_view reasonName(ZeddonReason reason)
{
    switch (reason) {
    case ZeddonReason::Win: return "win";
    case ZeddonReason::Block: return "block";
    case ZeddonReason::Threats: return "threats";
    case ZeddonReason::Proof: return "proof";
    case ZeddonReason::Search: return "search";
    }
    return "";
}

ZeddonChoice Zeddon::choose(const Grid& grid, const EvalWeights& weights, const std::function<bool()>& keepGoing)
{
    const Sides crosses = sidesOf(grid, kCross);
    const Cells empty = crosses.empty();
    if (const Cells win = winningCells(crosses.mine, crosses.theirs) & empty)
        return {ZeddonReason::Win, listOf(win)};
    if (const Cells block = winningCells(crosses.theirs, crosses.mine) & empty)
        return {ZeddonReason::Block, listOf(block)};
    if (const ThreatSequence forced = threats_.find(crosses); !forced.empty())
        return {ZeddonReason::Threats, listOf(cellBit(forced.cells[0]))};
    // Once keepGoing() says no, nothing more is asked or searched: the move is abandoned.
    bool stopped = false;
    const auto goOn = [&] { return !(stopped = stopped || !keepGoing()); };
    if (kCells - std::popcount(empty) >= kProofFromPieces) {
        if (const ProofResult proven = proof_.solve(crosses, goOn); proven.proof == Proof::Win)
            return {ZeddonReason::Proof, listOf(cellBit(proven.move))};
    }
    if (stopped)
        return {};

    // The cells after which the player cannot force a win by threats; when there are none, those
    // that make the player's forced win longest.
    Cells safe = 0;
    Cells holdOut = 0;
    int longest = -1;
    for (Cells left = empty; left != 0; left &= left - 1) {
        const int cell = firstCell(left);
        const ThreatSequence reply = threats_.find({crosses.theirs, crosses.mine | cellBit(cell)});
        if (reply.empty()) {
            safe |= cellBit(cell);
        } else if (reply.count >= longest) {
            holdOut = reply.count > longest ? cellBit(cell) : holdOut | cellBit(cell);
            longest = reply.count;
        }
    }
    if (safe == 0)
        return {ZeddonReason::Search, listOf(holdOut)};

    // Two plies deeper while the search stays within its budget: an odd depth weighs the lines for
    // the side that moves after the last ply, as the shallow search does.
    ZeddonChoice choice{ZeddonReason::Search, {}};
    for (const std::int32_t depth : {kSearchDepth, kDeepSearchDepth}) {
        search_.reset(grid, weights, depth);
        search_.setNodeLimit(depth == kSearchDepth ? ~std::uint64_t{0} : kDeepSearchNodes);
        BestCells best;
        std::int32_t floor = kRootFloor;
        for (std::uint8_t cell : kVisitOrder) {
            if (!(safe & cellBit(cell)))
                continue;
            if (!goOn())
                return {};
            const std::int32_t value = search_.CrossPly(cell, floor);
            if (search_.overBudget())
                return choice;
            if (value >= floor) {
                best.offer(cell, value);
                floor = best.best();
            }
        }
        // Every safe cell below the floor: any of them.
        choice.candidates = best.list().empty() ? listOf(safe) : best.list();
    }
    return choice;
}

} // namespace vornix

#include "ai/Zeddon.h"

#include <algorithm>
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
    case ZeddonReason::Book: return "book";
    case ZeddonReason::Proof: return "proof";
    case ZeddonReason::Search: return "search";
    }
    return "";
}

bool Zeddon::hasSafeReply(Sides s)
{
    const Cells empty = s.empty();
    if (winningCells(s.mine, s.theirs) & empty)
        return true;
    const Cells forced = winningCells(s.theirs, s.mine) & empty;
    if (severalCells(forced))
        return false;
    for (Cells left = forced ? forced : empty; left != 0; left &= left - 1) {
        if (safetyNodes_ > kSafetyNodes)
            return true; // out of budget: taken as held
        const bool held = threats_.find({s.theirs, s.mine | cellBit(firstCell(left))}).empty();
        safetyNodes_ += threats_.nodes();
        if (held)
            return true;
    }
    return false;
}

// A line of three that does not lead to a forced win is only blocked: it spends a threat that a
// later forced win might have needed and gives the player a piece where it must go.
Cells Zeddon::makingNoThree(Sides crosses, Cells cells)
{
    Cells quiet = 0;
    for (Cells left = cells; left != 0; left &= left - 1)
        if ((threatsMadeBy(firstCell(left), crosses.mine, crosses.theirs) & crosses.empty()) == 0)
            quiet |= left & (0 - left);
    return quiet;
}

Cells Zeddon::keepingASafeReply(Sides crosses, Cells safe)
{
    safetyNodes_ = 0;
    Cells kept = 0;
    for (Cells left = safe; left != 0; left &= left - 1) {
        const Sides after{crosses.mine | cellBit(firstCell(left)), crosses.theirs};
        bool holds = true;
        for (Cells replies = after.empty(); holds && replies != 0; replies &= replies - 1)
            holds = hasSafeReply({after.mine, after.theirs | cellBit(firstCell(replies))});
        if (holds)
            kept |= left & (0 - left);
    }
    return kept;
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
    // Crosses began when they are to move with as many pieces as noughts.
    if (book_ != nullptr && std::popcount(crosses.mine) == std::popcount(crosses.theirs)) {
        if (const std::optional<int> move = book_->moveAt(crosses))
            return {ZeddonReason::Book, listOf(cellBit(*move))};
    }
    // Once keepGoing() says no, nothing more is asked or searched: the move is abandoned.
    bool stopped = false;
    const auto goOn = [&] {
        stopped = stopped || !keepGoing();
        return !stopped;
    };
    const auto proverGoesOn = [&](const ProverProgress&) { return goOn(); };
    if (const ProofResult proven = proof_.prove(crosses, proverGoesOn, kProofNodes); proven.proof == Proof::Win)
        return {ZeddonReason::Proof, listOf(cellBit(proven.move))};
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
    if (const Cells saferStill = keepingASafeReply(crosses, safe))
        safe = saferStill;
    if (const Cells quiet = makingNoThree(crosses, safe))
        safe = quiet;

    // The best of the safe cells, unless the proof search shows the player a win after every one
    // of them: then the best of the others, while its budget lasts.
    std::uint64_t guardNodes = 0;
    for (;;) {
        const std::optional<CellList> best = bestByDeepSearch(grid, weights, safe, goOn);
        if (!best)
            return {};
        Cells lost = 0;
        for (int n = 0; n < best->count && guardNodes < kGuardNodesPerMove; ++n) {
            const Cells cell = cellBit(best->cells[n]);
            const ProofResult reply = guard_.solve({crosses.theirs, crosses.mine | cell}, goOn, kGuardNodes);
            guardNodes += reply.nodes;
            if (reply.proof == Proof::Win)
                lost |= cell;
        }
        if (stopped)
            return {};
        CellList kept;
        for (int n = 0; n < best->count; ++n)
            if (!(lost & cellBit(best->cells[n])))
                kept.add(best->cells[n]);
        if (!kept.empty() || (safe & ~lost) == 0)
            return {ZeddonReason::Search, kept.empty() ? *best : kept};
        safe &= ~lost;
    }
}

std::optional<CellList> Zeddon::bestByDeepSearch(const Grid& grid, const EvalWeights& weights, Cells cells,
                                                 const std::function<bool()>& goOn)
{
    // Two plies deeper while the search stays within its budget: an odd depth weighs the lines for
    // the side that moves after the last ply, as the shallow search does.
    // Crosses moved first when they are to move with as many pieces as noughts.
    const int pieces = piecesOn(grid);
    const Sides crosses = sidesOf(grid, kCross);
    const bool first = 2 * std::popcount(crosses.mine) == pieces;
    const std::int32_t margin = pieces >= kVarietyBeforePieces ? 0 : first ? kVarietyMargin : kVarietyMarginSecond;
    // The replies after which the book has the first player's move: the other side's pieces stand
    // where the book puts them.
    Cells answered = 0;
    if (!first && book_ != nullptr && pieces < kVarietyBeforePieces)
        for (Cells left = cells; left != 0; left &= left - 1) {
            const Cells reply = left & (0 - left);
            if (book_->contains({crosses.theirs, crosses.mine | reply}))
                answered |= reply;
        }
    const std::int32_t bookMargin = answered != 0 ? kBookLineMargin[static_cast<std::size_t>(pieces / 2)] : 0;
    const std::int32_t widest = std::max(margin, bookMargin);
    const auto near = [&](int cell, std::int32_t value, std::int32_t best) {
        return value >= best - margin || ((answered & cellBit(cell)) != 0 && value >= best - bookMargin);
    };

    CellList chosen;
    for (const std::int32_t depth : {kSearchDepth, kDeepSearchDepth}) {
        search_.reset(grid, weights, depth);
        search_.setNodeLimit(depth == kSearchDepth ? ~std::uint64_t{0} : kDeepSearchNodes);
        // The floor stays the widest margin below the best so far, so that every cell within it is
        // valued exactly and may be chosen.
        std::array<std::int32_t, kCells> values{};
        Cells valued = 0;
        std::int32_t best = kRootFloor;
        std::int32_t floor = kRootFloor;
        for (std::uint8_t cell : kVisitOrder) {
            if (!(cells & cellBit(cell)))
                continue;
            if (!goOn())
                return std::nullopt;
            const std::int32_t value = search_.CrossPly(cell, floor);
            if (search_.overBudget())
                return chosen;
            if (value >= floor) {
                values[cell] = value;
                valued |= cellBit(cell);
                best = valued == cellBit(cell) ? value : std::max(best, value);
                floor = std::max(kRootFloor, best - widest);
            }
        }
        CellList within;
        for (std::uint8_t cell : kVisitOrder)
            if ((valued & cellBit(cell)) && near(cell, values[cell], best))
                within.add(cell);
        // Every cell below the floor: any of them.
        chosen = within.empty() ? listOf(cells) : within;
    }
    return chosen;
}

} // namespace vornix

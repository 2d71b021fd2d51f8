#include "ai/Prover.h"

#include "ai/BoardSymmetries.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace vornix {

namespace {

constexpr std::uint32_t kInfinity = std::numeric_limits<std::uint32_t>::max() / 4;
// How many entries a position may sit in, from the one its key names.
constexpr std::size_t kWays = 4;
constexpr std::uint64_t kAskEvery = 4096;
// How many further sequences of the attacker's narrow the defender's replies.
constexpr int kMoreSequences = 2;

std::uint32_t sum(std::uint32_t a, std::uint32_t b)
{
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(kInfinity, std::uint64_t{a} + b));
}

// A child's threshold beyond the second-best sibling's number by a quarter: the search stays with
// one child a while rather than switch back and forth between two of nearly the same promise.
std::uint32_t beyond(std::uint32_t secondBest)
{
    return sum(secondBest, secondBest / 4 + 1);
}

std::size_t slotOf(Sides s)
{
    const Cells mixed = s.mine * 0x9E3779B97F4A7C15ULL ^ (s.theirs + 0x632BE59BD9B4E019ULL) * 0xC2B2AE3D27D4EB4FULL;
    return static_cast<std::size_t>(mixed ^ mixed >> 29);
}

} // namespace

bool sequenceStillWins(Sides s, const ThreatSequence& sequence)
{
    for (int n = 0; n < sequence.count; ++n) {
        const Cells empty = s.empty();
        if (winningCells(s.mine, s.theirs) & empty)
            return true;
        const Cells mustBlock = winningCells(s.theirs, s.mine) & empty;
        const Cells move = cellBit(sequence.cells[n]);
        if ((move & empty) == 0 || (mustBlock != 0 && move != mustBlock))
            return false;
        s.mine |= move;
        const Cells threats = winningCells(s.mine, s.theirs) & s.empty();
        if (severalCells(threats))
            return true;
        if (threats == 0)
            return false;
        s.theirs |= threats; // the one reply that does not lose at once
    }
    return false;
}

Cells cellsThatMayBreak(Sides s, const ThreatSequence& sequence)
{
    const Cells startingEmpty = s.empty();
    const Cells startingAttacker = s.mine;
    Cells touched = 0; // the sequence's own cells, the replies it forces, and the cells that win at the end
    Cells defender = s.theirs;
    for (int n = 0; n < sequence.count; ++n) {
        const Cells empty = s.empty();
        if (const Cells wins = winningCells(s.mine, s.theirs) & empty) {
            touched |= wins;
            break;
        }
        s.mine |= cellBit(sequence.cells[n]);
        touched |= cellBit(sequence.cells[n]);
        const Cells threats = winningCells(s.mine, s.theirs) & s.empty();
        touched |= threats;
        if (severalCells(threats) || threats == 0)
            break;
        s.theirs |= threats;
        defender |= threats;
    }
    // A defender's piece makes a line of three, and so a threat the attacker must answer, only on a
    // line free of the attacker's pieces that holds two of the defender's already or forced.
    for (Cells line : kLineMasks)
        if ((line & startingAttacker) == 0 && severalCells(line & defender))
            touched |= line;
    return touched & startingEmpty;
}

// Those of these replies of the defender's after which the attacker's sequence no longer wins.
Cells repliesBreaking(Sides s, const ThreatSequence& sequence, Cells replies)
{
    Cells breaking = 0;
    for (Cells left = replies & cellsThatMayBreak(s, sequence); left != 0; left &= left - 1) {
        const Cells reply = left & (0 - left);
        if (!sequenceStillWins({s.mine, s.theirs | reply}, sequence))
            breaking |= reply;
    }
    return breaking;
}

Prover::Prover(std::size_t tableBytes)
{
    const std::size_t entries = std::bit_floor(std::max<std::size_t>(tableBytes / sizeof(Entry), 1024));
    table_.resize(entries);
    mask_ = entries - 1;
}

void Prover::clear()
{
    std::fill(table_.begin(), table_.end(), Entry{});
    used_ = 0;
}

Prover::Entry* Prover::find(Sides position, bool attackerToMove)
{
    const std::size_t at = slotOf(position);
    for (std::size_t way = 0; way < kWays; ++way) {
        Entry& e = table_[(at + way) & mask_];
        if (e.looked && e.attacker == position.mine && e.defender == position.theirs
            && e.attackerToMove == attackerToMove)
            return &e;
    }
    return nullptr;
}

// Into the position's own entry, else an empty one, else over the one that would cost least to
// find again; a settled position is worth keeping above any open one.
void Prover::store(const Entry& entry)
{
    const std::size_t at = slotOf({entry.attacker, entry.defender});
    Entry* victim = nullptr;
    std::uint64_t cheapest = ~std::uint64_t{0};
    for (std::size_t way = 0; way < kWays; ++way) {
        Entry& e = table_[(at + way) & mask_];
        if (!e.looked
            || (e.attacker == entry.attacker && e.defender == entry.defender && e.attackerToMove == entry.attackerToMove)) {
            used_ += !e.looked;
            e = entry;
            return;
        }
        const bool settled = e.proof == 0 || e.disproof == 0;
        const std::uint64_t worth = e.work + (settled ? std::uint64_t{1} << 32 : 0);
        if (worth < cheapest) {
            cheapest = worth;
            victim = &e;
        }
    }
    *victim = entry;
}

// The position's entry, looked at now if it was not in the table: the glance that settles lines of
// three and full boards, the threat search, and the moves worth searching.
Prover::Entry Prover::lookAt(Sides position, bool attackerToMove)
{
    if (const Entry* known = find(position, attackerToMove))
        return *known;
    ++nodes_;
    Entry e;
    e.attacker = position.mine;
    e.defender = position.theirs;
    e.looked = true;
    e.attackerToMove = attackerToMove;
    e.proof = 1;
    e.disproof = 1;
    const Cells empty = position.empty();
    const Cells attackerWins = winningCells(position.mine, position.theirs) & empty;
    const Cells defenderWins = winningCells(position.theirs, position.mine) & empty;
    auto settle = [&e](bool win) {
        e.proof = win ? 0 : kInfinity;
        e.disproof = win ? kInfinity : 0;
        e.moves = 0;
    };
    if (attackerToMove) {
        if (attackerWins != 0) {
            settle(true);
            e.best = static_cast<std::uint8_t>(firstCell(attackerWins));
        } else if (severalCells(defenderWins) || empty == 0) {
            settle(false);
        } else if (ThreatSequence win = threats_.find(position); !win.empty()) {
            settle(true);
            e.best = win.cells[0];
        } else {
            e.moves = defenderWins != 0 ? defenderWins : empty;
            e.disproof = static_cast<std::uint32_t>(std::popcount(e.moves));
        }
    } else {
        if (defenderWins != 0 || empty == 0) {
            settle(false);
        } else if (severalCells(attackerWins)) {
            settle(true);
        } else if (attackerWins != 0) {
            e.moves = attackerWins;
        } else if (!threats_.find(position.swapped()).empty()) {
            settle(false); // the defender wins by threats
        } else if (ThreatSequence win = threats_.find(position); !win.empty()) {
            // Were the defender to pass, the attacker would win by threats: only replies that break
            // that sequence can matter. Another sequence, found with the first one's opening cell
            // taken from the attacker, narrows them further: a reply must break both.
            e.moves = repliesBreaking(position, win, empty);
            Sides without = position;
            for (int more = 0; more < kMoreSequences && e.moves != 0; ++more) {
                without.theirs |= cellBit(win.cells[0]);
                win = threats_.find(without);
                if (win.empty())
                    break;
                if (sequenceStillWins(position, win))
                    e.moves = repliesBreaking(position, win, e.moves);
            }
            if (e.moves == 0)
                settle(true);
        } else {
            e.moves = empty;
        }
        if (e.moves != 0)
            e.proof = static_cast<std::uint32_t>(std::popcount(e.moves));
    }
    store(e);
    return e;
}

bool Prover::stopping()
{
    if (nodes_ >= nextAsk_) {
        nextAsk_ = nodes_ + kAskEvery;
        const ProverProgress progress{nodes_, root_.proof, root_.disproof, used_, table_.size()};
        stopped_ = stopped_ || nodes_ >= nodeLimit_ || !(*keepGoing_)(progress);
    }
    return stopped_;
}

// The attacker's pieces are position.mine, whoever is to move; the position is brought to its
// canonical image first, and its children are made from that image.
Prover::Numbers Prover::search(Sides position, bool attackerToMove, std::uint32_t proofLimit,
                               std::uint32_t disproofLimit, int ply)
{
    const Sides here = canonical(position);
    const std::uint64_t nodesBefore = nodes_;
    Entry e = lookAt(here, attackerToMove);
    if (e.proof == 0 || e.disproof == 0 || e.proof >= proofLimit || e.disproof >= disproofLimit || stopping())
        return {e.proof, e.disproof};

    // The children, less those that a symmetry of this position maps onto a lower one.
    std::array<std::uint8_t, kCells> moves{};
    std::array<Numbers, kCells> child{};
    int count = 0;
    const Cells distinct = distinctMoves(here, e.moves);
    std::array<std::uint32_t, kCells> promise{};
    const Cells mover = attackerToMove ? here.mine : here.theirs;
    const Cells other = attackerToMove ? here.theirs : here.mine;
    for (Cells left = distinct; left != 0; left &= left - 1) {
        const int cell = firstCell(left);
        // The most promising first, where numbers tie: lines it builds on, and lines it spoils.
        std::uint32_t score = 0;
        const auto& through = kLinesThroughCell[cell];
        for (int n = 0; n < through.count; ++n) {
            const Cells line = kLineMasks[through.line[n]];
            if ((line & other) == 0)
                score += 1U << (2 * std::popcount(line & mover));
            if ((line & mover) == 0)
                score += 1U << (2 * std::popcount(line & other));
        }
        int at = count++;
        for (; at > 0 && promise[at - 1] < score; --at) {
            moves[at] = moves[at - 1];
            promise[at] = promise[at - 1];
        }
        moves[at] = static_cast<std::uint8_t>(cell);
        promise[at] = score;
    }
    // Every child starts as one move to prove and one to refute, until it is looked at.
    for (int n = 0; n < count; ++n)
        child[n] = {1, 1};

    for (;;) {
        std::uint32_t proof = attackerToMove ? kInfinity : 0;
        std::uint32_t disproof = attackerToMove ? 0 : kInfinity;
        int best = 0;
        std::uint32_t second = kInfinity;
        for (int n = 0; n < count; ++n) {
            const Numbers& c = child[n];
            if (attackerToMove) {
                disproof = sum(disproof, c.disproof);
                if (c.proof < proof) {
                    second = proof;
                    proof = c.proof;
                    best = n;
                } else {
                    second = std::min(second, c.proof);
                }
            } else {
                proof = sum(proof, c.proof);
                if (c.disproof < disproof) {
                    second = disproof;
                    disproof = c.disproof;
                    best = n;
                } else {
                    second = std::min(second, c.disproof);
                }
            }
        }
        e.proof = proof;
        e.disproof = disproof;
        if (proof == 0 && attackerToMove)
            e.best = moves[best];
        if (proof >= proofLimit || disproof >= disproofLimit || proof == 0 || disproof == 0 || stopped_)
            break;
        Sides next = here;
        (attackerToMove ? next.mine : next.theirs) |= cellBit(moves[best]);
        const Numbers& c = child[best];
        std::uint32_t childProof = 0;
        std::uint32_t childDisproof = 0;
        if (attackerToMove) {
            childProof = std::min(proofLimit, beyond(second));
            childDisproof = static_cast<std::uint32_t>(
                std::min<std::uint64_t>(kInfinity, std::uint64_t{disproofLimit} - disproof + c.disproof));
        } else {
            childDisproof = std::min(disproofLimit, beyond(second));
            childProof = static_cast<std::uint32_t>(
                std::min<std::uint64_t>(kInfinity, std::uint64_t{proofLimit} - proof + c.proof));
        }
        child[best] = search(next, !attackerToMove, childProof, childDisproof, ply + 1);
        if (ply == 0)
            root_ = {e.proof, e.disproof};
    }
    e.work = static_cast<std::uint32_t>(std::min<std::uint64_t>(e.work + (nodes_ - nodesBefore), kInfinity));
    store(e);
    return {e.proof, e.disproof};
}

std::vector<int> Prover::promisingMoves(Sides s)
{
    const Cells mustBlock = winningCells(s.theirs, s.mine) & s.empty();
    std::vector<std::pair<std::uint32_t, int>> ranked;
    for (Cells left = mustBlock != 0 ? mustBlock : s.empty(); left != 0; left &= left - 1) {
        const int cell = firstCell(left);
        const Entry* e = find(canonical({s.mine | cellBit(cell), s.theirs}), false);
        ranked.emplace_back(e != nullptr ? e->proof : kInfinity, cell);
    }
    std::stable_sort(ranked.begin(), ranked.end());
    std::vector<int> moves;
    for (const auto& [proof, cell] : ranked)
        moves.push_back(cell);
    return moves;
}

ProofResult Prover::prove(Sides s, const std::function<bool(const ProverProgress&)>& keepGoing,
                          std::uint64_t nodeLimit)
{
    nodes_ = 0;
    nextAsk_ = 0;
    nodeLimit_ = nodeLimit;
    stopped_ = false;
    keepGoing_ = &keepGoing;
    root_ = {1, 1};
    const Numbers root = search(s, true, kInfinity - 1, kInfinity - 1, 0);
    root_ = root;
    ProofResult result;
    result.nodes = nodes_;
    if (root.proof == 0) {
        result.proof = Proof::Win;
        const Sides c = canonical(s);
        const Entry* e = find(c, true);
        result.move = e != nullptr ? cellOfImage(s, c, e->best) : -1;
    } else if (root.disproof == 0) {
        result.proof = Proof::NoWin;
    }
    return result;
}

} // namespace vornix

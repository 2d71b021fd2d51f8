#include "ai/ProofSearch.h"

#include "ai/BoardSymmetries.h"

#include <algorithm>
#include <limits>

namespace vornix {

namespace {

constexpr std::uint32_t kInfinity = std::numeric_limits<std::uint32_t>::max() / 4;
constexpr std::size_t kKnownSize = std::size_t{1} << 16;
constexpr std::uint32_t kAskEvery = 256;

std::uint32_t saturatingSum(std::uint32_t a, std::uint32_t b)
{
    return std::min(kInfinity, a + b);
}

} // namespace

ProofSearch::ProofSearch(std::size_t capacity) : nodes_(capacity), known_(kKnownSize) {}

// Where a position's entry lives: by its canonical form, so that all its images share it.
std::size_t ProofSearch::slotOf(const Node& node, Sides& canonicalForm)
{
    canonicalForm = canonical({node.attacker, node.defender});
    const Cells mixed = canonicalForm.mine * 0x9E3779B97F4A7C15ULL ^ canonicalForm.theirs;
    return static_cast<std::size_t>(mixed >> 48) & (kKnownSize - 1);
}

// Settles what a glance settles: a line to complete, lines of three that cannot all be blocked, a
// full board.
void ProofSearch::glance(Node& node)
{
    const Cells empty = ~(node.attacker | node.defender);
    const Cells attackerWins = winningCells(node.attacker, node.defender) & empty;
    const Cells defenderWins = winningCells(node.defender, node.attacker) & empty;
    if (node.attackerToMove) {
        if (attackerWins != 0)
            return settle(node, true);
        if (severalCells(defenderWins) || empty == 0)
            return settle(node, false);
    } else {
        if (defenderWins != 0 || empty == 0)
            return settle(node, false);
        if (severalCells(attackerWins))
            return settle(node, true);
    }
    // A side that must block has one move: lines where the defender keeps being forced are the
    // cheap ones to prove, and the search should try them first.
    const Cells mustBlock = node.attackerToMove ? defenderWins : attackerWins;
    const auto moves = static_cast<std::uint32_t>(std::popcount(mustBlock != 0 ? mustBlock : empty));
    node.proof = node.attackerToMove ? 1 : moves;
    node.disproof = node.attackerToMove ? moves : 1;
}

// Settles what the table of settled positions knows, and forced wins by threats of the side to
// move: work left until the search first reaches the node, as most nodes are never reached.
void ProofSearch::assess(Node& node)
{
    node.assessed = true;
    if (node.proof == 0 || node.disproof == 0)
        return;
    Sides c;
    Known& k = known_[slotOf(node, c)];
    if (k.search == search_ && k.a == c.mine && k.b == c.theirs && k.attackerToMove == node.attackerToMove)
        return settle(node, k.win);
    // A side to move that can force a win by threats has settled the question either way.
    const Sides attacking{node.attacker, node.defender};
    const Sides toMove = node.attackerToMove ? attacking : attacking.swapped();
    if (!threats_.find(toMove).empty()) {
        settle(node, node.attackerToMove);
        k = {c.mine, c.theirs, search_, node.attackerToMove, node.attackerToMove};
    }
}

void ProofSearch::remember(const Node& node)
{
    Sides c;
    known_[slotOf(node, c)] = {c.mine, c.theirs, search_, node.attackerToMove, node.proof == 0};
}

void ProofSearch::settle(Node& node, bool win)
{
    node.proof = win ? 0 : kInfinity;
    node.disproof = win ? kInfinity : 0;
}

// Gives a node its children; false when there is no room left for them.
bool ProofSearch::expand(std::uint32_t index)
{
    Node& node = nodes_[index];
    const Cells empty = ~(node.attacker | node.defender);
    const Cells mover = node.attackerToMove ? node.attacker : node.defender;
    const Cells other = node.attackerToMove ? node.defender : node.attacker;
    // A line of three of the other side's must be blocked: that is the only move worth trying.
    const Cells forced = winningCells(other, mover) & empty;
    const Cells moves = forced != 0 ? forced : empty;
    const auto count = static_cast<std::uint32_t>(std::popcount(moves));
    if (used_ + count > limit_)
        return false;
    node.firstChild = used_;
    node.children = static_cast<std::uint8_t>(count);
    node.expanded = true;
    for (Cells left = moves; left != 0; left &= left - 1) {
        const int cell = firstCell(left);
        Node& child = nodes_[used_++];
        child = {};
        child.parent = index;
        child.move = static_cast<std::uint8_t>(cell);
        child.attackerToMove = !node.attackerToMove;
        child.attacker = node.attacker | (node.attackerToMove ? cellBit(cell) : 0);
        child.defender = node.defender | (node.attackerToMove ? 0 : cellBit(cell));
        glance(child);
    }
    return true;
}

// Recomputes a node's numbers from its children: the attacker needs one child proven, the
// defender every one.
void ProofSearch::update(std::uint32_t index)
{
    Node& node = nodes_[index];
    std::uint32_t proof = node.attackerToMove ? kInfinity : 0;
    std::uint32_t disproof = node.attackerToMove ? 0 : kInfinity;
    for (std::uint32_t c = node.firstChild; c < node.firstChild + node.children; ++c) {
        const Node& child = nodes_[c];
        if (node.attackerToMove) {
            proof = std::min(proof, child.proof);
            disproof = saturatingSum(disproof, child.disproof);
        } else {
            proof = saturatingSum(proof, child.proof);
            disproof = std::min(disproof, child.disproof);
        }
    }
    node.proof = proof;
    node.disproof = disproof;
    if (proof == 0 || disproof == 0)
        remember(node);
}

ProofResult ProofSearch::solve(Sides s, const std::function<bool()>& keepGoing, std::size_t nodeLimit)
{
    limit_ = std::min(nodeLimit, nodes_.size());
    ++search_;
    used_ = 1;
    Node& root = nodes_[0];
    root = {};
    root.attacker = s.mine;
    root.defender = s.theirs;
    glance(root);
    assess(root);
    ProofResult result;
    for (std::uint64_t step = 0; root.proof != 0 && root.disproof != 0; ++step) {
        if (step % kAskEvery == kAskEvery - 1 && !keepGoing())
            break;
        // Down to the most proving node: the attacker's easiest child to prove, the defender's
        // easiest to refute.
        std::uint32_t at = 0;
        while (nodes_[at].expanded) {
            const Node& node = nodes_[at];
            std::uint32_t best = node.firstChild;
            for (std::uint32_t c = node.firstChild; c < node.firstChild + node.children; ++c) {
                const bool better = node.attackerToMove ? nodes_[c].proof < nodes_[best].proof
                                                        : nodes_[c].disproof < nodes_[best].disproof;
                if (better)
                    best = c;
            }
            at = best;
        }
        if (!nodes_[at].assessed) {
            assess(nodes_[at]);
            if (nodes_[at].proof != 0 && nodes_[at].disproof != 0)
                continue; // still open: its numbers, and so its ancestors', stay as they were
            at = nodes_[at].parent; // the root is assessed at once, so this is a parent
        } else if (!expand(at)) {
            break; // out of room
        }
        for (std::uint32_t up = at;; up = nodes_[up].parent) {
            update(up);
            if (up == 0)
                break;
        }
    }
    result.nodes = used_;
    if (root.proof == 0) {
        result.proof = Proof::Win;
        if (root.expanded) {
            for (std::uint32_t c = root.firstChild; c < root.firstChild + root.children; ++c)
                if (nodes_[c].proof == 0) {
                    result.move = nodes_[c].move;
                    break;
                }
        } else {
            // Settled at once: a line to complete, or the first cell of a forced win by threats.
            const Cells complete = winningCells(s.mine, s.theirs) & ~(s.mine | s.theirs);
            result.move = complete != 0 ? firstCell(complete) : threats_.find(s).cells[0];
        }
    } else if (root.disproof == 0) {
        result.proof = Proof::NoWin;
    }
    return result;
}

} // namespace vornix

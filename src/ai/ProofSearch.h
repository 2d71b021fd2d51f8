// Proof-number search: whether the side to move can force a win against every reply, searched
// best-first over all moves, with the threat search as the quick test at each node. Positions that
// a line-preserving symmetry of the cube maps onto each other share one entry of its table.
#pragma once

#include "ai/BoardSymmetries.h"
#include "ai/ThreatSearch.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace vornix {

enum class Proof : std::uint8_t { Win, NoWin, Unknown };

struct ProofResult {
    Proof proof = Proof::Unknown;
    int move = -1; // with a win: a first move of it
    std::uint64_t nodes = 0;
};

class ProofSearch {
public:
    // Room for this many nodes in one search, allocated once.
    explicit ProofSearch(std::size_t capacity = std::size_t{1} << 18);

    // Searches until the question is settled, nodeLimit nodes (at most the capacity) are used, or
    // keepGoing() says stop (it is asked every few hundred steps, so that a window can stay alive
    // and cancel).
    ProofResult solve(Sides s, const std::function<bool()>& keepGoing = [] { return true; },
                      std::size_t nodeLimit = ~std::size_t{0});

private:
    struct Node {
        Cells attacker = 0;
        Cells defender = 0;
        std::uint32_t proof = 1;
        std::uint32_t disproof = 1;
        std::uint32_t parent = 0;
        std::uint32_t firstChild = 0;
        std::uint8_t children = 0;
        std::uint8_t move = 0;
        bool attackerToMove = true;
        bool expanded = false;
        bool assessed = false;
    };
    struct Known {
        Cells a = 0;
        Cells b = 0;
        std::uint32_t search = 0;
        bool attackerToMove = false;
        bool win = false;
    };

    static void glance(Node& node);
    void assess(Node& node);
    static void settle(Node& node, bool win);
    bool expand(std::uint32_t index);
    void update(std::uint32_t index);
    static std::size_t slotOf(const Node& node, Sides& canonicalForm);
    void remember(const Node& node);

    std::vector<Node> nodes_;
    std::vector<Known> known_;
    std::uint32_t used_ = 0;
    std::size_t limit_ = 0;
    std::uint32_t search_ = 0;
    ThreatSearch threats_;
};

} // namespace vornix

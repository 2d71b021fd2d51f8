// The prover: whether the side to move can force a win, settled exactly, in a table of fixed size.
// A depth-first proof-number search (with the 1 + 1/4 threshold of its children, so that it does
// not thrash between two of them) over positions brought to one canonical image under the cube's
// 192 symmetries, so that every image shares one entry of the table. At each position the threat
// search is the quick test; at the defender's turn, a forced win by threats that the attacker would
// have if the defender passed limits the defence to the replies that break that win, since every
// other reply loses to it as it stands.
#pragma once

#include "ai/ProofSearch.h"
#include "ai/ThreatSearch.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace vornix {

// Whether this sequence of the attacker's (s.mine, to move) still wins, replayed move by move: each
// one must force the only reply that does not lose at once, until a line is completed or two are
// threatened at once. Shares nothing with the threat search but the line masks.
bool sequenceStillWins(Sides s, const ThreatSequence& sequence);

// The empty cells where one more piece of the defender's might stop this sequence from winning; a
// piece anywhere else leaves the win as it is.
Cells cellsThatMayBreak(Sides s, const ThreatSequence& sequence);

struct ProverProgress {
    std::uint64_t nodes = 0;
    std::uint32_t rootProof = 0;
    std::uint32_t rootDisproof = 0;
    std::size_t entriesUsed = 0;
    std::size_t entries = 0;
};

class Prover {
public:
    // A table of about this many bytes, allocated once.
    explicit Prover(std::size_t tableBytes = std::size_t{64} << 20);

    // Searches until the question is settled, about nodeLimit positions have been looked at, or
    // keepGoing() says stop; keepGoing is asked every few thousand positions.
    ProofResult prove(Sides s, const std::function<bool(const ProverProgress&)>& keepGoing =
                                   [](const ProverProgress&) { return true; },
                      std::uint64_t nodeLimit = ~std::uint64_t{0});

    // Forgets every position the table holds.
    void clear();

    // The moves of the attacker (s.mine, to move) by how promising the table finds them after a
    // search, the most promising first; moves it has not looked at come last.
    std::vector<int> promisingMoves(Sides s);

private:
    struct Entry {
        Cells attacker = 0;
        Cells defender = 0;
        Cells moves = 0; // the moves worth searching, once the position was looked at
        std::uint32_t proof = 0;
        std::uint32_t disproof = 0;
        std::uint32_t work = 0; // positions searched below it: what it would cost to find again
        std::uint8_t best = 0;  // with a proof at the attacker's turn: the winning move
        bool looked = false;
        // The same pieces are another question with the other side to move, as they are when two
        // searches start from sides of different counts.
        bool attackerToMove = false;
    };
    struct Numbers {
        std::uint32_t proof;
        std::uint32_t disproof;
    };

    Numbers search(Sides position, bool attackerToMove, std::uint32_t proofLimit, std::uint32_t disproofLimit,
                   int ply);
    Entry lookAt(Sides position, bool attackerToMove);
    Entry* find(Sides position, bool attackerToMove);
    void store(const Entry& entry);
    bool stopping();

    std::vector<Entry> table_;
    std::size_t mask_ = 0;
    std::size_t used_ = 0;
    ThreatSearch threats_;
    std::uint64_t nodes_ = 0;
    std::uint64_t nodeLimit_ = 0;
    std::uint64_t nextAsk_ = 0;
    bool stopped_ = false;
    const std::function<bool(const ProverProgress&)>* keepGoing_ = nullptr;
    Numbers root_{1, 1};
};

} // namespace vornix

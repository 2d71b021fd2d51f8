// Forced wins by threats: the side to move keeps making lines of three whose fourth cell is empty,
// so that every reply is forced to that cell, until it holds two such lines at once on different
// cells, or completes one. A forced reply that makes a line of three of the defender's own must be
// answered in turn; a sequence that cannot answer it is not a win. What it finds is always a real
// win; it does not find wins that need a quiet move.
#pragma once

#include "ai/Bitboard.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vornix {

// The attacker's cells of a forced win, in the order played: each one forces the reply, the last
// one completes a line or leaves two cells that complete lines.
struct ThreatSequence {
    std::array<std::uint8_t, kCells> cells{};
    int count = 0;

    bool empty() const { return count == 0; }
};

class ThreatSearch {
public:
    ThreatSearch();

    // A forced win by threats for the side to move (s.mine), or an empty sequence. Neither side
    // may hold a completed line.
    ThreatSequence find(Sides s);
    // How many positions the last find() looked at.
    std::uint64_t nodes() const { return nodes_; }

    // The lines, one bit each, that hold exactly n pieces of one side (n = 1, 2, 3); a line with a
    // piece of the other side too is still counted, and left out where it matters.
    __extension__ using LineSet = unsigned __int128;
    struct Counts {
        std::array<LineSet, 4> attacker{}; // [0]: lines holding any
        std::array<LineSet, 4> defender{};
    };

private:
    bool attack(Sides s, const Counts& counts);
    bool knownToFail(Sides s) const;
    void rememberFailure(Sides s);

    struct Entry {
        Cells mine = 0;
        Cells theirs = 0;
        std::uint32_t search = 0; // which find() wrote it: older entries are void
    };
    // Positions this find() has shown to hold no forced win by threats; fixed in size, so the
    // search itself allocates nothing.
    std::vector<Entry> failed_;
    std::uint32_t search_ = 0;
    ThreatSequence line_;
    std::uint64_t nodes_ = 0;
};

} // namespace vornix

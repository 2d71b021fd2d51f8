// How long a forced win takes: whether the side to move can complete a line within n placements of
// its own (the completing one included) whatever the other side does, by a search bounded in depth.
// The attacker's moves are those that threaten (make a line of three whose fourth cell is free),
// and, among its last three placements, quiet ones too: a forced win that opens with threats and
// ends, at most, with a quiet move, a double threat and the completing piece, as the puzzles teach.
// A defender with a line of three to complete must be blocked, a single threat of the attacker's
// forces its block, and after a quiet move the defender's replies are searched only if the attacker
// would win with its next move too, were the defender to pass (a piece of the defender's never helps
// the attacker). Every win it finds is a real win; a longer quiet build-up it does not look for.
#pragma once

#include "ai/Bitboard.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vornix {

class WinLength {
public:
    static constexpr std::uint64_t kDefaultBudget = 20'000'000;
    // Quiet moves are tried while at most this many placements are left.
    static constexpr int kQuietWithin = 3;

    // A table of about this many bytes, allocated once.
    explicit WinLength(std::size_t tableBytes = std::size_t{16} << 20);

    // Whether the attacker (s.mine, to move) wins within n placements; nothing when more than
    // `budget` positions would be needed to say.
    std::optional<bool> winsWithin(Sides s, int n, std::uint64_t budget = kDefaultBudget);
    // Whether the attacker's placement on `cell` keeps a win within n placements, that one counted.
    std::optional<bool> winsWithMove(Sides s, int cell, int n, std::uint64_t budget = kDefaultBudget);
    // The fewest placements the attacker needs, up to most: 0 when it cannot win within most.
    std::optional<int> shortestWin(Sides s, int most, std::uint64_t budget = kDefaultBudget);
    // The attacker's first placements that win within n.
    std::optional<std::vector<int>> winningMoves(Sides s, int n, std::uint64_t budget = kDefaultBudget);

    std::uint64_t nodes() const { return nodes_; }

private:
    struct Entry {
        Cells mine = 0;
        Cells theirs = 0;
        std::uint8_t wins = 0;  // the fewest placements proved to win; 0: none proved
        std::uint8_t fails = 0; // the most placements proved not to win
    };
    bool within(Sides s, int n);
    bool withMove(Sides s, Cells move, int n);
    Entry& slot(Sides s);

    std::vector<Entry> table_;
    std::uint64_t nodes_ = 0;
    std::uint64_t budget_ = 0;
    bool over_ = false;
};

} // namespace vornix

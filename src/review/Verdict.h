// A verdict on a position: whether either side can force a win from it, as the threat search and
// the prover settle it within a budget of positions, or unknown where they do not.
#pragma once

#include "ai/Prover.h"
#include "ai/ThreatSearch.h"
#include "game/Board.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace vornix {

enum class Verdict : std::uint8_t { Unknown, NoughtsWin, CrossesWin, Neither };

// "noughts win by force", "crosses win by force", "neither can force a win", or nothing.
std::string_view verdictWords(Verdict verdict);
// "noughts-win", "crosses-win", "neither", "unknown".
std::string_view verdictToken(Verdict verdict);

// Whether a placement turned the game: a win proved before it is proved gone after it.
constexpr bool turnsTheGame(Verdict before, Verdict after)
{
    return (before == Verdict::NoughtsWin || before == Verdict::CrossesWin) && after != Verdict::Unknown
        && after != before;
}

class Judge {
public:
    // How many positions the prover may look at for each question: Zeddon's budget for a move.
    static constexpr std::uint64_t kNodes = std::uint64_t{1} << 14;
    static constexpr std::size_t kTableBytes = std::size_t{32} << 20;
    // How many of the moves the threat search leaves open the prover is asked about.
    static constexpr int kMovesAsked = 6;

    Judge() : prover_(kTableBytes) {}

    // The verdict on this board with this side to move (kNought or kCross); keepGoing() is asked
    // now and then, and a search it stops leaves the verdict unknown.
    Verdict judge(const Grid& grid, std::int32_t toMove, const std::function<bool()>& keepGoing = [] { return true; },
                  std::uint64_t nodes = kNodes);

private:
    // Whether the side to move in s (s.mine) can force a win: Win, NoWin or Unknown.
    Proof wins(Sides s, const std::function<bool()>& keepGoing, std::uint64_t nodes);

    Prover prover_;
    ThreatSearch threats_;
};

} // namespace vornix

// The status bar's words: who plays what, whose turn it is or who is thinking, how a game ended,
// where the computer's cross and a hint went, and which placement a review shows.
#pragma once

#include <cstdint>
#include <string>

namespace vornix {

enum class StatusMode : std::uint8_t { AgainstComputer, TwoHumans, Match, Puzzle };

struct StatusFacts {
    StatusMode mode = StatusMode::AgainstComputer;
    std::string opponent; // "Morvid, depth 3"; in a match the first player
    std::string secondPlayer; // in a match
    bool thinking = false;
    bool noughtsToMove = true; // between two humans
    bool over = false;
    int winner = 0; // kNought, kCross, or 0 for a full board
    int placements = 0;
    int latestCross = -1; // the computer's latest cross, as the board shows it now; -1: none
    int hint = -1;
    int reviewing = 0; // the placement a review shows; 0: none
    int puzzle = 0;    // the puzzle played, and its grade
    int grade = 0;
};

std::string statusLine(const StatusFacts& facts);

} // namespace vornix

// Matches between two computer players without a window, for tuning weights: the same rules as a
// match watched in the window, on as many threads as asked.
#pragma once

#include "ai/Evaluate.h"

#include <cstdint>
#include <cstdio>
#include <iosfwd>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace vornix {

class Game;

struct MatchUsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class Persona : std::uint8_t { Belwin, Tovi, Quen, Morvid, Zeddon };

struct PlayerSpec {
    Persona persona = Persona::Morvid;
    std::int32_t depth = 3;
    EvalWeights weights;
};

// "belwin", "tovi", "quen", "zeddon" or "morvid:DEPTH", optionally followed by "/a,b,c,d,e".
PlayerSpec parsePlayerSpec(std::string_view text);

struct MatchResult {
    int winner = 0; // 0 for a draw
    int moves = 0;
    double player1Seconds = 0; // thinking time over all of the player's moves
    double player2Seconds = 0;
    int player1Moves = 0;
    int player2Moves = 0;
    double player1Longest = 0; // the player's longest single move, in seconds
    double player2Longest = 0;
    std::vector<int> cells; // the placements in order, as indexes
};

// Chooses the players as a user would in the window: Player 1 from the opponent menu, Player 2 and
// both sets of weights in the Evaluating Options dialog.
void setUpMatch(Game& game, const PlayerSpec& player1, const PlayerSpec& player2);

MatchResult playMatch(const PlayerSpec& player1, const PlayerSpec& player2, std::uint64_t seed);

struct MatchArguments {
    PlayerSpec player1;
    PlayerSpec player2;
    std::int64_t games = 1;
    std::uint64_t seed = 1;
    std::int64_t jobs = 1;
    bool showMoves = false; // each match's placements on a line after its result
    bool help = false;      // only the usage is asked for
};

// The "match" command's arguments; throws MatchUsageError, saying what is wrong, for anything but
// two players and numbers in their ranges, or --help alone.
MatchArguments parseMatchArguments(const std::vector<std::string_view>& args);

// The command line's "match" command; prints one line per match as soon as it is over (numbered, in
// the order they finish), then the totals; and, where progress is given somewhere to go, a line of
// games done and time left after each match, written over the last.
int runMatchCommand(const MatchArguments& run, std::ostream& out, std::FILE* progress = nullptr);

} // namespace vornix

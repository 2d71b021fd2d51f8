#include "review/StatusLine.h"

#include "game/Board.h"
#include "review/MoveList.h"

namespace vornix {

namespace {
constexpr const char* kBetween = " · ";
}

std::string statusLine(const StatusFacts& f)
{
    if (f.reviewing > 0)
        return "Reviewing placement " + std::to_string(f.reviewing) + " of " + std::to_string(f.placements)
            + " — Esc returns";
    std::string line;
    switch (f.mode) {
    case StatusMode::AgainstComputer: line = "You: noughts" + std::string(kBetween) + "Opponent: " + f.opponent; break;
    case StatusMode::TwoHumans: line = "Two players"; break;
    case StatusMode::Match: line = "Match: " + f.opponent + " against " + f.secondPlayer; break;
    case StatusMode::Puzzle:
        line = "Puzzle " + std::to_string(f.puzzle) + ", grade " + std::to_string(f.grade)
            + ": noughts to win in " + std::to_string(f.grade);
        break;
    }
    line += kBetween;
    if (f.over) {
        const std::string count = std::to_string(f.placements) + (f.placements == 1 ? " placement" : " placements");
        line += f.winner == kNought ? "Noughts won after " + count
            : f.winner == kCross    ? "Crosses won after " + count
                                    : "Drawn after " + count;
    } else if (f.mode == StatusMode::TwoHumans) {
        line += f.noughtsToMove ? "Noughts' turn" : "Crosses' turn";
    } else if (f.thinking) {
        const std::string& who = f.opponent;
        line += f.mode == StatusMode::Puzzle ? "Crosses are defending…" : who.substr(0, who.find(',')) + " is thinking…";
    } else if (f.mode == StatusMode::AgainstComputer || f.mode == StatusMode::Puzzle) {
        line += "Your turn";
    } else {
        line += std::to_string(f.placements) + (f.placements == 1 ? " placement" : " placements");
    }
    if (f.latestCross >= 0 && !f.thinking)
        line += std::string(kBetween) + "Crosses: " + spokenPlace(f.latestCross);
    if (f.hint >= 0)
        line += std::string(kBetween) + "Hint: " + spokenPlace(f.hint);
    return line;
}

} // namespace vornix

#include "review/Verdict.h"

#include "ai/Bitboard.h"

namespace vornix {

std::string_view verdictWords(Verdict verdict)
{
    switch (verdict) {
    case Verdict::NoughtsWin: return "noughts win by force";
    case Verdict::CrossesWin: return "crosses win by force";
    case Verdict::Neither: return "neither can force a win";
    case Verdict::Unknown: break;
    }
    return "";
}

std::string_view verdictToken(Verdict verdict)
{
    switch (verdict) {
    case Verdict::NoughtsWin: return "noughts-win";
    case Verdict::CrossesWin: return "crosses-win";
    case Verdict::Neither: return "neither";
    case Verdict::Unknown: break;
    }
    return "unknown";
}

Proof Judge::wins(Sides s, const std::function<bool()>& keepGoing, std::uint64_t nodes)
{
    if (winningCells(s.mine, s.theirs) & s.empty())
        return Proof::Win;
    if (!threats_.find(s).empty())
        return Proof::Win;
    return prover_.prove(s, [&](const ProverProgress&) { return keepGoing(); }, nodes).proof;
}

Verdict Judge::judge(const Grid& grid, std::int32_t toMove, const std::function<bool()>& keepGoing,
                     std::uint64_t nodes)
{
    const Verdict moverWins = toMove == kNought ? Verdict::NoughtsWin : Verdict::CrossesWin;
    const Verdict otherWins = toMove == kNought ? Verdict::CrossesWin : Verdict::NoughtsWin;
    // A finished game: its line has won it, or the full board is a draw.
    if (const std::int32_t winner = lineWinner(grid); winner != kEmpty)
        return winner == kNought ? Verdict::NoughtsWin : Verdict::CrossesWin;
    const Sides s = sidesOf(grid, toMove);
    if (s.empty() == 0)
        return Verdict::Neither;

    const Proof mover = wins(s, keepGoing, nodes);
    if (mover == Proof::Win)
        return moverWins;
    if (!keepGoing())
        return Verdict::Unknown;
    // The other side wins by force when it wins after every move; one move after which it cannot
    // shows that it does not. The threat search settles most moves at once; the prover looks at a
    // few of the rest, the most it is worth while nothing else is settled.
    Cells open = 0;
    for (Cells left = s.empty(); left != 0; left &= left - 1) {
        const Cells move = left & (0 - left);
        const Sides after{s.theirs, s.mine | move};
        if (!(winningCells(after.mine, after.theirs) & after.empty()) && threats_.find(after).empty())
            open |= move;
    }
    int asked = 0;
    for (Cells left = open; left != 0 && asked < kMovesAsked; left &= left - 1, ++asked) {
        const Cells move = left & (0 - left);
        const Proof reply = prover_.prove({s.theirs, s.mine | move},
                                          [&](const ProverProgress&) { return keepGoing(); }, nodes).proof;
        if (!keepGoing())
            return Verdict::Unknown;
        if (reply == Proof::NoWin)
            return mover == Proof::NoWin ? Verdict::Neither : Verdict::Unknown;
        if (reply == Proof::Win)
            open &= ~move;
        else if (mover == Proof::Unknown)
            return Verdict::Unknown; // nothing more can be settled within the budget
    }
    return open == 0 ? otherWins : Verdict::Unknown;
}

} // namespace vornix

#include "puzzles/WinLength.h"

#include <algorithm>

namespace vornix {

namespace {

// The empty cells that would complete a line of `mine`.
Cells completing(Cells mine, Cells theirs)
{
    return winningCells(mine, theirs) & ~(mine | theirs);
}

} // namespace

WinLength::WinLength(std::size_t tableBytes) : table_(std::max<std::size_t>(1, tableBytes / sizeof(Entry))) {}

WinLength::Entry& WinLength::slot(Sides s)
{
    std::uint64_t h = s.mine * 0x9E3779B97F4A7C15ULL ^ (s.theirs + 0x632BE59BD9B4E019ULL) * 0xC2B2AE3D27D4EB4FULL;
    h ^= h >> 29;
    return table_[h % table_.size()];
}

bool WinLength::withMove(Sides s, Cells move, int n)
{
    const Sides after{s.mine | move, s.theirs};
    const Cells threats = completing(after.mine, after.theirs);
    if (threats == 0) {
        // A quiet move: the defender answers freely. Were it to pass and the attacker still not win
        // within the placements left, no reply of its own would let it.
        if (n <= 2 || !within(after, n - 1))
            return false;
        for (Cells replies = after.empty(); replies != 0 && !over_; replies &= replies - 1)
            if (!within({after.mine, after.theirs | (replies & (0 - replies))}, n - 1))
                return false;
        return !over_;
    }
    if (severalCells(threats))
        return n >= 2; // the defender, with no line of its own to complete, blocks one at most
    return n >= 2 && within({after.mine, after.theirs | threats}, n - 1);
}

bool WinLength::within(Sides s, int n)
{
    if (++nodes_ > budget_)
        over_ = true;
    if (over_)
        return false;
    const Cells empty = s.empty();
    if (completing(s.mine, s.theirs))
        return true;
    if (n <= 1 || empty == 0)
        return false;
    Entry& entry = slot(s);
    if (entry.mine == s.mine && entry.theirs == s.theirs) {
        if (entry.wins != 0 && entry.wins <= n)
            return true;
        if (entry.fails >= n)
            return false;
    }
    const Cells defenderWins = completing(s.theirs, s.mine);
    bool wins = false;
    if (severalCells(defenderWins)) {
        wins = false;
    } else if (defenderWins != 0) {
        wins = withMove(s, defenderWins, n); // the one block the attacker must make
    } else {
        // Moves that threaten first: two threats at once, then one, then the quiet ones, which are
        // tried only among the last few placements.
        Cells tried = 0;
        const int passes = n <= kQuietWithin ? 3 : 2;
        for (int pass = 0; pass < passes && !wins && !over_; ++pass) {
            for (Cells left = empty & ~tried; left != 0 && !wins && !over_; left &= left - 1) {
                const Cells move = left & (0 - left);
                const Cells threats = completing(s.mine | move, s.theirs);
                const int kind = threats == 0 ? 2 : severalCells(threats) ? 0 : 1;
                if (kind != pass)
                    continue;
                tried |= move;
                wins = withMove(s, move, n);
            }
        }
    }
    if (over_)
        return false;
    Entry& stored = slot(s);
    if (stored.mine != s.mine || stored.theirs != s.theirs)
        stored = {s.mine, s.theirs, 0, 0};
    if (wins)
        stored.wins = static_cast<std::uint8_t>(stored.wins == 0 ? n : std::min<int>(stored.wins, n));
    else
        stored.fails = static_cast<std::uint8_t>(std::max<int>(stored.fails, n));
    return wins;
}

std::optional<bool> WinLength::winsWithin(Sides s, int n, std::uint64_t budget)
{
    nodes_ = 0;
    budget_ = budget;
    over_ = false;
    const bool wins = within(s, n);
    return over_ ? std::nullopt : std::optional<bool>(wins);
}

std::optional<bool> WinLength::winsWithMove(Sides s, int cell, int n, std::uint64_t budget)
{
    nodes_ = 0;
    budget_ = budget;
    over_ = false;
    const Cells move = cellBit(cell);
    bool wins = false;
    if ((s.empty() & move) != 0) {
        if (completing(s.mine, s.theirs) & move)
            wins = true;
        else if (const Cells defenderWins = completing(s.theirs, s.mine); defenderWins == 0 || defenderWins == move)
            wins = !severalCells(defenderWins) && withMove(s, move, n);
    }
    return over_ ? std::nullopt : std::optional<bool>(wins);
}

std::optional<int> WinLength::shortestWin(Sides s, int most, std::uint64_t budget)
{
    for (int n = 1; n <= most; ++n) {
        const std::optional<bool> wins = winsWithin(s, n, budget);
        if (!wins)
            return std::nullopt;
        if (*wins)
            return n;
    }
    return 0;
}

std::optional<std::vector<int>> WinLength::winningMoves(Sides s, int n, std::uint64_t budget)
{
    std::vector<int> moves;
    for (Cells left = s.empty(); left != 0; left &= left - 1) {
        const int cell = std::countr_zero(left);
        const std::optional<bool> wins = winsWithMove(s, cell, n, budget);
        if (!wins)
            return std::nullopt;
        if (*wins)
            moves.push_back(cell);
    }
    return moves;
}

} // namespace vornix

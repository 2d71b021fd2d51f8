#include "puzzles/Generator.h"

#include "ai/Prover.h"
#include "ai/BoardSymmetries.h"
#include "autoplay/MatchRunner.h"
#include "puzzles/WinLength.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

namespace vornix {

namespace {

// Sensible players of different strengths, so that both quick and slow wins arise.
constexpr std::array<std::pair<const char*, const char*>, 8> kPairings{{
    {"morvid:3", "morvid:4"},
    {"tovi", "morvid:3"},
    {"morvid:4", "quen"},
    {"quen", "morvid:2"},
    {"morvid:2", "tovi"},
    {"belwin", "morvid:4"},
    {"morvid:5", "tovi"},
    {"tovi", "quen"},
}};

// How many positions grading one position may look at; a position it cannot settle is left out.
constexpr std::uint64_t kGradeBudget = 4'000'000;

} // namespace

std::vector<Puzzle> generatePuzzles(int count, std::uint64_t seed, const std::function<bool(const std::string&)>& said)
{
    const int grades = kLastGrade - kFirstGrade + 1;
    const int perGrade = (count + grades - 1) / grades;
    std::map<int, std::vector<Puzzle>> found; // by grade, unique ones first when chosen
    std::set<std::pair<Cells, Cells>> seen;
    WinLength length;
    Prover prover(std::size_t{64} << 20);
    auto total = [&] {
        int n = 0;
        for (int g = kFirstGrade; g <= kLastGrade; ++g)
            n += std::min<int>(perGrade, static_cast<int>(found[g].size()));
        return n;
    };
    for (std::uint64_t game = 0; total() < count; ++game) {
        const auto& [first, second] = kPairings[game % kPairings.size()];
        const MatchResult played = playMatch(parsePlayerSpec(first), parsePlayerSpec(second), seed * 1'000'003 + game);
        // One puzzle of each grade a game at most: the positions of one attack resemble each other.
        std::set<int> gradesOfThisGame;
        for (std::size_t k = 4; k < played.cells.size(); ++k) {
            Puzzle p;
            p.placements.assign(played.cells.begin(), played.cells.begin() + static_cast<std::ptrdiff_t>(k));
            const Sides s = p.position();
            const Sides key = canonical(s);
            if (seen.count({key.mine, key.theirs}) != 0 || (winningCells(s.mine, s.theirs) & s.empty()) != 0)
                continue;
            seen.insert({key.mine, key.theirs});
            const std::optional<int> grade = length.shortestWin(s, kLastGrade, kGradeBudget);
            if (!grade || *grade < kFirstGrade || static_cast<int>(found[*grade].size()) >= 3 * perGrade
                || !gradesOfThisGame.insert(*grade).second)
                continue;
            // The prover, which shares nothing with the grading but the rules, must agree.
            if (prover.prove(s).proof != Proof::Win)
                continue;
            const auto moves = length.winningMoves(s, *grade, kGradeBudget);
            if (!moves || moves->empty())
                continue;
            p.grade = *grade;
            p.unique = moves->size() == 1;
            p.move = moves->front();
            found[*grade].push_back(p);
        }
        std::string line = "game " + std::to_string(game + 1) + ":";
        for (int g = kFirstGrade; g <= kLastGrade; ++g)
            line += " grade " + std::to_string(g) + " " + std::to_string(found[g].size());
        if (!said(line))
            break;
    }
    std::vector<Puzzle> chosen;
    for (int g = kFirstGrade; g <= kLastGrade; ++g) {
        std::vector<Puzzle>& pool = found[g];
        std::stable_partition(pool.begin(), pool.end(), [](const Puzzle& p) { return p.unique; });
        for (int n = 0; n < perGrade && n < static_cast<int>(pool.size()); ++n)
            chosen.push_back(pool[static_cast<std::size_t>(n)]);
    }
    chosen.resize(std::min<std::size_t>(chosen.size(), static_cast<std::size_t>(count)));
    for (std::size_t n = 0; n < chosen.size(); ++n)
        chosen[n].id = static_cast<int>(n) + 1;
    return chosen;
}

} // namespace vornix

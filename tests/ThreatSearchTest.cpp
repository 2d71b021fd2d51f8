// Forced wins by threats, checked against a plain exhaustive search of the whole game tree and
// played out against every defence; and the persona that relies on them.
#include "RecordingWindow.h"
#include "ai/ProofSearch.h"
#include "ai/Prover.h"
#include "ai/ThreatSearch.h"
#include "ai/Zeddon.h"
#include "game/Symmetries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <random>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vornix::testing {
namespace {

// Whether the side to move, playing `me`, can force a win: every move tried, every reply, to the
// end of the game. Written for plainness, from the line sums alone.
bool completes(const Grid& g, int cell, std::int32_t piece)
{
    for (int n = 0; n < kLinesThroughCell[cell].count; ++n) {
        const Line& line = kLines[kLinesThroughCell[cell].line[n]];
        if (g[line[0]] + g[line[1]] + g[line[2]] + g[line[3]] == 4 * piece)
            return true;
    }
    return false;
}

class Exhaustive {
public:
    // Whether the side to move, playing `me`, can force a win: every move tried, every reply, to the
    // end of the game, each position solved once.
    bool canForceAWin(Grid& g, std::int32_t me)
    {
        std::pair<std::uint64_t, std::uint64_t> key{};
        for (int cell = 0; cell < kCells; ++cell) {
            key.first |= std::uint64_t{g[cell] == me} << cell;
            key.second |= std::uint64_t{g[cell] != kEmpty && g[cell] != me} << cell;
        }
        if (const auto known = solved_.find(key); known != solved_.end())
            return known->second;
        bool win = false;
        for (int cell = 0; cell < kCells && !win; ++cell)
            win = g[cell] == kEmpty && moveWins(g, cell, me);
        solved_[key] = win;
        return win;
    }

    // Whether `me` on the free cell wins: a line at once, or a win after every reply.
    bool moveWins(Grid& g, int cell, std::int32_t me)
    {
        const std::int32_t other = me == kCross ? kNought : kCross;
        g[cell] = me;
        bool win = completes(g, cell, me);
        if (!win && std::count(g.begin(), g.end(), kEmpty) > 0) {
            // Won unless some reply of the other side wins or holds out.
            win = true;
            for (int reply = 0; reply < kCells && win; ++reply) {
                if (g[reply] != kEmpty)
                    continue;
                g[reply] = other;
                win = !completes(g, reply, other) && canForceAWin(g, me);
                g[reply] = kEmpty;
            }
        }
        g[cell] = kEmpty;
        return win;
    }

private:
    struct PairHash {
        std::size_t operator()(const std::pair<std::uint64_t, std::uint64_t>& p) const
        {
            return std::hash<std::uint64_t>()(p.first * 31 + p.second);
        }
    };
    std::unordered_map<std::pair<std::uint64_t, std::uint64_t>, bool, PairHash> solved_;
};

// The cells that would complete a line of `piece` at once.
std::vector<int> winningMoves(Grid& g, std::int32_t piece)
{
    std::vector<int> cells;
    for (int cell = 0; cell < kCells; ++cell) {
        if (g[cell] != kEmpty)
            continue;
        g[cell] = piece;
        if (completes(g, cell, piece))
            cells.push_back(cell);
        g[cell] = kEmpty;
    }
    return cells;
}

// A position of random play that left no line complete and `empties` cells free.
Grid randomPlay(std::mt19937& random, int empties)
{
    for (;;) {
        Grid g{};
        std::int32_t piece = kNought;
        bool stuck = false;
        for (int placed = 0; placed < kCells - empties && !stuck; ++placed) {
            std::vector<int> quiet;
            for (int cell = 0; cell < kCells; ++cell) {
                if (g[cell] != kEmpty)
                    continue;
                g[cell] = piece;
                if (!completes(g, cell, piece))
                    quiet.push_back(cell);
                g[cell] = kEmpty;
            }
            stuck = quiet.empty();
            if (!stuck) {
                g[quiet[std::uniform_int_distribution<std::size_t>(0, quiet.size() - 1)(random)]] = piece;
                piece = piece == kNought ? kCross : kNought;
            }
        }
        if (!stuck)
            return g;
    }
}

// The same, where the side to move (`toMove`) cannot complete a line at once: a win there takes
// more than the obvious move.
Grid randomEnding(std::mt19937& random, int empties, std::int32_t toMove)
{
    for (;;) {
        Grid g = randomPlay(random, empties);
        if (winningMoves(g, toMove).empty())
            return g;
    }
}

// Plays a claimed sequence out against every reply that does not lose on the spot, and says
// whether it wins: each cell of it completes a line, or leaves the attacker two cells that do, or
// leaves one, which the defender must take (unless the defender could complete a line first).
bool sequenceWins(Grid g, std::int32_t me, const ThreatSequence& sequence)
{
    const std::int32_t other = me == kCross ? kNought : kCross;
    for (int n = 0; n < sequence.count; ++n) {
        const int cell = sequence.cells[n];
        if (g[cell] != kEmpty)
            return false;
        const std::vector<int> theirs = winningMoves(g, other);
        // A line the defender could complete must be blocked by this very cell.
        if (!theirs.empty() && (theirs.size() > 1 || theirs[0] != cell) && winningMoves(g, me).empty())
            return false;
        g[cell] = me;
        if (completes(g, cell, me))
            return true;
        const std::vector<int> threats = winningMoves(g, me);
        if (!winningMoves(g, other).empty())
            return false; // the defender completes a line first
        if (threats.size() >= 2)
            return true;
        if (threats.empty())
            return false;
        g[threats[0]] = other; // the only reply that does not lose at once
    }
    return false;
}

// Middle games of random play: every sequence found wins against every defence.
TEST(ThreatSearch, EverySequenceFoundWinsAgainstEveryDefence)
{
    std::mt19937 random(7);
    ThreatSearch search;
    int found = 0;
    for (int n = 0; n < 4000; ++n) {
        const int pieces = 8 + n % 33;
        const std::int32_t toMove = pieces % 2 == 0 ? kNought : kCross; // noughts began
        const Grid g = randomEnding(random, kCells - pieces, toMove);
        const ThreatSequence sequence = search.find(sidesOf(g, toMove));
        if (!sequence.empty()) {
            ++found;
            ASSERT_TRUE(sequenceWins(g, toMove, sequence)) << "position " << n;
        }
    }
    std::cout << "forced wins by threats in random middle games: " << found << " of 4000\n";
    EXPECT_GT(found, 400);
}

// A forced win by threats replayed after one more piece of the defender's anywhere: it still wins
// exactly when playing it out against every defence says so, and a piece that breaks it stands
// where the prover looks for one. The prover's defence at each turn is no wider than that.
TEST(ThreatSearch, AReplayAfterAnExtraDefenderPieceMatchesPlayingItOut)
{
    std::mt19937 random(11);
    ThreatSearch search;
    int broken = 0;
    int kept = 0;
    for (int n = 0; n < 1500 && broken + kept < 20000; ++n) {
        const int pieces = 8 + n % 25;
        const std::int32_t toMove = pieces % 2 == 0 ? kNought : kCross;
        const std::int32_t other = toMove == kCross ? kNought : kCross;
        const Grid g = randomEnding(random, kCells - pieces, toMove);
        const ThreatSequence sequence = search.find(sidesOf(g, toMove));
        if (sequence.empty())
            continue;
        for (int cell = 0; cell < kCells; ++cell) {
            if (g[cell] != kEmpty)
                continue;
            Grid after = g;
            after[cell] = other;
            const bool wins = sequenceWins(after, toMove, sequence);
            ASSERT_EQ(sequenceStillWins(sidesOf(after, toMove), sequence), wins) << "position " << n << " cell " << cell;
            const bool looked = (cellsThatMayBreak(sidesOf(g, toMove), sequence) & cellBit(cell)) != 0;
            ASSERT_TRUE(wins || looked) << "position " << n << " cell " << cell;
            (wins ? kept : broken) += 1;
        }
    }
    EXPECT_GT(broken, 1000);
    EXPECT_GT(kept, 1000);
}

// Endings small enough to search whole: every win claimed is real, and most real ones are found.
TEST(ThreatSearch, EveryWinItClaimsIsRealAndItFindsMostOfThem)
{
    std::mt19937 random(20261208);
    ThreatSearch search;
    int claimed = 0;
    int real = 0;
    for (int n = 0; n < 300; ++n) {
        const int empties = 8 + n % 3;
        const std::int32_t toMove = empties % 2 == 0 ? kNought : kCross;
        // Half of them one move from a line already, half of them not.
        Grid g = n % 2 == 0 ? randomEnding(random, empties, toMove) : randomPlay(random, empties);
        const ThreatSequence found = search.find(sidesOf(g, toMove));
        const bool win = Exhaustive().canForceAWin(g, toMove);
        real += win;
        claimed += !found.empty();
        ASSERT_TRUE(found.empty() || win) << "a false win claimed on position " << n;
    }
    std::cout << "forced wins by threats in endings: found " << claimed << " of " << real << " real wins\n";
    EXPECT_GT(claimed, real * 9 / 10);
}

// The alpha-beta search to depth 4 takes cell 41 here, after which the player's noughts force a win
// in nine moves; the sixth persona sees it and plays elsewhere.
TEST(ThreatSearch, TheSixthPersonaNeverLeavesTheNineMoveWinThePlainSearchMisses)
{
    const Grid g = gridOf("........OX....X.O..................O..O........O......X......X..");
    Grid after = g;
    after[41] = kCross;
    ThreatSequence noughts;
    for (int cell : {39, 37, 42, 25, 12, 0, 13, 46, 63})
        noughts.cells[noughts.count++] = static_cast<std::uint8_t>(cell);
    ASSERT_TRUE(sequenceWins(after, kNought, noughts));

    AlphaBetaEngine plain;
    plain.reset(g, EvalWeights{}, 4);
    const Choice morvid = searchRoot(plain, g);
    ASSERT_EQ(morvid.candidates.count, 1);
    ASSERT_EQ(morvid.candidates.cells[0], 41);

    Zeddon zeddon;
    const ZeddonChoice choice = zeddon.choose(g, EvalWeights{});
    ASSERT_FALSE(choice.candidates.empty());
    for (int n = 0; n < choice.candidates.count; ++n)
        EXPECT_NE(choice.candidates.cells[n], 41);
}

// The sixth persona's choice, on positions whose answer a player sees at a glance.
struct ZeddonCase {
    const char* name;
    const char* position;
    ZeddonReason reason;
    std::set<int> allowed; // every candidate is one of these
};

class ZeddonChoosing : public ::testing::TestWithParam<ZeddonCase> {};

TEST_P(ZeddonChoosing, PlaysWhatThePositionCallsFor)
{
    Zeddon zeddon;
    const ZeddonChoice choice = zeddon.choose(gridOf(GetParam().position), EvalWeights{});
    EXPECT_EQ(choice.reason, GetParam().reason);
    ASSERT_FALSE(choice.candidates.empty());
    for (int n = 0; n < choice.candidates.count; ++n)
        EXPECT_EQ(GetParam().allowed.count(choice.candidates.cells[n]), 1U) << int{choice.candidates.cells[n]};
}

INSTANTIATE_TEST_SUITE_P(
    Zeddon, ZeddonChoosing,
    ::testing::Values(
        // Its own three along (t, 0, 0) beats blocking the player's along (t, 1, 0).
        ZeddonCase{"CompletesItsOwnLine", "XXX.OOO.........................................................",
                   ZeddonReason::Win, {3}},
        ZeddonCase{"BlocksTheWinInOne", "OOO.X...X.......................................................",
                   ZeddonReason::Block, {3}},
        // Two lines of two crosses meet at (3, 0, 0): a cross there threatens both.
        ZeddonCase{"StartsAForcedWin", "XX.....X...X.........O....................................O.....",
                   ZeddonReason::Threats, {3}},
        // The same for the player's noughts: only a cross on one of their lines stops it.
        ZeddonCase{"DefusesThePlayersDoubleThreat",
                   "OO.....O...O.........X....................................X.....", ZeddonReason::Search,
                   {2, 3, 15}}),
    [](const auto& info) { return std::string(info.param.name); });

// Crosses on cells 0 and 1, noughts along the long diagonal that 0 spoils, a move ahead: a cross on
// 2 or 3 would make a line of three that the player simply blocks, spending a threat a forced win
// could use later.
TEST(Zeddon, KeepsItsThreatsForAForcedWin)
{
    const ZeddonChoice choice =
        Zeddon{}.choose(gridOf("XX...................O....................O....................O"), EvalWeights{});
    EXPECT_EQ(choice.reason, ZeddonReason::Search);
    ASSERT_FALSE(choice.candidates.empty());
    for (int n = 0; n < choice.candidates.count; ++n) {
        const int cell = choice.candidates.cells[n];
        EXPECT_TRUE(cell != 2 && cell != 3) << cell;
    }
}

// Moving second on the book's line it also draws among the replies the book answers, within a wider
// margin, from its third reply on. Noughts hold 0, 3 and 15, crosses 21 and 26: the deep search
// values the replies 11 (and its mirror image 1) at 167, 10 (and 5) at 142, 6 at 99. Its second
// and first replies stay narrow: after noughts' 0 and 3 and crosses' 21 it values 38 (with 1 and
// 26) at 123 and 41 at 114; after a corner alone, 42 (and 21) at 77 and the far corner 63 at 74.
TEST(Zeddon, VariesMovingSecondWhereTheBookAnswersItsReplies)
{
    const auto candidates = [](const std::string& position, const Book* book) {
        Zeddon zeddon;
        zeddon.setBook(book);
        const ZeddonChoice choice = zeddon.choose(gridOf(position), EvalWeights{});
        return std::set<int>(choice.candidates.cells.begin(), choice.candidates.cells.begin() + choice.candidates.count);
    };
    const std::string third = "O..O...........O.....X....X.....................................";
    Book book;
    for (int reply : {5, 6})
        book.add({cellBit(0) | cellBit(3) | cellBit(15), cellBit(21) | cellBit(26) | cellBit(reply)}, 12);
    book.add({cellBit(0) | cellBit(3), cellBit(21) | cellBit(41)}, 12);
    book.add({cellBit(0), cellBit(63)}, 1);
    EXPECT_EQ(candidates(third, nullptr), (std::set<int>{1, 11}));
    EXPECT_EQ(candidates(third, &book), (std::set<int>{1, 5, 10, 11}));
    EXPECT_EQ(candidates("O..O.................X" + std::string(42, '.'), &book), (std::set<int>{1, 26, 38}));
    EXPECT_EQ(candidates("O" + std::string(63, '.'), &book), (std::set<int>{21, 42}));
}

// Small endings, settled by both proof searches and by the whole game tree: the same answer every
// time, and a first move that keeps the win.
TEST(ProofSearch, SettlesEndingsAsTheWholeGameTreeDoes)
{
    std::mt19937 random(31);
    ProofSearch proof;
    Prover prover(std::size_t{1} << 20); // small, so that entries are replaced
    int wins = 0;
    for (int n = 0; n < 160; ++n) {
        const int empties = 9 + n % 5;
        const std::int32_t toMove = empties % 2 == 0 ? kNought : kCross;
        Grid g = n % 2 == 0 ? randomEnding(random, empties, toMove) : randomPlay(random, empties);
        Exhaustive tree;
        const bool win = tree.canForceAWin(g, toMove);
        wins += win;
        for (const ProofResult& result : {proof.solve(sidesOf(g, toMove)), prover.prove(sidesOf(g, toMove))}) {
            ASSERT_NE(result.proof, Proof::Unknown) << "position " << n;
            ASSERT_EQ(result.proof == Proof::Win, win) << "position " << n;
            if (win) {
                ASSERT_EQ(g[result.move], kEmpty);
                ASSERT_TRUE(tree.moveWins(g, result.move, toMove)) << "position " << n;
            }
        }
    }
    std::cout << "endings the proof searches showed won: " << wins << " of 160\n";
}

// Endings where every move of the side to move (X) lets the other side force a win by threats:
// the search must see the other side's win, not count the threats as the mover's.
TEST(ProofSearch, SeesTheOtherSidesForcedWins)
{
    for (const std::string_view position :
         {"OXXOOXXOXOOXO.XO..XX.OOX..OOO.XXOOXO.X.OXOOXXXOXXXOXXOO.OXXOXOOX",
          "X.XO.OX.OX.OXO.XXXXOOOXXOOX..OO.XOXXOXOOX..XOO..OXOOOXXXOOOXXXOX"}) {
        Grid g = gridOf(position);
        ASSERT_FALSE(Exhaustive{}.canForceAWin(g, kCross)) << position;
        EXPECT_EQ(ProofSearch{}.solve(sidesOf(g, kCross)).proof, Proof::NoWin) << position;
        EXPECT_EQ(Prover{}.prove(sidesOf(g, kCross)).proof, Proof::NoWin) << position;
    }
}

// On a nearly empty board nothing is settled soon: the search stops where its next expansion
// would pass the node limit it was given, far below its capacity.
TEST(ProofSearch, StopsAtTheNodeLimitItIsGiven)
{
    const ProofResult result = ProofSearch{}.solve(sidesOf(gridOf(std::string(63, '.') + "O"), kCross),
                                                   [] { return true; }, 1000);
    EXPECT_EQ(result.proof, Proof::Unknown);
    EXPECT_LE(result.nodes, 1000U);
    EXPECT_GT(result.nodes, 1000U - 63U);
}

// The canonical image is the least of the 192 images, the side to move's cells first, worked out
// here from the game's own list of the cube's symmetries; the moves kept as distinct are the least
// of each set of moves a symmetry of the position maps onto each other; and a move in an image maps
// back to one that leads to the same position up to symmetry.
TEST(ProofSearch, SymmetriesAgreeWithTheGamesListOfThem)
{
    const auto imageOf = [](const CellPermutation& map, Sides s) {
        Sides image;
        for (int cell = 0; cell < kCells; ++cell) {
            image.mine |= (s.mine >> cell & 1U) << map[cell];
            image.theirs |= (s.theirs >> cell & 1U) << map[cell];
        }
        return image;
    };
    const auto key = [](Sides s) { return std::pair{s.mine, s.theirs}; };
    std::mt19937 random(5);
    std::vector<Sides> positions = {{}, {0, cellBit(0)}, {cellBit(21), cellBit(0) | cellBit(63)}};
    for (int n = 0; n < 60; ++n) {
        const Grid g = randomPlay(random, 1 + n % 40);
        // Some with no piece of the side to move, where every image ties on it.
        positions.push_back(n % 3 == 0 ? Sides{0, sidesOf(g, kCross).theirs} : sidesOf(g, kCross));
    }
    for (const Sides& s : positions) {
        Sides least = s;
        Cells distinct = s.empty();
        for (const CellPermutation& map : lineAutomorphisms()) {
            const Sides image = imageOf(map, s);
            least = std::min(least, image, [&](Sides a, Sides b) { return key(a) < key(b); });
            if (key(image) == key(s))
                for (int cell = 0; cell < kCells; ++cell)
                    if (map[cell] < cell)
                        distinct &= ~cellBit(cell);
        }
        ASSERT_EQ(key(canonical(s)), key(least));
        ASSERT_EQ(distinctMoves(s, s.empty()), distinct);
        const Sides image = imageOf(lineAutomorphisms()[random() % 192], s);
        ASSERT_EQ(key(canonical(image)), key(least));
        for (Cells left = image.empty(); left != 0; left &= left - 1) {
            const int back = cellOfImage(s, image, firstCell(left));
            ASSERT_TRUE(s.empty() & cellBit(back));
            ASSERT_EQ(key(canonical({s.mine | cellBit(back), s.theirs})),
                      key(canonical({image.mine | (left & (0 - left)), image.theirs})));
        }
    }
    // The empty board's cells fall into two sets: the corners with the centres, and the rest.
    EXPECT_EQ(distinctMoves({}, ~Cells{0}), cellBit(0) | cellBit(1));
}

} // namespace
} // namespace vornix::testing


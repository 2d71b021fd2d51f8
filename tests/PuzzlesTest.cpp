// Grading forced wins, the puzzle file, the checks of a puzzle, and playing one on the board.
#include "GameFixture.h"
#include "puzzles/Puzzles.h"
#include "puzzles/WinLength.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace vornix::testing {
namespace {

bool completes(const Grid& g, int cell, std::int32_t side)
{
    for (const Line& line : kLines) {
        int mine = 0;
        bool through = false;
        for (int c : line) {
            mine += g[c] == side ? 1 : 0;
            through = through || c == cell;
        }
        if (through && mine == 3 && g[cell] == kEmpty)
            return true;
    }
    return false;
}

// The grading rule written out plainly: the attacker tries every move that threatens, the block of
// the defender's line of three, and, in its last three placements, any move at all; the defender
// tries every reply.
bool literalWithin(Grid& g, std::int32_t attacker, int n)
{
    const std::int32_t defender = attacker == kNought ? kCross : kNought;
    for (int c = 0; c < kCells; ++c)
        if (g[c] == kEmpty && completes(g, c, attacker))
            return true;
    if (n == 1)
        return false;
    for (int m = 0; m < kCells; ++m) {
        if (g[m] != kEmpty)
            continue;
        const bool block = completes(g, m, defender);
        g[m] = attacker;
        bool threatens = false;
        for (int c = 0; c < kCells; ++c)
            threatens = threatens || (g[c] == kEmpty && completes(g, c, attacker));
        bool wins = (threatens || block || n <= 3);
        bool anyReply = false;
        for (int r = 0; wins && r < kCells; ++r) {
            if (g[r] != kEmpty)
                continue;
            anyReply = true;
            if (completes(g, r, defender)) {
                wins = false;
                break;
            }
            g[r] = defender;
            wins = literalWithin(g, attacker, n - 1);
            g[r] = kEmpty;
        }
        g[m] = kEmpty;
        if (wins && anyReply)
            return true;
    }
    return false;
}

TEST(WinLength, AgreesWithThePlainRuleOnSmallEndings)
{
    std::mt19937 random(5);
    WinLength length;
    int wins = 0;
    for (int trial = 0; trial < 300; ++trial) {
        Grid g = randomPosition(random, 56 + static_cast<int>(random() % 3));
        const int noughts = static_cast<int>(std::count(g.begin(), g.end(), kNought));
        const int crosses = static_cast<int>(std::count(g.begin(), g.end(), kCross));
        const std::int32_t toMove = noughts <= crosses ? kNought : kCross;
        for (int n = 1; n <= 4; ++n) {
            const auto fast = length.winsWithin(sidesOf(g, toMove), n);
            ASSERT_TRUE(fast.has_value());
            ASSERT_EQ(*fast, literalWithin(g, toMove, n)) << "trial " << trial << " within " << n;
            wins += *fast ? 1 : 0;
        }
    }
    EXPECT_GT(wins, 100); // the endings hold wins of every length, not only none
}

// Noughts (to move) hold 1, 2 (row 1 of layer 1) and 4, 8 (its column 1): a nought on 0 threatens 3
// and 12 at once. Crosses hold 21, 42, 47 and 61, with no three in a line.
const std::string kDoubleThreat = "1 2 1 0 1 21 2 42 4 47 8 61";

Puzzle puzzleOf(const std::string& line)
{
    const PuzzleSet set = readPuzzles("vornix-puzzles 1\n" + line + "\n");
    EXPECT_EQ(set.error, "");
    return set.puzzles.empty() ? Puzzle{} : set.puzzles.front();
}

TEST(Puzzles, TheChecksFindEveryWrongClaim)
{
    struct Case {
        std::string line;
        const char* fault;
    } cases[] = {
        {kDoubleThreat, ""},
        {"1 3 1 0 1 21 2 42 4 47 8 61", "the side to move wins within one fewer\n"},
        {"1 2 1 3 1 21 2 42 4 47 8 61",
         "the move does not win within the grade\nanother first move wins within the grade\n"},
        {"1 1 1 0 1 21 2 42 4 47 8 61", "the move does not win within the grade\n"},
        {"1 2 1 0 1 21 2 42 4 47 8 61 5", "the move does not win within the grade\n"}, // crosses to move
        {"1 2 1 3 1 21 2 42 4 47 8 61 0 16 17 18", // 3 and 12 both complete a line of noughts'
         "the side to move wins in one\nthe side to move wins within one fewer\nanother first move wins within the grade\n"},
    };
    for (const Case& c : cases) {
        bool settled = false;
        EXPECT_EQ(checkPuzzle(puzzleOf(c.line), settled), c.fault) << c.line;
        EXPECT_TRUE(settled);
    }
    EXPECT_EQ(puzzleKey(puzzleOf(kDoubleThreat)).size(), 64U);
}

TEST(Puzzles, TheFileReadsBackAndRefusesWhatIsWrong)
{
    const Puzzle p = puzzleOf(kDoubleThreat);
    EXPECT_EQ(readPuzzles(writePuzzles({p})).puzzles, std::vector<Puzzle>{p});
    for (const char* bad : {"", "vornix-puzzles 2\n", "vornix-puzzles 1\n1 2 1 0\n", "vornix-puzzles 1\n1 2 1 0 1 1\n",
                            "vornix-puzzles 1\n1 2 1 1 1 5\n", "vornix-puzzles 1\n1 12 1 0 1\n",
                            "vornix-puzzles 1\n1 2 1 0 64\n", "vornix-puzzles 1\n1 2 1 0 x\n",
                            "vornix-puzzles 1\n1 2 1 0 5\n1 2 1 0 6\n"})
        EXPECT_NE(readPuzzles(bad).error, "") << bad;
    EXPECT_EQ(readSolved("junk\n" + std::string(64, '.') + "\r\n" + std::string(64, '.') + "\n").size(), 1U);
}

class PuzzleMode : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        std::ofstream(window.folder / "puzzles.txt") << "vornix-puzzles 1\n" << kDoubleThreat << "\n2"
                                                     << kDoubleThreat.substr(1) << " 50 33\n";
        game.cell_MouseUp(63, MouseButton::Right); // an ordinary game under way
    }
};

TEST_F(PuzzleMode, APuzzleIsPlayedFailedRetriedAndSolvedAndTheGameComesBack)
{
    const GameState ordinary = st();
    ASSERT_EQ(game.puzzleList().size(), 2U);
    ASSERT_TRUE(game.startPuzzle(1));
    EXPECT_EQ(window.captions[1], "O");
    EXPECT_EQ(window.captions[21], "X");
    EXPECT_EQ(window.captions[63], "");
    EXPECT_EQ(window.status, "Puzzle 1, grade 2: noughts to win in 2 · Your turn");
    EXPECT_FALSE(enabled(MenuItem::SaveGameMenu));
    EXPECT_FALSE(enabled(MenuItem::ZeddonMenu));

    window.answers = {true};
    game.cell_MouseUp(63, MouseButton::Left); // lets crosses block both lines on 0
    EXPECT_EQ(window.messages.back(), "That lets crosses off the hook — try again?");
    EXPECT_EQ(window.captions[63], "");
    EXPECT_EQ(st().TurnNumber, 8);

    game.HintMenu_Click();
    EXPECT_EQ(window.marks.hint, 0);
    game.cell_MouseUp(0, MouseButton::Left); // threatens 3 and 12; crosses block one
    const int open = window.captions[3].empty() ? 3 : 12;
    EXPECT_EQ(window.captions[open == 3 ? 12 : 3], "X");
    window.answers = {true};
    game.cell_MouseUp(open, MouseButton::Left);
    EXPECT_EQ(window.messages.back(), "Solved: puzzle 1, grade 2. On to the next unsolved puzzle?");
    EXPECT_EQ(game.puzzleId(), 2);
    EXPECT_EQ(window.captions[50], "O");
    EXPECT_EQ(window.captions[0], "");
    EXPECT_TRUE(game.puzzleList()[0].solved);
    EXPECT_FALSE(game.puzzleList()[1].solved);
    EXPECT_TRUE(std::filesystem::exists(window.folder / "PuzzlesSolved"));
    EXPECT_FALSE(std::filesystem::exists(window.folder / "Statistics"));

    game.leavePuzzles();
    EXPECT_EQ(st(), ordinary);
    EXPECT_EQ(window.captions[63], "O");
    EXPECT_EQ(window.captions[1], "");
    EXPECT_TRUE(enabled(MenuItem::SaveGameMenu));
}

} // namespace
} // namespace vornix::testing

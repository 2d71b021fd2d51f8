// The alpha-beta search's rules on positions a player would recognise.
#include "GameFixture.h"
#include "LiteralSearch.h"

#include <gtest/gtest.h>

namespace vornix::testing {
namespace {

Choice searchAt(const Grid& g, std::int32_t depth, const EvalWeights& w = {})
{
    AlphaBetaEngine engine;
    engine.reset(g, w, depth);
    return searchRoot(engine, g);
}

// The lines through the corner (0, 0, 0) with pieces along (t, 0, 0) only, counted by hand: at an
// even depth each side's lines weigh as the evaluation weighs them, at an odd depth the two sides
// exchange weights. The other six lines through the corner are empty, or hold the corner alone.
struct LinesCase {
    const char* name;
    const char* alongTheRow; // cells (0, 0, 0) to (3, 0, 0)
    std::int32_t even;
    std::int32_t odd;
};

class CornerLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(CornerLines, ScoreWithTheWeightsOfTheDepthsParity)
{
    Grid g{};
    for (int t = 0; GetParam().alongTheRow[t] != '\0'; ++t)
        g[t] = GetParam().alongTheRow[t] == 'O' ? kNought : GetParam().alongTheRow[t] == 'X' ? kCross : kEmpty;
    LineTally t;
    EXPECT_EQ(CellLinesScore(g, 0, 0, 0, EvalWeights{}, 4, t), GetParam().even);
    EXPECT_EQ(CellLinesScore(g, 0, 0, 0, EvalWeights{}, 3, t), GetParam().odd);
}

INSTANTIATE_TEST_SUITE_P(AlphaBeta, CornerLines,
                         ::testing::Values(LinesCase{"OneCross", ".X", 9, 8}, LinesCase{"TwoCrosses", ".XX", 50, 40},
                                           LinesCase{"ThreeCrosses", ".XXX", 9999, 300},
                                           LinesCase{"FourCrosses", "XXXX", 1000000 + 6 * 9, 100000 + 6 * 8},
                                           LinesCase{"OneNought", ".O", -8, -9}, LinesCase{"TwoNoughts", ".OO", -40, -50},
                                           LinesCase{"ThreeNoughts", ".OOO", -300, -9999},
                                           LinesCase{"FourNoughts", "OOOO", -100000 - 6 * 8, -1000000 - 6 * 9},
                                           LinesCase{"Dead", ".OX", 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AlphaBetaRoot, DepthOneTakesTheLargestChangeAndAWinGainsTheFullLine)
{
    // The fourth cross gains 100000 - 300 on its line, and 6 x 8 on its six empty lines.
    const Choice c = searchAt(gridWith({}, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}), 1);
    EXPECT_EQ(c.candidates.count, 1);
    EXPECT_EQ(c.candidates.cells[0], cellIndex(3, 0, 0));
    EXPECT_EQ(c.BestValue, 99748);
}

TEST(AlphaBetaRoot, AWinningCrossIsChosenAtEveryDepthAndTheOpenThreeBlockedFromDepthTwo)
{
    const Grid win = gridWith({{0, 1, 0}, {1, 1, 0}, {2, 1, 0}, {3, 3, 3}}, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});
    const Grid block = gridWith({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {{1, 1, 1}, {2, 2, 2}});
    for (std::int32_t depth = 1; depth <= 6; ++depth)
        for (const Grid& g : depth == 1 ? std::vector<Grid>{win} : std::vector<Grid>{win, block}) {
            const Choice c = searchAt(g, depth);
            EXPECT_EQ(c.candidates.count, 1) << depth;
            EXPECT_EQ(c.candidates.cells[0], cellIndex(3, 0, 0)) << depth;
        }
}

// What the fifth persona hands its hook for each free cell, as the hook sees it.
struct HookCall {
    Coord cell;
    std::int32_t ten;
    std::int32_t best;
    Grid board;
    std::int32_t depth;
    std::array<std::int32_t, 8> table;
    bool cellShown;
};
std::vector<HookCall> hookCalls;
const RecordingWindow* hookWindow = nullptr;

std::int32_t recordingHook(std::int32_t x, std::int32_t y, std::int32_t z, std::int32_t ten, std::int32_t best,
                           const std::int32_t* grid, std::int32_t depth, const std::int32_t* table)
{
    HookCall call{{x, y, z}, ten, best, {}, depth, {}, hookWindow->visible[cellIndex(x, y, z)]};
    std::copy_n(grid, 64, call.board.begin());
    std::copy_n(table, 8, call.table.begin());
    hookCalls.push_back(call);
    return x + 4 * y + 16 * z == 1 ? 7 : x; // cell 1 scores best; the rest score their column
}

class Hook : public GameFixture {};

TEST_F(Hook, TheFifthPersonaHandsEveryFreeCellToTheHookWithTheBestSoFarTheBoardDepthAndWeights)
{
    hookCalls.clear();
    hookWindow = &window;
    game.setMoveScoreHook(&recordingHook);
    game.CMenu_Click();
    game.SearchDepthMenu_Click(5);
    st().weights = {1, 2, 3, 4, 5};
    board(gridWith({{0, 0, 0}}));
    game.Mygo_Click();

    ASSERT_EQ(hookCalls.size(), 63U);
    const Grid before = gridWith({{0, 0, 0}});
    const std::array<std::int32_t, 8> table{1, 2, 3, 4, 5, 9999, 100000, 1000000};
    for (const HookCall& call : hookCalls) {
        EXPECT_EQ(call.ten, 10);
        EXPECT_EQ(call.board, before);
        EXPECT_EQ(call.depth, 5);
        EXPECT_EQ(call.table, table);
        EXPECT_FALSE(call.cellShown);
    }
    // x outermost, z innermost; the best so far starts at the floor and then rises with the answers.
    EXPECT_EQ(hookCalls[0].cell, (Coord{0, 0, 1}));
    EXPECT_EQ(hookCalls[0].best, -1000000);
    EXPECT_EQ(hookCalls[1].cell, (Coord{0, 0, 2}));
    EXPECT_EQ(hookCalls[1].best, 0);
    EXPECT_EQ(hookCalls[15].cell, (Coord{1, 0, 0}));
    EXPECT_EQ(hookCalls[16].best, 7);
    EXPECT_EQ(window.captions[1], "X"); // the only cell worth 7
    EXPECT_TRUE(std::all_of(window.visible.begin(), window.visible.end(), [](bool shown) { return shown; }));
}

// A hook that scores cell 63 alone, at a score of the test's choosing, and every other cell below it.
std::int32_t cell63Score = 0;

std::int32_t cell63Hook(std::int32_t x, std::int32_t y, std::int32_t z, std::int32_t, std::int32_t, const std::int32_t*,
                        std::int32_t, const std::int32_t*)
{
    return cellIndex(x, y, z) == 63 ? cell63Score : cell63Score - 1;
}

// A cell worth exactly the root's floor of -1000000 is still a candidate; below it, none is.
TEST_F(Hook, TheRootFloorIsItselfACandidate)
{
    game.setMoveScoreHook(&cell63Hook);
    game.CMenu_Click();
    for (auto [score, candidates] : {std::pair{-1000000, 1}, {-1000001, 0}}) {
        cell63Score = score;
        game.NewGameMenu_Click();
        game.Mygo_Click();
        EXPECT_EQ(st().CandidateCount, candidates) << score;
    }
    EXPECT_EQ(st().BestValue, -1000000); // the floor, where nothing reached it
}

// Crosses on these 16 cells, and nothing else, hold 28 lines of one cross, 15 of two and 8 of
// three (counted line by line). With a one-cross weight of -4, a two-crosses weight of w and the
// others 0, the board scores -(-4 x 28 + 15w + 9999 x 8): exactly -80000 for w = 8, and -80015
// for w = 9. Only a score below -80000 is the computer's win.
TEST_F(Hook, TheComputersWinNeedsAScoreBelowMinusEightyThousand)
{
    game.setMoveScoreHook(&cell63Hook);
    game.CMenu_Click();
    cell63Score = 5;
    for (auto [twoCrosses, message] : {std::pair{8, ""}, {9, "Ho, ho, ho; I win"}}) {
        game.NewGameMenu_Click();
        board(gridWith({}, {{3, 0, 0}, {1, 2, 0}, {3, 2, 0}, {0, 3, 0}, {1, 3, 0}, {3, 3, 0}, {1, 0, 1}, {3, 0, 1},
                            {3, 3, 1}, {1, 0, 2}, {2, 0, 2}, {3, 0, 2}, {1, 1, 2}, {1, 2, 2}, {2, 3, 2}}));
        st().weights = {0, -4, 0, twoCrosses, 0};
        window.messages.clear();
        game.Mygo_Click();
        ASSERT_EQ(st().GridContents[63], kCross);
        EXPECT_EQ(window.messages.empty() ? "" : window.messages.back(), message) << twoCrosses;
    }
}

} // namespace
} // namespace vornix::testing

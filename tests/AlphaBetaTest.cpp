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

TEST(CellLinesScore, EvenDepthIsTheNegatedEvaluationOfTheCellsLines)
{
    const Grid g = gridWith({{1, 0, 0}}, {{0, 0, 0}});
    LineTally t;
    // Lines through (0,0,0): one holds a nought and a cross (dead), six hold the cross alone.
    EXPECT_EQ(CellLinesScore(g, 0, 0, 0, EvalWeights{}, 4, t), 6 * 9);
    EXPECT_EQ(t.CrossTally[1], 6);
    EXPECT_EQ(CellLinesScore(g, 0, 0, 0, EvalWeights{}, 3, t), 6 * 8);
}

TEST(AlphaBetaRoot, DepthOneTakesTheLargestChangeAndAWinGainsTheFullLine)
{
    // Three crosses in a row with the fourth cell free: completing it gains 100000 - 300 there.
    const Grid g = gridWith({{0, 1, 0}, {1, 1, 0}, {2, 1, 0}}, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});
    const Choice c = searchAt(g, 1);
    ASSERT_EQ(c.candidates.count, 1);
    EXPECT_EQ(c.candidates.cells[0], cellIndex(3, 0, 0));
    LineTally t;
    Grid after = g;
    const std::int32_t before = CellLinesScore(after, 3, 0, 0, EvalWeights{}, 1, t);
    after[cellIndex(3, 0, 0)] = kCross;
    EXPECT_EQ(CellLinesScore(after, 3, 0, 0, EvalWeights{}, 1, t) - before, c.BestValue);
}

TEST(AlphaBetaRoot, AWinningCrossIsChosenAtEveryDepth)
{
    const Grid g = gridWith({{0, 1, 0}, {1, 1, 0}, {2, 1, 0}, {3, 3, 3}}, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});
    for (std::int32_t depth = 1; depth <= 6; ++depth) {
        const Choice c = searchAt(g, depth);
        ASSERT_EQ(c.candidates.count, 1) << depth;
        EXPECT_EQ(c.candidates.cells[0], cellIndex(3, 0, 0)) << depth;
    }
}

TEST(AlphaBetaRoot, AtDepthTwoTheOpenLineOfThreeIsBlocked)
{
    const Grid g = gridWith({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {{1, 1, 1}, {2, 2, 2}});
    const Choice c = searchAt(g, 2);
    ASSERT_EQ(c.candidates.count, 1);
    EXPECT_EQ(c.candidates.cells[0], cellIndex(3, 0, 0));
}

TEST(AlphaBetaRoot, TheMiddleGameAtDepthSixMatchesTheLiteralSearch)
{
    const Grid g = gridOf("O..............O.....XX..............OX...X........O............");
    const Choice fast = searchAt(g, 6);
    EXPECT_EQ(fast.BestValue, -74);
    EXPECT_EQ(std::vector<int>(fast.candidates.cells.begin(), fast.candidates.cells.begin() + fast.candidates.count),
              (std::vector<int>{2, 34}));
}

} // namespace
} // namespace vornix::testing

namespace vornix::testing {
namespace {

// Openings have many symmetries, which the search uses; the literal search knows nothing of them.
TEST(AlphaBetaRoot, SymmetricOpeningsMatchTheLiteralSearch)
{
    const Grid openings[] = {
        Grid{},
        gridWith({{0, 0, 0}}),
        gridWith({{1, 1, 1}}, {{0, 0, 0}}),
        gridWith({{0, 0, 0}, {3, 3, 3}}, {{1, 2, 1}}),
    };
    AlphaBetaEngine engine;
    for (const Grid& g : openings)
        for (std::int32_t depth = 1; depth <= 4; ++depth) {
            engine.reset(g, EvalWeights{}, depth);
            const Choice fast = searchRoot(engine, g);
            const Choice slow = LiteralAlphaBeta(g, EvalWeights{}, depth).root();
            EXPECT_EQ(fast.BestValue, slow.BestValue) << depth;
            EXPECT_EQ(std::vector<int>(fast.candidates.cells.begin(), fast.candidates.cells.begin() + fast.candidates.count),
                      std::vector<int>(slow.candidates.cells.begin(), slow.candidates.cells.begin() + slow.candidates.count))
                << depth;
        }
}

} // namespace
} // namespace vornix::testing

// The fast strategies against their literal versions on many random positions.
#include "GameFixture.h"
#include "LiteralSearch.h"
#include "ai/MiniMax.h"
#include "ai/OnePly.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace vornix::testing {
namespace {

// A choice as the tests compare it: the best value and the candidates in order.
std::pair<std::int32_t, std::vector<int>> seen(const Choice& c)
{
    return {c.BestValue, {c.candidates.cells.begin(), c.candidates.cells.begin() + c.candidates.count}};
}

std::string describe(const Grid& g)
{
    std::string s;
    for (std::int32_t v : g)
        s += v == kNought ? 'O' : v == kCross ? 'X' : '.';
    return s;
}

const EvalWeights kWeightSets[] = {
    {8, 9, 40, 50, 300},
    {0, 0, 0, 0, 0},
    {-999, 999, -7, 13, -300},
    {999, -999, 999, -999, 999},
    {1, 1, 1, 1, 1},
};

TEST(SearchExactness, OnePlyAgreesWithFullEvaluations)
{
    std::mt19937 random(11);
    for (int trial = 0; trial < 300; ++trial) {
        const Grid g = randomPosition(random, static_cast<int>(random() % 50));
        const EvalWeights& w = kWeightSets[trial % 5];
        const Choice fast = visitEvalu(g, w);
        const Choice slow = literalEvalu(g, w);
        ASSERT_EQ(seen(fast), seen(slow)) << describe(g);
    }
}

TEST(SearchExactness, CommonSenseAgreesWithThreatsCountedOnTheBoard)
{
    std::mt19937 random(12);
    for (int trial = 0; trial < 300; ++trial) {
        Grid g = randomPosition(random, static_cast<int>(random() % 50));
        // The last human move is usually a nought, but may name any cell at all.
        const Coord last = coordOf(static_cast<int>(random() % 64));
        const Choice fast = visitTurn(g, last);
        const Choice slow = literalTurn(g, last);
        ASSERT_EQ(seen(fast), seen(slow)) << describe(g);
    }
}

TEST(SearchExactness, MiniMaxAgreesWithFullEvaluations)
{
    std::mt19937 random(13);
    for (int trial = 0; trial < 120; ++trial) {
        const Grid g = randomPosition(random, 10 + static_cast<int>(random() % 54));
        const EvalWeights& w = kWeightSets[trial % 5];
        Choice fast;
        visitMiniMax(g, w, fast, [](std::int32_t) { return true; }, [] { return true; });
        const Choice slow = literalMiniMax(g, w);
        ASSERT_EQ(seen(fast), seen(slow)) << describe(g);
    }
}

// Openings have many symmetries, which the search uses; the literal search knows nothing of them.
TEST(SearchExactness, SymmetricOpeningsMatchTheLiteralSearch)
{
    AlphaBetaEngine engine;
    for (const Grid& g : {Grid{}, gridWith({{0, 0, 0}}), gridWith({{1, 1, 1}}, {{0, 0, 0}}),
                          gridWith({{0, 0, 0}, {3, 3, 3}}, {{1, 2, 1}})})
        for (std::int32_t depth = 1; depth <= 4; ++depth) {
            engine.reset(g, EvalWeights{}, depth);
            EXPECT_EQ(seen(searchRoot(engine, g)), seen(LiteralAlphaBeta(g, EvalWeights{}, depth).root())) << depth;
        }
}

struct DepthCase {
    std::int32_t depth;
    int minPieces; // fuller boards for the deeper searches, to keep the literal search short
    int trials;
};

class AlphaBetaExactness : public ::testing::TestWithParam<DepthCase> {};

TEST_P(AlphaBetaExactness, RootValuesAndCandidatesMatchTheLiteralPlies)
{
    const DepthCase c = GetParam();
    std::mt19937 random(100 + c.depth);
    AlphaBetaEngine engine;
    for (int trial = 0; trial < c.trials; ++trial) {
        const Grid g = randomPosition(random, c.minPieces + static_cast<int>(random() % (62 - c.minPieces)));
        const EvalWeights& w = kWeightSets[trial % 5];
        engine.reset(g, w, c.depth);
        const Choice fast = searchRoot(engine, g);
        const Choice slow = LiteralAlphaBeta(g, w, c.depth).root();
        ASSERT_EQ(seen(fast), seen(slow)) << describe(g) << " depth " << c.depth;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, AlphaBetaExactness,
                         ::testing::Values(DepthCase{1, 0, 200}, DepthCase{2, 0, 150}, DepthCase{3, 2, 100},
                                           DepthCase{4, 20, 60}, DepthCase{5, 34, 40}, DepthCase{6, 40, 30}),
                         [](const auto& info) { return "Depth" + std::to_string(info.param.depth); });

// A candidate that reaches the running best is recorded with its exact value, so searching any
// single cell with the lowest bound gives the value the literal search gives it.
TEST(SearchExactness, EachRootCandidateIsExactFromTheFloor)
{
    std::mt19937 random(21);
    AlphaBetaEngine engine;
    for (int trial = 0; trial < 40; ++trial) {
        const Grid g = randomPosition(random, 44 + static_cast<int>(random() % 16));
        const EvalWeights& w = kWeightSets[trial % 5];
        const std::int32_t depth = 1 + trial % 5;
        engine.reset(g, w, depth);
        for (int cell = 0; cell < 64; ++cell) {
            if (g[cell] != kEmpty)
                continue;
            const Coord p = coordOf(cell);
            LiteralAlphaBeta literal(g, w, depth);
            ASSERT_EQ(engine.CrossPly(cell, -1000000000), literal.CrossPly(p.i, p.j, p.k, -1000000000))
                << describe(g) << " cell " << cell << " depth " << depth;
        }
    }
}

} // namespace
} // namespace vornix::testing

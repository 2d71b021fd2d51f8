#include "RecordingWindow.h"
#include "ai/Evaluate.h"
#include "game/Board.h"
#include "game/Notation.h"

#include <gtest/gtest.h>

#include <set>

namespace vornix {
namespace {

struct IndexCase {
    int index;
    Coord coord;
};

class IndexConversion : public ::testing::TestWithParam<IndexCase> {};

TEST_P(IndexConversion, FlatIndexAndCoordinatesAgree)
{
    EXPECT_EQ(coordOf(GetParam().index), GetParam().coord);
    EXPECT_EQ(cellIndex(GetParam().coord), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Cells, IndexConversion,
                         ::testing::Values(IndexCase{0, {0, 0, 0}}, IndexCase{21, {1, 1, 1}}, IndexCase{63, {3, 3, 3}},
                                           IndexCase{48, {0, 0, 3}}, IndexCase{7, {3, 1, 0}}));

TEST(Lines, ThereAre76DistinctLinesOfFourInAStraightRow)
{
    std::set<std::set<int>> distinct;
    for (const Line& line : kLines) {
        const Coord a = coordOf(line[0]);
        const Coord b = coordOf(line[1]);
        const Coord step{b.i - a.i, b.j - a.j, b.k - a.k};
        for (int t = 0; t < 4; ++t)
            EXPECT_EQ(coordOf(line[t]), (Coord{a.i + t * step.i, a.j + t * step.j, a.k + t * step.k}));
        distinct.insert({line.begin(), line.end()});
    }
    EXPECT_EQ(distinct.size(), 76U);
}

TEST(Lines, CornersAndInnerCellsLieOnSevenLinesTheOthersOnFour)
{
    int seven = 0;
    for (int n = 0; n < kCells; ++n) {
        const Coord c = coordOf(n);
        const bool special = (c.i == 0 || c.i == 3) == (c.j == 0 || c.j == 3)
            && (c.j == 0 || c.j == 3) == (c.k == 0 || c.k == 3);
        EXPECT_EQ(kLinesThroughCell[n].count, special ? 7 : 4) << n;
        seven += kLinesThroughCell[n].count == 7;
    }
    EXPECT_EQ(seven, 16);
}

TEST(Lines, TheSpaceDiagonalsComeFirst)
{
    EXPECT_EQ(kLines[0], (Line{0, 21, 42, 63}));
    EXPECT_EQ(kLines[1], (Line{15, 26, 37, 48}));
    EXPECT_EQ(kLines[2], (Line{12, 25, 38, 51}));
    EXPECT_EQ(kLines[3], (Line{3, 22, 41, 60}));
}

// Scores worked out by hand with the start-up weights 8, 9, 40, 50, 300 and the fixed 9999,
// 100000 and 1000000: a row for every coefficient. (0, 0, 0) lies on 7 lines, (1, 0, 0) and
// (2, 0, 0) on 4, and two cells share at most one line.
struct ScoreCase {
    const char* name;
    const char* position; // "O" and "X" along (t, 0, 0) for t = 0..3, the rest of the board empty
    std::int32_t score;
    std::array<std::int32_t, 5> noughts;
    std::array<std::int32_t, 5> crosses;
};

class Evaluation : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(Evaluation, ScoresAndTalliesThePositionAsCountedByHand)
{
    const ScoreCase& c = GetParam();
    Grid grid{};
    for (int t = 0; c.position[t] != '\0'; ++t)
        grid[t] = c.position[t] == 'O' ? kNought : c.position[t] == 'X' ? kCross : kEmpty;
    LineTally tally;
    EXPECT_EQ(Evaluate(grid, EvalWeights{}, tally), c.score);
    EXPECT_EQ(tally.NoughtTally, c.noughts);
    EXPECT_EQ(tally.CrossTally, c.crosses);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, Evaluation,
    ::testing::Values(ScoreCase{"Empty", "", 0, {76, 0, 0, 0, 0}, {76, 0, 0, 0, 0}},
                      ScoreCase{"CornerNought", "O", 56, {69, 7, 0, 0, 0}, {69, 0, 0, 0, 0}},
                      ScoreCase{"EdgeNought", ".O", 32, {72, 4, 0, 0, 0}, {72, 0, 0, 0, 0}},
                      ScoreCase{"CornerCross", "X", -63, {69, 0, 0, 0, 0}, {69, 7, 0, 0, 0}},
                      ScoreCase{"TwoNoughts", "OO", 112, {66, 9, 1, 0, 0}, {66, 0, 0, 0, 0}},
                      ScoreCase{"TwoCrosses", "XX", -131, {66, 0, 0, 0, 0}, {66, 9, 1, 0, 0}},
                      ScoreCase{"ThreeNoughts", "OOO", 396, {63, 12, 0, 1, 0}, {63, 0, 0, 0, 0}},
                      ScoreCase{"ThreeCrosses", "XXX", -10107, {63, 0, 0, 0, 0}, {63, 12, 0, 1, 0}},
                      ScoreCase{"FourNoughts", "OOOO", 100144, {57, 18, 0, 0, 1}, {57, 0, 0, 0, 0}},
                      ScoreCase{"FourCrosses", "XXXX", -1000162, {57, 0, 0, 0, 0}, {57, 18, 0, 0, 1}},
                      ScoreCase{"ADeadLineCountsNowhere", "OOX", 45, {63, 9, 0, 0, 0}, {63, 3, 0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// Cells for people: layer, row and column from 1; the tool's indexes read as well.
TEST(Notation, NamesCellsByLayerRowAndColumnAndReadsBothForms)
{
    EXPECT_EQ(cellName(24), "231");
    EXPECT_EQ(cellName(0), "111");
    EXPECT_EQ(cellName(63), "444");
    for (int cell = 0; cell < kCells; ++cell)
        ASSERT_EQ(readCell(cellName(cell)), cell);
    EXPECT_EQ(readCells("231 7, 63 ,112"), (std::vector<int>{24, 7, 63, 1}));
    for (const char* bad : {"64", "151", "1111", "7 7", "231 24", "x", "-1", "2 3 1a"})
        EXPECT_EQ(readCells(bad), std::nullopt) << bad;
    EXPECT_EQ(readCells(""), std::vector<int>{});
}

} // namespace
} // namespace vornix

#include "game/Board.h"

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

} // namespace
} // namespace vornix

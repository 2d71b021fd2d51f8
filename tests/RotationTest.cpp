// Quarter turns and mirrors of the cube.
#include "GameFixture.h"
#include "game/Symmetries.h"
#include "view/Rotation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace vornix::testing {
namespace {

struct TurnCase {
    void (Game::*command)();
    Coord to; // where a cross on (0, 0, 0) goes
};

class RotateView : public GameFixture, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(RotateView, MovesACornerCrossAndItsMarkWhereTheTurnTakesIt)
{
    st().ComputerHasMoved = false;
    game.place(0, 0, 0);
    (game.*GetParam().command)();
    const int to = cellIndex(GetParam().to);
    EXPECT_EQ(st().GridContents[to], kCross);
    EXPECT_EQ(window.captions[to], "X");
    EXPECT_EQ(window.marks.latestCross, to);
    EXPECT_EQ(window.pointers[to], Pointer::Arrow);
    EXPECT_EQ(countPieces(st().GridContents, kEmpty), 63);
    for (int n = 0; n < 64; ++n) {
        if (n != to) {
            EXPECT_EQ(window.pointers[n], Pointer::Piece);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, RotateView,
                         ::testing::Values(TurnCase{&Game::ZClockMenu_Click, {3, 0, 0}},
                                           TurnCase{&Game::ZAClockMenu_Click, {0, 3, 0}},
                                           TurnCase{&Game::XClockMenu_Click, {0, 3, 0}},
                                           TurnCase{&Game::XAClockMenu_Click, {0, 0, 3}},
                                           TurnCase{&Game::YClockMenu_Click, {0, 0, 3}},
                                           TurnCase{&Game::YAClockMenu_Click, {3, 0, 0}},
                                           TurnCase{&Game::MirrorXYMenu_Click, {0, 0, 3}},
                                           TurnCase{&Game::MirrorXZMenu_Click, {0, 3, 0}},
                                           TurnCase{&Game::MirrorYZMenu_Click, {3, 0, 0}}));

TEST(Symmetry, FourTurnsATurnAndItsInverseAndTwoMirrorsAreNothing)
{
    std::mt19937 random(5);
    const Grid g = randomPosition(random, 30);
    for (auto [turn, back] : {std::pair{Symmetry::XClockwise, Symmetry::XAntiClockwise},
                              std::pair{Symmetry::YClockwise, Symmetry::YAntiClockwise},
                              std::pair{Symmetry::ZClockwise, Symmetry::ZAntiClockwise}}) {
        EXPECT_EQ(transformed(transformed(g, turn), back), g);
        EXPECT_EQ(transformed(transformed(transformed(transformed(g, turn), turn), turn), turn), g);
    }
    for (Symmetry mirror : {Symmetry::MirrorX, Symmetry::MirrorY, Symmetry::MirrorZ})
        EXPECT_EQ(transformed(transformed(g, mirror), mirror), g);
}

TEST(Symmetry, EveryTransformationMapsLinesOntoLines)
{
    for (int s = 0; s <= static_cast<int>(Symmetry::MirrorZ); ++s)
        for (const Line& line : kLines) {
            Grid g{};
            for (int cell : line)
                g[cell] = kNought;
            const Grid t = transformed(g, static_cast<Symmetry>(s));
            LineTally tally;
            Evaluate(t, EvalWeights{}, tally);
            EXPECT_EQ(tally.NoughtTally[4], 1);
        }
}

// Every symmetry the searches share positions under: 192 different ones, each keeping every line a
// line. Besides the cube's 48 turns and mirrors they turn it inside out: along every axis, the
// coordinates 0, 1, 2, 3 becoming 1, 0, 3, 2 keeps all 76 lines.
TEST(Symmetry, ThereAre192AndEachKeepsEveryLine)
{
    std::set<std::set<int>> lines;
    for (const Line& line : kLines)
        lines.insert({line.begin(), line.end()});
    const auto& all = lineAutomorphisms();
    EXPECT_EQ(std::set<CellPermutation>(all.begin(), all.end()).size(), 192U);
    for (const CellPermutation& map : all)
        for (const Line& line : kLines)
            ASSERT_EQ(lines.count({map[line[0]], map[line[1]], map[line[2]], map[line[3]]}), 1U);
    constexpr std::array<int, 4> f{1, 0, 3, 2};
    CellPermutation insideOut{};
    for (int n = 0; n < kCells; ++n) {
        const Coord c = coordOf(n);
        insideOut[n] = static_cast<std::uint8_t>(cellIndex(f[c.i], f[c.j], f[c.k]));
    }
    EXPECT_NE(std::find(all.begin(), all.end(), insideOut), all.end());
}

class RotateGame : public GameFixture {};

TEST_F(RotateGame, UndoAfterATurnRestoresTheFormerOrientation)
{
    game.cell_MouseUp(cellIndex(0, 0, 0), MouseButton::Right);
    game.cell_MouseUp(cellIndex(1, 0, 0), MouseButton::Right);
    game.ZClockMenu_Click();
    EXPECT_EQ(window.captions[cellIndex(3, 0, 0)], "O");
    game.TakeBackMenu_Click();
    EXPECT_EQ(window.captions[cellIndex(3, 0, 0)], "");
    EXPECT_EQ(st().GridContents, Grid{});
}

} // namespace
} // namespace vornix::testing

// The sixth persona's choice, on positions whose answer a player sees at a glance.
#include "RecordingWindow.h"
#include "ai/Zeddon.h"

#include <gtest/gtest.h>

#include <set>

namespace vornix::testing {
namespace {

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

} // namespace
} // namespace vornix::testing

// The game-type and opponent menus, and the Evaluating Options dialog's rules.
#include "GameFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace vornix::testing {
namespace {

class Menus : public GameFixture {};

TEST_F(Menus, StartWithHumanFirstMorvidAndDepthThreeChecked)
{
    for (int i = 0; i < kMenuItemCount; ++i) {
        const auto item = static_cast<MenuItem>(i);
        const bool expected = item == MenuItem::HumanFirstMenu || item == MenuItem::AlphaBetaMenu
            || item == MenuItem::SearchDepthMenu3;
        EXPECT_EQ(checked(item), expected) << menuCaption(item);
        EXPECT_EQ(window.menu[item].first, expected) << menuCaption(item);
    }
    EXPECT_FALSE(enabled(MenuItem::CMenu));
    EXPECT_TRUE(enabled(MenuItem::DepthMenu));
}

// Within the game types, and within the opponents, the item chosen last is the only one checked.
TEST_F(Menus, ExactlyOneGameTypeAndOneOpponentAreCheckedWhateverWasBefore)
{
    using Item = MenuItem;
    using Command = std::pair<void (Game::*)(), MenuItem>;
    const std::vector<Command> types = {
        {&Game::HumanFirstMenu_Click, Item::HumanFirstMenu},     {&Game::ComputerFirstMenu_Click, Item::ComputerFirstMenu},
        {&Game::RandomFirstMenu_Click, Item::RandomFirstMenu},   {&Game::NoughtsFirstMenu_Click, Item::NoughtsFirstMenu},
        {&Game::CrossesFirstMenu_Click, Item::CrossesFirstMenu}, {&Game::RanomHvH_Click, Item::RanomHvH},
        {&Game::AutoPlayMenu_Click, Item::AutoPlayMenu}};
    const std::vector<Command> opponents = {
        {&Game::EvaluateMenu_Click, Item::EvaluateMenu},   {&Game::CommonSenseMenu_Click, Item::CommonSenseMenu},
        {&Game::MiniMaxMenu_Click, Item::MiniMaxMenu},     {&Game::AlphaBetaMenu_Click, Item::AlphaBetaMenu},
        {&Game::CMenu_Click, Item::CMenu},                 {&Game::ZeddonMenu_Click, Item::ZeddonMenu}};
    for (const auto& group : {types, opponents})
        for (const auto& before : group)
            for (auto [choose, chosen] : group) {
                (game.*before.first)();
                (game.*choose)();
                for (auto [other, item] : group)
                    EXPECT_EQ(checked(item), item == chosen) << menuCaption(chosen);
            }
}

TEST_F(Menus, ChoosingAGameTypeChangesNothingUntilTheNextNewGame)
{
    game.cell_MouseUp(0, MouseButton::Right);
    game.CrossesFirstMenu_Click();
    EXPECT_FALSE(st().TwoPlayerGame);
    EXPECT_EQ(st().TurnNumber, 1);
    game.NewGameMenu_Click();
    EXPECT_TRUE(st().TwoPlayerGame);
}

TEST_F(Menus, MorvidAfterQuenKeepsTheRoutineButSearches)
{
    game.MiniMaxMenu_Click();
    EXPECT_FALSE(enabled(MenuItem::DepthMenu));
    EXPECT_EQ(st().OpponentRoutine, Routine::Longthink);
    game.AlphaBetaMenu_Click();
    EXPECT_EQ(st().OpponentRoutine, Routine::Longthink);
    EXPECT_TRUE(st().AlphaBetaOpponent);
    EXPECT_TRUE(enabled(MenuItem::DepthMenu));
    game.Mygo_Click();
    EXPECT_EQ(window.yields, 64); // the alpha-beta root yields before every cell
}

TEST_F(Menus, ANewGameReselectsTheRoutineFromTheMarks)
{
    game.CommonSenseMenu_Click();
    st().OpponentRoutine = Routine::eval;
    game.NewGameMenu_Click();
    EXPECT_EQ(st().OpponentRoutine, Routine::normal);
}

TEST_F(Menus, ADepthIsCheckedAloneAndTakenAtTheNextMove)
{
    for (std::int16_t depth : {1, 6, 5})
        game.SearchDepthMenu_Click(depth);
    EXPECT_EQ(st().SearchDepth, 5);
    for (int d = 1; d <= 6; ++d)
        EXPECT_EQ(checked(searchDepthItem(d)), d == 5);
}

TEST(MenuCaptions, NoKeyServesTwoItems)
{
    std::set<std::string_view> seen;
    for (int i = 0; i < kMenuItemCount; ++i) {
        std::string_view keys = menuShortcut(static_cast<MenuItem>(i));
        while (!keys.empty()) {
            const std::size_t end = std::min(keys.find("; "), keys.size());
            EXPECT_TRUE(seen.insert(keys.substr(0, end)).second) << keys.substr(0, end);
            keys.remove_prefix(std::min(end + 2, keys.size()));
        }
    }
    EXPECT_EQ(seen.size(), 26U);
}

struct TextCase {
    const char* typed;
    const char* kept;
};

class WeightBox : public GameFixture, public ::testing::WithParamInterface<TextCase> {};

TEST_P(WeightBox, KeepsTheWholeNumberTheTextStartsWith)
{
    game.setOptionText(0, GetParam().typed);
    EXPECT_EQ(game.options().Text1[0], GetParam().kept);
    EXPECT_EQ(window.optionTexts[0], GetParam().kept);
    EXPECT_EQ(st().weights.OneNoughtWeight, std::stoi(GetParam().kept));
    EXPECT_TRUE(window.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, WeightBox,
                         ::testing::Values(TextCase{"12.7", "12"}, TextCase{"7a", "7"}, TextCase{"abc", "0"},
                                           TextCase{"", "0"}, TextCase{"-2.5", "-3"}, TextCase{"999", "999"},
                                           TextCase{"-999", "-999"}, TextCase{" 4 2", "4"}, TextCase{"1d3", "1"},
                                           TextCase{"1e2", "1"}, TextCase{"0e999", "0"}, TextCase{"-.5", "-1"},
                                           TextCase{"\t7", "7"}, TextCase{"-", "0"}, TextCase{"+5", "5"},
                                           TextCase{"00000000000000000000000000042", "42"}));

class Options : public GameFixture {};

struct RefusedText {
    const char* typed;
    const char* said;
};

class RefusedWeight : public GameFixture, public ::testing::WithParamInterface<RefusedText> {};

TEST_P(RefusedWeight, BeepsSaysSoAndLeavesTwenty)
{
    game.setOptionText(4, GetParam().typed);
    EXPECT_EQ(window.beeps, 1);
    EXPECT_EQ(window.messages, std::vector<std::string>{GetParam().said});
    EXPECT_EQ(game.options().Text1[4], "20");
    EXPECT_EQ(st().weights.TwoCrossesWeight, 20);
}

INSTANTIATE_TEST_SUITE_P(Texts, RefusedWeight,
                         ::testing::Values(RefusedText{"1000", "Thats too big"},
                                           RefusedText{"99999999999999999999999", "Thats too big"},
                                           RefusedText{"-1000", "Thats too small"},
                                           RefusedText{"-99999999999999999999999.5", "Thats too small"}));

TEST_F(Options, TheFirstSetBecomesTheWeightsAtOnceTheSecondOnlyRefreshesThem)
{
    game.setOptionText(3, "11");
    EXPECT_EQ(st().weights.OneCrossWeight, 11);
    st().weights = EvalWeights{};
    game.setOptionText(9, "77");
    EXPECT_EQ(st().weights.OneCrossWeight, 11);
    EXPECT_EQ(game.options().secondSet().OneCrossWeight, 77);
}

TEST_F(Options, EachResetRestoresItsOwnHalf)
{
    for (int box = 0; box < 10; ++box)
        game.setOptionText(box, "1");
    game.Option1_Click(0);
    game.ResetButton_Click();
    EXPECT_EQ(st().weights, EvalWeights{});
    EXPECT_EQ(game.options().Text1[5], "1");
    EXPECT_EQ(game.options().Option1, 0);
    game.Reset2_Click();
    EXPECT_EQ(game.options().secondSet(), EvalWeights{});
    EXPECT_EQ(game.options().Option1, 3);
    EXPECT_EQ(game.options().SearcDepth2, 2);
}

TEST_F(Options, OnlyTheAlphaBetaPlayersUseTheDepthList)
{
    game.setSecondPlayerDepth(4);
    for (std::int16_t option : {0, 1, 2}) {
        game.Option1_Click(option);
        EXPECT_FALSE(game.options().depthListUsable);
    }
    game.Option1_Click(3);
    EXPECT_TRUE(game.options().depthListUsable);
    EXPECT_EQ(window.secondPlayer, (std::array<int, 3>{3, 4, 1}));
}

TEST_F(Options, ANewGameTakesTheFirstSet)
{
    game.setOptionText(0, "5");
    st().weights = EvalWeights{};
    game.NewGameMenu_Click();
    EXPECT_EQ(st().weights.OneNoughtWeight, 5);
}

} // namespace
} // namespace vornix::testing

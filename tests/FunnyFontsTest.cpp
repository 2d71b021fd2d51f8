// Funny fonts: each cell in a face drawn from the installed ones, and back to the normal one.
#include "GameFixture.h"

#include <gtest/gtest.h>

namespace vornix::testing {
namespace {

class FunnyFonts : public GameFixture {};

TEST_F(FunnyFonts, EachCellTakesTheFaceItsDrawPicksKeepsItThroughGamesAndGoesBackToArial)
{
    window.fontList = {"Alpha", "Beta", "Gamma", "Delta"};
    for (int n = 0; n < 64; ++n)
        window.draws.push_back(n == 63 ? 0.9999999999999999 : n / 64.0); // cells 0-15 below a quarter, ...
    int reseeds = window.reseeds;
    game.FunnyFonts_Click();
    EXPECT_EQ(window.reseeds, reseeds + 1);
    EXPECT_TRUE(checked(MenuItem::FunnyFonts));
    game.EvaluateMenu_Click();
    game.cell_MouseUp(0, MouseButton::Left);
    game.NewGameMenu_Click();
    for (int n = 0; n < 64; ++n)
        EXPECT_EQ(window.fonts[n], window.fontList[n / 16]) << n;
    reseeds = window.reseeds;
    game.FunnyFonts_Click();
    EXPECT_EQ(window.reseeds, reseeds + 1);
    EXPECT_FALSE(checked(MenuItem::FunnyFonts));
    for (const std::string& face : window.fonts)
        EXPECT_EQ(face, "Arial");
}

} // namespace
} // namespace vornix::testing

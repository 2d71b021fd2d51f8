// Funny fonts: each cell in a face drawn from the installed ones, and back to the normal one.
#include "GameFixture.h"

#include <gtest/gtest.h>

namespace vornix::testing {
namespace {

class FunnyFonts : public GameFixture {
protected:
    void drawsForEveryCell(double r)
    {
        for (int n = 0; n < 64; ++n)
            window.draws.push_back(r);
    }
};

TEST_F(FunnyFonts, EachCellTakesTheFontItsDrawPicksAfterAReseed)
{
    window.fontList = {"Alpha", "Beta", "Gamma", "Delta"};
    for (int n = 0; n < 64; ++n)
        window.draws.push_back(n / 64.0); // cells 0-15 draw below a quarter, and so on
    const int reseeds = window.reseeds;
    game.FunnyFonts_Click();
    EXPECT_EQ(window.reseeds, reseeds + 1);
    EXPECT_TRUE(checked(MenuItem::FunnyFonts));
    for (int n = 0; n < 64; ++n)
        EXPECT_EQ(window.fonts[n], window.fontList[n / 16]) << n;
}

TEST_F(FunnyFonts, ChosenAgainEveryCellIsArialAndTheItemUnchecked)
{
    window.fontList = {"Alpha", "Beta"};
    drawsForEveryCell(0.9);
    game.FunnyFonts_Click();
    const int reseeds = window.reseeds;
    game.FunnyFonts_Click();
    EXPECT_EQ(window.reseeds, reseeds + 1);
    EXPECT_FALSE(checked(MenuItem::FunnyFonts));
    for (const std::string& face : window.fonts)
        EXPECT_EQ(face, "Arial");
}

TEST_F(FunnyFonts, ADrawJustBelowOneStillPicksAnInstalledFont)
{
    window.fontList = {"Only"};
    drawsForEveryCell(0.9999999999999999);
    game.FunnyFonts_Click();
    for (const std::string& face : window.fonts)
        EXPECT_EQ(face, "Only");
}

TEST_F(FunnyFonts, TheFacesStayThroughMovesAndNewGames)
{
    window.fontList = {"Alpha", "Beta"};
    drawsForEveryCell(0.6);
    game.FunnyFonts_Click();
    game.EvaluateMenu_Click();
    game.cell_MouseUp(0, MouseButton::Left);
    game.NewGameMenu_Click();
    for (const std::string& face : window.fonts)
        EXPECT_EQ(face, "Beta");
}

} // namespace
} // namespace vornix::testing

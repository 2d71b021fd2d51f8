// The end of a game, and the statistics it leaves behind.
#include "GameFixture.h"
#include "storage/Statistics.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace vornix::testing {
namespace {

class EndOfGame : public GameFixture {
protected:
    std::filesystem::path statistics() const { return window.folder / "Statistics"; }
    std::string fileText() const
    {
        std::ifstream in(statistics(), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void writeFile(const std::string& text) const
    {
        std::ofstream out(statistics(), std::ios::binary);
        out << text;
    }
    // Noughts one placement short of a line along (t, 0, 0), the computer's crosses elsewhere.
    void noughtsToWinAt(int winningCell)
    {
        board(gridWith({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {{1, 1, 1}, {2, 2, 2}, {0, 3, 3}}));
        st().TurnNumber = 6;
        EXPECT_EQ(window.captions[winningCell], "");
    }
    static std::string quoted(std::initializer_list<int> counters)
    {
        std::string text;
        for (int c : counters)
            text += "\"" + std::to_string(c) + "\"\r\n";
        return text;
    }
};

TEST_F(EndOfGame, AFairWinAgainstBelwinIsCongratulatedAndCounted)
{
    game.EvaluateMenu_Click();
    noughtsToWinAt(cellIndex(3, 0, 0));
    game.cell_MouseUp(cellIndex(3, 0, 0), MouseButton::Left);
    ASSERT_EQ(window.messages, std::vector<std::string>{"Congratulations you beat me!"});
    EXPECT_EQ(window.sounds, std::vector<std::filesystem::path>{window.folder / "lose.wav"});
    EXPECT_EQ(fileText(), quoted({0, 0, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(st().GameOver, -1);
    EXPECT_EQ(st().ReadyGauge, 0.0F);
    EXPECT_EQ(window.marks.lineCells, 0b1111ULL);
}

TEST_F(EndOfGame, ACheatedWinIsMockedAndLeavesTheFileAlone)
{
    game.EvaluateMenu_Click();
    noughtsToWinAt(cellIndex(3, 0, 0));
    st().Cheated = true;
    game.cell_MouseUp(cellIndex(3, 0, 0), MouseButton::Left);
    EXPECT_EQ(window.messages, std::vector<std::string>{"Well if you're going to cheat of course you'll beat me!"});
    EXPECT_FALSE(std::filesystem::exists(statistics()));
}

TEST_F(EndOfGame, AnExtraGoThatCompletesTheLineStillCountsAsFair)
{
    game.CommonSenseMenu_Click();
    noughtsToWinAt(cellIndex(3, 0, 0));
    game.cell_MouseUp(cellIndex(3, 0, 0), MouseButton::Right);
    EXPECT_EQ(window.messages, std::vector<std::string>{"Congratulations you beat me!"});
    EXPECT_EQ(fileText(), quoted({0, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(st().Cheated); // but only from now on
    EXPECT_EQ(st().ReadyGauge, 0.0F);
}

TEST_F(EndOfGame, TheAlphaBetaOpponentsWinIsCountedInRowSix)
{
    board(gridWith({{0, 1, 0}, {1, 1, 0}, {2, 2, 1}}, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}));
    game.Mygo_Click();
    EXPECT_EQ(window.captions[cellIndex(3, 0, 0)], "X");
    EXPECT_EQ(window.messages, std::vector<std::string>{"Ho, ho, ho; I win"});
    EXPECT_EQ(window.sounds, std::vector<std::filesystem::path>{window.folder / "Win.wav"});
    EXPECT_EQ(fileText(), quoted({0, 0, 0, 0, 0, 0, 1, 0}));
}

TEST_F(EndOfGame, AComputerWinAfterCheatingIsNotCounted)
{
    board(gridWith({{0, 1, 0}, {1, 1, 0}, {2, 2, 1}}, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}));
    game.AnotherGoMenu_Click();
    EXPECT_EQ(window.messages, std::vector<std::string>{"You cheated and I still won. You are absolutely turd!"});
    EXPECT_FALSE(std::filesystem::exists(statistics()));
}

TEST_F(EndOfGame, TwoHumansAreToldWhoWonAgainAndAgainAndNothingIsCounted)
{
    game.NoughtsFirstMenu_Click();
    game.NewGameMenu_Click();
    for (int cell : {0, 16, 1, 17, 2, 18, 3})
        game.cell_MouseUp(cell, MouseButton::Left);
    EXPECT_EQ(window.messages, std::vector<std::string>{"Noughts win."});
    game.cell_MouseUp(40, MouseButton::Left);
    EXPECT_EQ(window.captions[40], "X");
    EXPECT_EQ(window.messages.size(), 2U);
    EXPECT_FALSE(std::filesystem::exists(statistics()));
}

TEST_F(EndOfGame, AfterTheEndNoCellAcceptsAPlacement)
{
    game.Lose();
    game.cell_MouseUp(30, MouseButton::Left);
    EXPECT_EQ(window.captions[30], "");
}

TEST_F(EndOfGame, RecordingKeepsAnUnreadableFileAsItIs)
{
    writeFile("3\r\n4\r\n");
    game.EvaluateMenu_Click();
    noughtsToWinAt(cellIndex(3, 0, 0));
    game.cell_MouseUp(cellIndex(3, 0, 0), MouseButton::Left);
    EXPECT_EQ(fileText(), "3\r\n4\r\n");
}

TEST_F(EndOfGame, TheSnibbetRowRewritesTheCountersUnchanged)
{
    writeFile("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n");
    game.CMenu_Click();
    game.Lose();
    EXPECT_EQ(fileText(), quoted({1, 2, 3, 4, 5, 6, 7, 8}));
}

class StatisticsReport : public EndOfGame {};

TEST_F(StatisticsReport, AFreshFileReportsNoughtsAllRound)
{
    game.StatisticsMenu_Click();
    ASSERT_EQ(window.messages.size(), 1U);
    EXPECT_EQ(window.messages[0], "Belwin0   -  You   0\n\rTovi  0   -  You   0\n\rQuen  0   -  You   0\n\r"
                                  "Morvid  0   -  You   0\n\r\n\rTotal 0   -  Total 0");
    EXPECT_EQ(fileText(), "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
}

TEST_F(StatisticsReport, BareAndQuotedCountersReadAlikeAndAreShownAsWritten)
{
    writeFile("\"1\"\r\n2\r\n\"3\"\r\n4\r\nlots\r\n6\r\n\"7\"\r\n8\r\n");
    game.StatisticsMenu_Click();
    EXPECT_EQ(window.messages.at(0), "Belwin3   -  You   4\n\rTovi  1   -  You   2\n\rQuen  lots   -  You   6\n\r"
                                     "Morvid  7   -  You   8\n\r\n\rTotal 11   -  Total 20");
}

TEST_F(StatisticsReport, AShortFileIsCorrupt)
{
    writeFile("1\r\n2\r\n3\r\n4\r\n5\r\n");
    game.StatisticsMenu_Click();
    EXPECT_EQ(window.messages, std::vector<std::string>{"Corrupt statistics file"});
    EXPECT_EQ(fileText(), "1\r\n2\r\n3\r\n4\r\n5\r\n");
}

TEST_F(StatisticsReport, AFolderThatCannotHoldTheFileIsReported)
{
    window.folder = window.folder / "no" / "such" / "folder";
    game.StatisticsMenu_Click();
    EXPECT_EQ(window.messages, std::vector<std::string>{"Unable to create statistics files"});
}

TEST_F(StatisticsReport, ATextCounterIsIncrementedFromNothing)
{
    writeFile("x\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    game.CommonSenseMenu_Click();
    game.Lose();
    EXPECT_EQ(fileText(), quoted({1, 0, 0, 0, 0, 0, 0, 0}));
}

} // namespace
} // namespace vornix::testing

// Matches between two computer players, watched or run headless.
#include "FileTrouble.h"
#include "GameFixture.h"
#include "autoplay/MatchRunner.h"

#include <gtest/gtest.h>

#include <iterator>
#include <numeric>

#include <algorithm>
#include <set>
#include <sstream>

namespace vornix::testing {
namespace {

class Match : public GameFixture {
protected:
    void feedDraws(unsigned seed)
    {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> uniform(0.0, 1.0);
        for (int n = 0; n < 300; ++n)
            window.draws.push_back(uniform(random));
    }
    void play()
    {
        game.AutoPlayMenu_Click();
        game.NewGameMenu_Click();
    }
    static bool hasLineOf(const Grid& g, std::int32_t piece)
    {
        LineTally tally;
        Evaluate(g, EvalWeights{}, tally);
        return (piece == kCross ? tally.CrossTally[4] : tally.NoughtTally[4]) > 0;
    }
};

TEST_F(Match, WithoutALineItIsADrawAfterSixtyFourMoves)
{
    game.MiniMaxMenu_Click();
    game.Option1_Click(2);
    feedDraws(2);
    play();
    EXPECT_EQ(window.messages, std::vector<std::string>{"It's a draw"});
    EXPECT_EQ(st().TurnNumber, 64);
    EXPECT_EQ(countPieces(st().GridContents, kEmpty), 0);
    // The last move was Player 2's; a final swap gives Player 1 the crosses again.
    Grid swapped = st().BoardHistory[64];
    for (std::int32_t& v : swapped)
        v = v == kCross ? kNought : kCross;
    EXPECT_EQ(st().GridContents, swapped);
    EXPECT_FALSE(st().AutoplayInProgress);
}

// Belwin against Tovi, on the draws of a seed: who won, after how many moves of both.
TEST_F(Match, TheWinnerIsToldWithTheMovesOfBothAndNothingIsCounted)
{
    for (auto [seed, said] : {std::pair{0U, "Player 1 won after 7 moves."}, {1U, "Player 2 won after 8 moves."}}) {
        game.EvaluateMenu_Click();
        game.Option1_Click(1);
        game.Lose(); // a game finished before the match is not its first win
        const std::string counted = readText(window.folder / "Statistics");
        window.messages.clear();
        window.sounds.clear();
        window.draws.clear();
        feedDraws(seed);
        play();
        EXPECT_EQ(window.messages, std::vector<std::string>{said});
        EXPECT_EQ(st().TurnNumber, seed == 0 ? 7 : 8);
        EXPECT_TRUE(hasLineOf(st().GridContents, kCross)); // the winner keeps the crosses
        EXPECT_EQ(window.sounds.size(), 1U);
        EXPECT_EQ(readText(window.folder / "Statistics"), counted);
    }
}

TEST_F(Match, AfterPlayer1MovesItsPiecesShowAsNoughts)
{
    game.EvaluateMenu_Click();
    game.Option1_Click(1);
    game.setMatchPause(100);
    int player1sCell = -1;
    window.onPause = [&] {
        if (window.pauses.size() == 1) {
            // Player 1's first cross, not yet swapped.
            ASSERT_EQ(countPieces(st().GridContents, kCross), 1);
            player1sCell = static_cast<int>(std::find(st().GridContents.begin(), st().GridContents.end(), kCross)
                                            - st().GridContents.begin());
        } else if (window.pauses.size() == 2) {
            // The swap before Player 2's move gave Player 1's piece to the noughts.
            EXPECT_EQ(window.captions[player1sCell], "O");
            EXPECT_EQ(countPieces(st().GridContents, kNought), 1);
            EXPECT_EQ(countPieces(st().GridContents, kCross), 1);
            game.HumanFirstMenu_Click();
            game.NewGameMenu_Click();
        }
    };
    play();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(st().GridContents, Grid{});
    EXPECT_EQ(st().TurnNumber, 0);
    EXPECT_FALSE(st().AutoplayOn);
    EXPECT_FALSE(st().AutoplayInProgress);
    EXPECT_EQ(window.turnCaption, "Turn: 0");
}

TEST_F(Match, StartsWithTheLastGamesLinesUnmarked)
{
    game.MiniMaxMenu_Click();
    game.Option1_Click(2);
    board(gridWith({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}}));
    game.AnotherGoMenu_Click();
    ASSERT_NE(window.marks.lineCells, 0U);
    window.onYield = [this](int yields) {
        if (yields == 1) {
            EXPECT_EQ(window.marks, BoardMarks{});
            game.HumanFirstMenu_Click();
            game.NewGameMenu_Click();
        }
    };
    play();
    EXPECT_EQ(window.yields, 1);
}

TEST_F(Match, Player1PlaysTheFifthPersonaWhenItsItemIsCheckedAndItPlaysOnAfterwards)
{
    game.CMenu_Click();
    game.SearchDepthMenu_Click(1);
    game.Option1_Click(3);
    game.setSecondPlayerDepth(0);
    int player1Yields = 0;
    window.onYield = [&](int) {
        // Player 1 moves on an empty-or-even board, Player 2 after it.
        const bool player1 = st().TurnNumber % 2 == 0;
        EXPECT_EQ(st().SnibbetMode, player1) << st().TurnNumber;
        EXPECT_TRUE(st().AlphaBetaOpponent);
        player1Yields += player1;
    };
    play();
    EXPECT_GT(player1Yields, 0);
    EXPECT_GT(window.visibilityChanges, 0); // the hook looks at each cell with it hidden
    ASSERT_FALSE(window.messages.empty());

    // The next ordinary game has an opponent: the one the menu shows.
    window.onYield = nullptr;
    game.HumanFirstMenu_Click();
    game.NewGameMenu_Click();
    game.cell_MouseUp(0, MouseButton::Left);
    EXPECT_EQ(st().TurnNumber, 2);
    EXPECT_TRUE(st().SnibbetMode);
    EXPECT_EQ(st().ReadyGauge, kGaugeFull);
}

TEST_F(Match, ANewGameDuringASearchEndsTheMatchSilentlyAndLeavesTheNewBoardAlone)
{
    game.MiniMaxMenu_Click();
    game.Option1_Click(2);
    window.onYield = [this](int yields) {
        if (yields == 200) {
            game.HumanFirstMenu_Click();
            game.NewGameMenu_Click();
        }
    };
    play();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(st().GridContents, Grid{});
    EXPECT_EQ(st().OpponentRoutine, Routine::Longthink);
    EXPECT_FALSE(st().AlphaBetaOpponent);
}

TEST_F(Match, EachPlayerSearchesWithItsOwnDepth)
{
    game.SearchDepthMenu_Click(2);
    game.setSecondPlayerDepth(4);
    std::set<std::int32_t> depths;
    window.onYield = [&](int yields) {
        depths.insert(st().SearchDepth);
        if (yields == 64 * 4) {
            game.HumanFirstMenu_Click();
            game.NewGameMenu_Click();
        }
    };
    play();
    EXPECT_EQ(depths, (std::set<std::int32_t>{2, 5}));
    EXPECT_EQ(st().SearchDepth, 2);
}

TEST_F(Match, AfterAMatchTheMenusOpponentPlaysAgain)
{
    game.MiniMaxMenu_Click();
    game.Option1_Click(3);
    feedDraws(4);
    play();
    EXPECT_FALSE(st().AlphaBetaOpponent);
    EXPECT_EQ(st().OpponentRoutine, Routine::Longthink);
    EXPECT_FALSE(st().ZeddonOpponent);
    game.ZeddonMenu_Click();
    game.Option1_Click(1);
    play();
    EXPECT_TRUE(st().ZeddonOpponent);
}

// Each player as the window would choose it: Player 1 in the opponent menu, Player 2 in the dialog,
// each set of weights in its own five boxes and each depth where its player reads it.
TEST_F(Match, TheRunnerChoosesEachPlayerAsTheWindowWould)
{
    const std::tuple<std::string, MenuItem, SecondPlayer> players[] = {
        {"belwin", MenuItem::EvaluateMenu, SecondPlayer::Evaluating},
        {"tovi", MenuItem::CommonSenseMenu, SecondPlayer::CommonSense},
        {"quen", MenuItem::MiniMaxMenu, SecondPlayer::MiniMaxing},
        {"zeddon", MenuItem::ZeddonMenu, SecondPlayer::Zeddon},
        {"morvid:1", MenuItem::AlphaBetaMenu, SecondPlayer::AlphaBeta}};
    for (const auto& [name1, item, unused] : players)
        for (const auto& [name2, unused2, second] : players) {
            setUpMatch(game, parsePlayerSpec(name1 + "/1,2,3,4,5"), parsePlayerSpec(name2 + "/6,7,8,9,10"));
            EXPECT_TRUE(checked(item)) << name1;
            EXPECT_EQ(game.options().Option1, static_cast<std::int32_t>(second)) << name2;
            EXPECT_EQ(st().weights, (EvalWeights{1, 2, 3, 4, 5}));
            EXPECT_EQ(game.options().secondSet(), (EvalWeights{6, 7, 8, 9, 10}));
            EXPECT_EQ(game.options().SearcDepth2, name2 == "morvid:1" ? 0 : 2);
            EXPECT_EQ(st().SearchDepth, name1 == "morvid:1" ? 1 : 3);
        }
}

TEST(MatchRunner, TheSameSeedGivesTheSameMatches)
{
    auto run = [](const std::vector<std::string_view>& args) {
        std::ostringstream out;
        runMatchCommand(parseMatchArguments(args), out);
        std::istringstream lines(out.str());
        // Times differ from run to run, and matches on two threads may finish in either order.
        std::vector<std::string> results;
        for (std::string line, moves; std::getline(lines, line);) {
            if (line.starts_with("match ") && std::getline(lines, moves))
                results.push_back(line + "\n" + moves + "\n");
            else if (!line.ends_with(" ms"))
                results.push_back(line + "\n");
        }
        std::sort(results.begin(), results.end());
        return std::accumulate(results.begin(), results.end(), std::string());
    };
    const std::vector<std::string_view> args{"--p1", "tovi", "--p2", "belwin/8,9,40,50,300", "--games", "6",
                                             "--seed", "7", "--jobs", "2", "--show-moves"};
    const std::string first = run(args);
    EXPECT_EQ(first, run(args));
    EXPECT_NE(first.find("match 6: "), std::string::npos);
    // Each match's placements, one a move: the last completes a line of its player's cells.
    std::istringstream matches(first);
    for (std::string line, moves; std::getline(matches, line) && line.starts_with("match ");) {
        ASSERT_TRUE(std::getline(matches, moves) && moves.starts_with("moves ")) << line;
        std::istringstream cells(moves.substr(6));
        const std::vector<int> placed{std::istream_iterator<int>(cells), {}};
        ASSERT_EQ(std::to_string(placed.size()) + " moves", line.substr(line.rfind("after ") + 6)) << line;
        Grid g{};
        for (std::size_t n = placed.size() % 2; n < placed.size(); n += 2)
            g[placed[n]] = kCross;
        EXPECT_EQ(gameFinished(g), line.find(" won ") != std::string::npos) << moves;
    }
    // The totals count the matches listed above them.
    std::array<int, 3> won{}; // draws, then each player's wins
    std::istringstream lines(first);
    for (std::string line; std::getline(lines, line);) {
        const auto says = [&](const char* text) { return line.find(text) != std::string::npos; };
        if (line.starts_with("match "))
            ++won[says(": Player 1 won") ? 1 : says(": Player 2 won") ? 2 : 0];
    }
    EXPECT_NE(first.find("Player 1 wins: " + std::to_string(won[1]) + "\nPlayer 2 wins: " + std::to_string(won[2])
                         + "\ndraws: " + std::to_string(won[0]) + "\n"),
              std::string::npos)
        << first;
}

TEST(MatchRunner, TheSixthPersonaPlaysAMatchAndBeatsBelwinMovingSecond)
{
    std::ostringstream out;
    EXPECT_EQ(runMatchCommand(parseMatchArguments({"--p1", "belwin", "--p2", "zeddon", "--seed", "3", "--jobs", "1"}), out), 0);
    EXPECT_NE(out.str().find("Player 2 wins: 1\n"), std::string::npos) << out.str();
    // Each player's longest move is at least its average one.
    const auto millisecondsAfter = [&](const std::string& label) {
        const std::size_t at = out.str().find(label);
        return at == std::string::npos ? -1.0 : std::stod(out.str().substr(at + label.size()));
    };
    for (const std::string player : {"Player 1 ", "Player 2 "})
        EXPECT_GE(millisecondsAfter(player + "longest move: "), millisecondsAfter(player + "mean time per move: "));
    EXPECT_GT(millisecondsAfter("Player 2 mean time per move: "), 0.0);
}

TEST(MatchRunner, RefusesPlayersItDoesNotKnow)
{
    EXPECT_THROW(parsePlayerSpec("morvid:7"), MatchUsageError);
    EXPECT_THROW(parsePlayerSpec("snibbet"), MatchUsageError);
    EXPECT_THROW(parsePlayerSpec("quen/1,2,3"), MatchUsageError);
    EXPECT_THROW(parsePlayerSpec("quen/1,2,3,4,1000"), MatchUsageError);
    EXPECT_EQ(parsePlayerSpec("morvid:4/1,2,3,4,5").weights, (EvalWeights{1, 2, 3, 4, 5}));
}

} // namespace
} // namespace vornix::testing

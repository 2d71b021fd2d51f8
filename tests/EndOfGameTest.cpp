// The end of a game, and the statistics it leaves behind.
#include "FileTrouble.h"
#include "GameFixture.h"
#include "storage/Statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <sys/stat.h>

namespace vornix::testing {
namespace {

class EndOfGame : public GameFixture {
protected:
    std::filesystem::path statistics() const { return window.folder / "Statistics"; }
    std::string fileText() const { return readText(statistics()); }
    void writeFile(const std::string& text) const { writeAll(statistics(), text); }
    // Noughts one placement short of a line along (t, 0, 0), the computer's crosses elsewhere.
    void noughtsToWinAt(int winningCell)
    {
        board(gridWith({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {{1, 1, 1}, {2, 2, 2}, {0, 3, 3}}));
        st().TurnNumber = 6;
        EXPECT_EQ(window.captions[winningCell], "");
    }
    // The file after a recorded game: every counter quoted, the sixth persona's two included.
    static std::string quoted(const std::array<int, kCounterCount>& counters)
    {
        std::string text;
        for (int c : counters)
            text += "\"" + std::to_string(c) + "\"\r\n";
        return text;
    }
};

// The player's winning placement against Belwin, fair, after a cheat, or as an extra go.
struct PlayersWin {
    const char* name;
    bool cheatedBefore;
    MouseButton button;
    const char* message;
    const char* file; // nullptr: none written
};

class PlayerWins : public EndOfGame, public ::testing::WithParamInterface<PlayersWin> {};

TEST_P(PlayerWins, IsToldAndCountedUnlessTheGameWasCheated)
{
    game.EvaluateMenu_Click();
    noughtsToWinAt(cellIndex(3, 0, 0));
    st().Cheated = GetParam().cheatedBefore;
    game.cell_MouseUp(cellIndex(3, 0, 0), GetParam().button);
    EXPECT_EQ(window.messages, std::vector<std::string>{GetParam().message});
    EXPECT_EQ(window.sounds, std::vector<std::filesystem::path>{window.folder / "lose.wav"});
    EXPECT_EQ(std::filesystem::exists(statistics()) ? fileText() : "none", GetParam().file ? GetParam().file : "none");
    EXPECT_EQ(st().GameOver, -1);
    EXPECT_EQ(st().ReadyGauge, 0.0F);
    EXPECT_EQ(window.marks.lineCells, 0b1111ULL);
}

const std::string kBelwinLost = "\"0\"\r\n\"0\"\r\n\"0\"\r\n\"1\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n";

INSTANTIATE_TEST_SUITE_P(
    Wins, PlayerWins,
    ::testing::Values(PlayersWin{"Fair", false, MouseButton::Left, "Congratulations you beat me!", kBelwinLost.c_str()},
                      // The extra go bends the rules only from now on.
                      PlayersWin{"ByAnExtraGo", false, MouseButton::Right, "Congratulations you beat me!",
                                 kBelwinLost.c_str()},
                      PlayersWin{"AfterACheat", true, MouseButton::Left,
                                 "Well if you're going to cheat of course you'll beat me!", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// What the player sees when the sound starts: the last piece, its line framed and the count of
// placements; the message only once the sound is over.
TEST_F(EndOfGame, TheFinalBoardIsDrawnBeforeTheSoundAndTheMessageComesAfterIt)
{
    auto lastShownBefore = [this](const std::string& event, const std::string& kind) {
        const auto at = std::find(window.log.begin(), window.log.end(), event);
        EXPECT_NE(at, window.log.end()) << event;
        const auto shown = std::find_if(std::make_reverse_iterator(at), window.log.rend(),
                                        [&](const std::string& e) { return e.starts_with(kind); });
        return shown == window.log.rend() ? std::string() : *shown;
    };

    noughtsToWinAt(cellIndex(3, 0, 0));
    game.cell_MouseUp(cellIndex(3, 0, 0), MouseButton::Left);
    EXPECT_EQ(lastShownBefore("sound lose.wav", "marks"), "marks 15");
    EXPECT_EQ(lastShownBefore("sound lose.wav", "caption"), "caption Turn: 7");
    EXPECT_EQ(lastShownBefore("message Congratulations you beat me!", "sound"), "sound lose.wav");

    window.log.clear();
    game.NewGameMenu_Click();
    board(gridWith({{0, 1, 0}, {1, 1, 0}, {2, 2, 1}}, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}));
    st().TurnNumber = 6;
    game.Mygo_Click();
    EXPECT_EQ(lastShownBefore("sound Win.wav", "marks"), "marks 15");
    EXPECT_EQ(lastShownBefore("sound Win.wav", "caption"), "caption Turn: 7");
    EXPECT_EQ(lastShownBefore("message Ho, ho, ho; I win", "sound"), "sound Win.wav");
}

TEST_F(EndOfGame, AWinSavedAndLoadedAgainIsCountedOnce)
{
    game.EvaluateMenu_Click();
    noughtsToWinAt(cellIndex(3, 0, 0));
    // The history of that position as it was played, so that the saved game loads back.
    Grid played{};
    const int order[] = {0, cellIndex(1, 1, 1), 1, cellIndex(2, 2, 2), 2, cellIndex(0, 3, 3)};
    for (int t = 0; t < 6; ++t) {
        played[order[t]] = t % 2 == 0 ? kNought : kCross;
        st().BoardHistory[t + 1] = played;
    }
    st().LatestTurn = 6;
    game.cell_MouseUp(cellIndex(3, 0, 0), MouseButton::Left);
    window.chosenFile = window.folder / "won.VRNX";
    game.SaveGameMenu_Click();
    game.NewGameMenu_Click(); // an open board
    game.LoadGameMenu_Click();
    game.cell_MouseUp(40, MouseButton::Left);
    EXPECT_EQ(window.messages, std::vector<std::string>(2, "Congratulations you beat me!"));
    EXPECT_EQ(fileText(), quoted({0, 0, 0, 1, 0, 0, 0, 0}));
}

// Each persona completes its own line at once and ends the game then; a fair game counts in the
// persona's own pair of counters: its wins, then the player's.
struct PersonaRow {
    const char* name;
    void (Game::*choose)();
    int computerCounter;
};

class PersonaResult : public EndOfGame, public ::testing::WithParamInterface<PersonaRow> {};

TEST_P(PersonaResult, TheComputersWinEndsTheGameAtItsOwnCrossAndIsCounted)
{
    (game.*GetParam().choose)();
    board(gridWith({{0, 1, 2}, {1, 3, 2}, {3, 2, 1}}, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}));
    st().TurnNumber = 6;
    game.cell_MouseUp(cellIndex(0, 3, 3), MouseButton::Left);
    EXPECT_EQ(window.captions[cellIndex(3, 0, 0)], "X");
    EXPECT_EQ(window.messages, std::vector<std::string>{"Ho, ho, ho; I win"});
    EXPECT_EQ(st().GameOver, -1);
    std::array<int, kCounterCount> counters{};
    counters[static_cast<std::size_t>(GetParam().computerCounter)] = 1;
    EXPECT_EQ(fileText(), quoted(counters));
}

TEST_P(PersonaResult, ThePlayersWinIsCountedBesideIt)
{
    (game.*GetParam().choose)();
    noughtsToWinAt(cellIndex(3, 0, 0));
    game.cell_MouseUp(cellIndex(3, 0, 0), MouseButton::Left);
    std::array<int, kCounterCount> counters{};
    counters[static_cast<std::size_t>(GetParam().computerCounter + 1)] = 1;
    EXPECT_EQ(fileText(), quoted(counters));
}

INSTANTIATE_TEST_SUITE_P(Personas, PersonaResult,
                         ::testing::Values(PersonaRow{"Tovi", &Game::CommonSenseMenu_Click, 0},
                                           PersonaRow{"Belwin", &Game::EvaluateMenu_Click, 2},
                                           PersonaRow{"Quen", &Game::MiniMaxMenu_Click, 4},
                                           PersonaRow{"Morvid", &Game::AlphaBetaMenu_Click, 6},
                                           PersonaRow{"Zeddon", &Game::ZeddonMenu_Click, 8}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EndOfGame, AMiddleButtonCrossThatCompletesTheLineIsTheComputersFairWin)
{
    board(gridWith({{0, 1, 2}, {1, 3, 2}, {3, 2, 1}}, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}));
    game.cell_MouseUp(cellIndex(3, 0, 0), MouseButton::Middle);
    EXPECT_EQ(window.messages, std::vector<std::string>{"Ho, ho, ho; I win"});
    EXPECT_EQ(fileText(), quoted({0, 0, 0, 0, 0, 0, 1, 0}));
    EXPECT_TRUE(st().Cheated); // from now on
}

TEST_F(EndOfGame, AResultThatCannotBeRecordedSaysNothingMore)
{
    std::filesystem::create_directory(statistics());
    board(gridWith({{0, 1, 2}}, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}));
    game.Mygo_Click();
    EXPECT_EQ(window.messages, std::vector<std::string>{"Ho, ho, ho; I win"});
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
    for (auto [first, winner] : {std::pair{&Game::CrossesFirstMenu_Click, "Crosses win."},
                                 std::pair{&Game::NoughtsFirstMenu_Click, "Noughts win."}}) {
        (game.*first)();
        game.NewGameMenu_Click();
        window.messages.clear();
        for (int cell : {0, 16, 1, 17, 2, 18, 3})
            game.cell_MouseUp(cell, MouseButton::Left);
        EXPECT_EQ(window.messages, std::vector<std::string>{winner});
    }
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

// What the statistics file holds before (nullptr: there is none), what the player does (asks for the
// report, or loses a game to a persona), the message shown last and the file afterwards (nullptr:
// exactly as it was).
struct FileCase {
    const char* name;
    const char* before;
    void (Game::*persona)(); // nullptr: the report
    const char* message;
    const char* after;
};

class StatisticsFile : public EndOfGame, public ::testing::WithParamInterface<FileCase> {};

TEST_P(StatisticsFile, ReadsCountsAndReportsAsThePlayerExpects)
{
    const FileCase& c = GetParam();
    if (c.before)
        writeFile(c.before);
    if (c.persona) {
        (game.*c.persona)();
        game.Lose();
    } else {
        game.StatisticsMenu_Click();
    }
    EXPECT_EQ(window.messages.back(), c.message);
    EXPECT_EQ(fileText(), c.after ? c.after : c.before);
}

const char* const kEight = "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n";
const char* const kIWin = "Ho, ho, ho; I win";

INSTANTIATE_TEST_SUITE_P(
    Files, StatisticsFile,
    ::testing::Values(
        FileCase{"NoFileReportsNoughtsAllRound", nullptr, nullptr,
                 "Belwin0   -  You   0\n\rTovi  0   -  You   0\n\rQuen  0   -  You   0\n\r"
                 "Morvid  0   -  You   0\n\rZeddon0   -  You   0\n\r\n\rTotal 0   -  Total 0",
                 "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"},
        FileCase{"BareAndQuotedCountersShowAsWritten",
                 "\"1\"\r\n2\r\n\"3\"\r\n4\r\nlots\r\n6\r\n\"7\"\r\n8\r\n9\r\n\"10\"\r\n", nullptr,
                 "Belwin3   -  You   4\n\rTovi  1   -  You   2\n\rQuen  lots   -  You   6\n\r"
                 "Morvid  7   -  You   8\n\rZeddon9   -  You   10\n\r\n\rTotal 20   -  Total 30", nullptr},
        // A file from before the sixth persona came: its two counters read as 0.
        FileCase{"EightLinesReportTheSixthPersonaAtNothing", kEight, nullptr,
                 "Belwin3   -  You   4\n\rTovi  1   -  You   2\n\rQuen  5   -  You   6\n\r"
                 "Morvid  7   -  You   8\n\rZeddon0   -  You   0\n\r\n\rTotal 16   -  Total 20", nullptr},
        FileCase{"TotalsOfTheLargestCountersAreExact",
                 "999999999999999\r\n0\r\n999999999999999\r\n0\r\n999999999999999\r\n0\r\n999999999999999\r\n1\r\n",
                 nullptr,
                 "Belwin999999999999999   -  You   0\n\rTovi  999999999999999   -  You   0\n\r"
                 "Quen  999999999999999   -  You   0\n\rMorvid  999999999999999   -  You   1\n\r"
                 "Zeddon0   -  You   0\n\r\n\rTotal 3999999999999996   -  Total 1", nullptr},
        FileCase{"AShortFileIsCorrupt", "1\r\n2\r\n3\r\n4\r\n5\r\n", nullptr, "Corrupt statistics file", nullptr},
        FileCase{"AShortFileIsKeptAsItIs", "3\r\n4\r\n", &Game::EvaluateMenu_Click, kIWin, nullptr},
        FileCase{"TheSnibbetRowRewritesTheCountersUnchanged", kEight, &Game::CMenu_Click, kIWin,
                 "\"1\"\r\n\"2\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"8\"\r\n\"0\"\r\n\"0\"\r\n"},
        FileCase{"AWinOfTheSixthPersonaWritesAllTen", kEight, &Game::ZeddonMenu_Click, kIWin,
                 "\"1\"\r\n\"2\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"8\"\r\n\"1\"\r\n\"0\"\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EndOfGame, AFolderOrAPipeThatCannotHoldTheFileIsReported)
{
    ASSERT_EQ(::mkfifo(statistics().c_str(), 0666), 0);
    game.StatisticsMenu_Click(); // not waited on
    window.folder = window.folder / "no" / "such" / "folder";
    game.StatisticsMenu_Click();
    EXPECT_EQ(window.messages, std::vector<std::string>(2, "Unable to create statistics files"));
}

// What one fair win against Tovi does to a file whose first counter has this text.
struct CounterCase {
    const char* name;
    const char* text;
    const char* after; // the first line afterwards; nullptr: the file is left exactly as it was
    bool readable = true;
};

class CounterText : public EndOfGame, public ::testing::WithParamInterface<CounterCase> {};

TEST_P(CounterText, CountsFromTheNumberItStartsWithOrLeavesTheFileAlone)
{
    const std::string rest = "\"0\"\r\n\"5\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n";
    const std::string before = std::string(GetParam().text) + "\r\n" + rest;
    writeFile(before);
    game.CommonSenseMenu_Click();
    game.Lose();
    if (GetParam().after == nullptr) {
        EXPECT_EQ(fileText(), before);
        game.StatisticsMenu_Click();
        EXPECT_EQ(window.messages.back() == "Corrupt statistics file", !GetParam().readable);
    } else {
        EXPECT_EQ(fileText(), "\"" + std::string(GetParam().after) + "\"\r\n" + rest);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, CounterText,
    ::testing::Values(CounterCase{"Bare", "41", "42"}, CounterCase{"ExponentIsNotPartOfTheNumber", "0e999", "1"},
                      CounterCase{"LetterDIsNotEither", "2d5", "3"}, CounterCase{"Fraction", "3.9", "4"},
                      CounterCase{"LeadingBlanks", "  7", "8"}, CounterCase{"Negative", "-2", "-1"},
                      CounterCase{"TextCountsFromNothing", "x", "1"},
                      CounterCase{"LeadingZeros", "\"000000000000000000000009\"", "10"},
                      CounterCase{"LargestCountStaysPut", "999999999999999", nullptr},
                      CounterCase{"TooLargeToRead", "99999999999999999999", nullptr, false},
                      CounterCase{"TooSmallToRead", "\"-99999999999999999999\"", nullptr, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EndOfGame, RecordingNeverUsesOrFollowsAFileNamedLikeATemporaryNorLeavesOneOnAFullDisk)
{
    writeFile("0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    writeAll(window.folder / "victim", std::string("mine"));
    std::filesystem::create_symlink(window.folder / "victim", window.folder / "Statistics.new");
    writeAll(window.folder / "Statistics.saving", std::string("mine too"));
    game.CommonSenseMenu_Click();
    game.Lose();
    EXPECT_EQ(fileText(), quoted({1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(readText(window.folder / "victim"), "mine");
    std::filesystem::remove(window.folder / "Statistics.new");
    std::filesystem::remove(window.folder / "Statistics.saving");
    {
        const FileSizeLimit limit(30);
        game.Lose();
    }
    EXPECT_EQ(fileText(), quoted({1, 0, 0, 0, 0, 0, 0, 0}));
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(window.folder))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"Statistics", "victim"}));
}

// A program folder the player may not write to, holding a statistics file the player may: the
// game is counted in place, and a full disk there leaves the file as it was.
TEST_F(EndOfGame, AWritableFileInAFolderThatIsNotIsCountedInPlace)
{
    namespace fs = std::filesystem;
    writeFile("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n");
    fs::permissions(statistics(), fs::perms::group_write | fs::perms::others_write, fs::perm_options::add);
    fs::permissions(window.folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    game.EvaluateMenu_Click();
    {
        const OrdinaryUserFiles user;
        game.Lose();
        const FileSizeLimit limit(30);
        game.Lose();
    }
    fs::permissions(window.folder, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(fileText(), quoted({1, 2, 4, 4, 5, 6, 7, 8}));
    EXPECT_EQ(std::distance(fs::directory_iterator(window.folder), {}), 1);
}

// Where an installed copy and an unpacked one keep their statistics, as an ordinary player runs them.
struct Place {
    const char* name;
    CopyKind copy;
    bool folderWritable;
    std::optional<bool> fileWritable; // nothing: no Statistics beside the program yet
    bool besideTheProgram;
};

class StatisticsPlace : public EndOfGame, public ::testing::WithParamInterface<Place> {};

TEST_P(StatisticsPlace, BesideAnUnpackedCopyWhileItCanBeWrittenThereElseInThePlayersFolder)
{
    namespace fs = std::filesystem;
    const Place& p = GetParam();
    constexpr fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const fs::path program = window.folder / "bin";
    const fs::path player = window.folder / "home" / "vornix";
    fs::create_directories(program);
    fs::permissions(window.folder, fs::perms::all); // the player may make a home here
    if (p.fileWritable) {
        std::ofstream(program / "Statistics") << "7\r\n";
        fs::permissions(program / "Statistics", *p.fileWritable ? fs::perms::all : readOnly);
    }
    fs::permissions(program, p.folderWritable ? fs::perms::all : readOnly | fs::perms::owner_exec
                                                         | fs::perms::group_exec | fs::perms::others_exec);
    fs::path chosen;
    {
        const OrdinaryUserFiles user;
        chosen = statisticsLocation(program, player, p.copy);
    }
    EXPECT_EQ(chosen, p.besideTheProgram ? program / "Statistics" : player / "Statistics");
    EXPECT_EQ(fs::is_directory(player), !p.besideTheProgram);
    // An installed copy's old counters come along once, and stay where they were too.
    const bool carried = p.copy == CopyKind::Installed && p.fileWritable;
    EXPECT_EQ(fs::exists(player / "Statistics"), carried);
    EXPECT_EQ(fs::exists(program / "Statistics"), p.fileWritable.has_value());
    if (carried) {
        std::ofstream(player / "Statistics") << "9\r\n";
        statisticsLocation(program, player, p.copy);
        std::ifstream in(player / "Statistics");
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "9\r\n");
    }
    fs::permissions(program, fs::perms::owner_all);
}

constexpr CopyKind kUnpacked = CopyKind::Unpacked;
constexpr CopyKind kInstalled = CopyKind::Installed;
INSTANTIATE_TEST_SUITE_P(
    Files, StatisticsPlace,
    ::testing::Values(Place{"UnpackedCopy", kUnpacked, true, std::nullopt, true},
                      Place{"UnpackedCopyWithAReadOnlyFile", kUnpacked, true, false, true},
                      Place{"UnpackedCopyInAReadOnlyFolder", kUnpacked, false, std::nullopt, false},
                      Place{"UnpackedCopyWithAWritableFileInAReadOnlyFolder", kUnpacked, false, true, true},
                      Place{"InstalledCopy", kInstalled, false, std::nullopt, false},
                      Place{"InstalledCopyRunByRoot", kInstalled, true, std::nullopt, false},
                      Place{"InstalledCopyWithAReadOnlyFile", kInstalled, false, false, false},
                      Place{"InstalledCopyWithAWritableFile", kInstalled, true, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vornix::testing

// Saved games: the file's exact bytes, the round trip, and files the game must refuse.
#include "FileTrouble.h"
#include "GameFixture.h"
#include "GameInvariants.h"
#include "storage/SavedGame.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <cstdio>
#include <cstdlib>

namespace vornix::testing {
namespace {

std::vector<std::uint8_t> readAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::int32_t int32At(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24));
}

class SavedGames : public GameFixture {
protected:
    std::filesystem::path file() const { return window.folder / "game.VRNX"; }
    void save()
    {
        window.chosenFile = file();
        game.SaveGameMenu_Click();
    }
    void load(const std::filesystem::path& from)
    {
        window.chosenFile = from;
        game.LoadGameMenu_Click();
    }
};

TEST_F(SavedGames, AGameSavedAtTheStartIsAllZeroOnTheBoard)
{
    save();
    const auto bytes = readAll(file());
    ASSERT_EQ(bytes.size(), 17186U);
    for (std::size_t at = 2; at < 258; ++at)
        ASSERT_EQ(bytes[at], 0) << at;
    EXPECT_EQ(int32At(bytes, 17166), 3);             // SearchDepth
    EXPECT_EQ(bytes[17170], 0xFF);                   // AlphaBetaOpponent
    EXPECT_EQ(window.dialogForms, std::vector<FileDialogForm>{FileDialogForm::Save});
    load(file());
    EXPECT_FALSE(enabled(MenuItem::TakeBackMenu));
    EXPECT_FALSE(enabled(MenuItem::RedoMoveMenu));
}

TEST_F(SavedGames, TheFieldsStandAtTheirOffsets)
{
    game.EvaluateMenu_Click();
    game.cell_MouseUp(cellIndex(1, 2, 3), MouseButton::Left);
    game.TakeBackMenu_Click();
    save();
    const auto bytes = readAll(file());
    EXPECT_EQ(bytes[0], 0xFF); // Cheated by the undo
    EXPECT_EQ(int32At(bytes, 258), 0);
    EXPECT_EQ(int32At(bytes, 262), 2);                                        // LatestTurn
    EXPECT_EQ(int32At(bytes, 266 + 4 * (64 + cellIndex(1, 2, 3))), kNought); // BoardHistory(1)
    EXPECT_EQ(int32At(bytes, 17162), 0);                                      // TurnNumber
    EXPECT_EQ(bytes[17170], 0);                                               // not alpha-beta
    EXPECT_EQ(bytes[17174], 0xFF);                                            // eval
    EXPECT_EQ(bytes[17172] | bytes[17176] | bytes[17178] | bytes[17180] | bytes[17182] | bytes[17184], 0);
}

TEST_F(SavedGames, LoadingRestoresBoardCaptionMenusAndRedo)
{
    game.EvaluateMenu_Click();
    game.cell_MouseUp(0, MouseButton::Left);
    game.cell_MouseUp(63, MouseButton::Left);
    game.TakeBackMenu_Click();
    const GameState saved = st();
    save();

    game.AlphaBetaMenu_Click();
    game.SearchDepthMenu_Click(6);
    game.NewGameMenu_Click();
    game.cell_MouseUp(5, MouseButton::Left);
    game.cell_MouseUp(10, MouseButton::Left); // "Turn: 4" on the screen
    load(file());

    EXPECT_EQ(st().GridContents, saved.GridContents);
    EXPECT_EQ(st().TurnNumber, 2);
    EXPECT_EQ(st().LatestTurn, 4);
    EXPECT_EQ(window.turnCaption, "Turn: 2");
    EXPECT_EQ(window.captions[0], "O");
    EXPECT_EQ(window.captions[5], "");
    EXPECT_TRUE(enabled(MenuItem::RedoMoveMenu));
    EXPECT_TRUE(checked(MenuItem::EvaluateMenu));
    EXPECT_FALSE(checked(MenuItem::AlphaBetaMenu));
    EXPECT_TRUE(checked(MenuItem::SearchDepthMenu3));
    EXPECT_EQ(st().OpponentRoutine, Routine::eval);
    game.RedoMoveMenu_Click();
    EXPECT_EQ(st().GridContents, saved.BoardHistory[4]);
}

// Each way of reaching an opponent, and the menu item that must be checked once its game is loaded.
struct ChosenOpponent {
    const char* name;
    std::vector<MenuItem> chosen;
    MenuItem plays;
};

class OpponentSaved : public SavedGames, public ::testing::WithParamInterface<ChosenOpponent> {};

TEST_P(OpponentSaved, LoadsAsTheOpponentThatPlays)
{
    for (MenuItem item : GetParam().chosen) {
        switch (item) {
        case MenuItem::EvaluateMenu: game.EvaluateMenu_Click(); break;
        case MenuItem::MiniMaxMenu: game.MiniMaxMenu_Click(); break;
        case MenuItem::AlphaBetaMenu: game.AlphaBetaMenu_Click(); break;
        case MenuItem::CMenu: game.CMenu_Click(); break;
        default: game.CommonSenseMenu_Click(); break;
        }
    }
    const GameState before = st();
    save();
    game.CommonSenseMenu_Click();
    load(file());
    EXPECT_TRUE(checked(GetParam().plays));
    EXPECT_EQ(st().AlphaBetaOpponent, before.AlphaBetaOpponent);
    EXPECT_EQ(st().SnibbetMode, before.SnibbetMode);
    EXPECT_EQ(brokenInvariant(game, window), "");
}

INSTANTIATE_TEST_SUITE_P(
    Opponents, OpponentSaved,
    ::testing::Values(ChosenOpponent{"Belwin", {MenuItem::EvaluateMenu}, MenuItem::EvaluateMenu},
                      ChosenOpponent{"MorvidAfterBelwin", {MenuItem::EvaluateMenu, MenuItem::AlphaBetaMenu},
                                     MenuItem::AlphaBetaMenu},
                      ChosenOpponent{"TheFifthPersona", {MenuItem::CMenu}, MenuItem::CMenu},
                      ChosenOpponent{"QuenAfterTheFifthPersona", {MenuItem::CMenu, MenuItem::MiniMaxMenu},
                                     MenuItem::MiniMaxMenu}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SavedGames, AFinishedGameLoadsOntoAClosedBoardAndStaysClosed)
{
    game.EvaluateMenu_Click();
    Grid played{};
    const int order[] = {0, 21, 1, 42, 2, 60, 3};
    for (int t = 0; t < 7; ++t) {
        played[order[t]] = t % 2 == 0 ? kNought : kCross;
        st().BoardHistory[t + 1] = played;
    }
    board(st().BoardHistory[6]);
    st().TurnNumber = 6;
    st().LatestTurn = 6;
    game.cell_MouseUp(3, MouseButton::Left); // noughts complete their line
    ASSERT_EQ(st().GameOver, -1);
    save();
    load(file());
    EXPECT_EQ(st().ReadyGauge, 0.0F);
    game.cell_MouseUp(40, MouseButton::Left);
    EXPECT_EQ(window.captions[40], "");
}

TEST_F(SavedGames, AGameAgainstTheSixthPersonaNamesAllThreeRoutinesAndLoadsBackAgainstIt)
{
    game.ZeddonMenu_Click();
    save();
    const auto bytes = readAll(file());
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 17170, bytes.begin() + 17180),
              (std::vector<std::uint8_t>{0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF}));
    game.AlphaBetaMenu_Click();
    load(file());
    EXPECT_TRUE(checked(MenuItem::ZeddonMenu));
    EXPECT_FALSE(checked(MenuItem::MiniMaxMenu));
    EXPECT_TRUE(st().ZeddonOpponent);
    save();
    EXPECT_EQ(readAll(file()), bytes);
}

TEST_F(SavedGames, ALoadedGameWritesBackByteForByte)
{
    std::vector<std::uint8_t> bytes(kSavedGameSize, 0);
    auto put32 = [&](std::size_t at, std::int32_t v) {
        for (int n = 0; n < 4; ++n)
            bytes[at + n] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * n));
    };
    put32(2 + 4 * 21, kNought);
    put32(2 + 4 * 42, kCross);
    put32(262, 2);
    put32(266 + 4 * (64 + 21), kNought);
    put32(266 + 4 * (128 + 21), kNought);
    put32(266 + 4 * (128 + 42), kCross);
    put32(17162, 2);
    put32(17166, 5);
    bytes[17170] = bytes[17171] = 0xFF;
    const auto original = window.folder / "known.VRNX";
    writeAll(original, bytes);
    load(original);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(st().SearchDepth, 5);
    EXPECT_TRUE(checked(MenuItem::SearchDepthMenu5));
    EXPECT_TRUE(checked(MenuItem::AlphaBetaMenu));
    save();
    EXPECT_EQ(readAll(file()), bytes);
}

TEST_F(SavedGames, SavingOverALongerFileLeavesExactlyTheGame)
{
    writeAll(file(), std::vector<std::uint8_t>(20000, 0xAB));
    save();
    EXPECT_EQ(readAll(file()).size(), kSavedGameSize);
}

TEST_F(SavedGames, CancellingEitherDialogChangesNothing)
{
    game.cell_MouseUp(0, MouseButton::Right);
    window.chosenFile.reset();
    game.SaveGameMenu_Click();
    game.LoadGameMenu_Click();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(st().TurnNumber, 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(window.folder), {}), 0);
}

TEST_F(SavedGames, AFailedSaveSaysSoAndKeepsTheEarlierFile)
{
    save();
    const auto before = readAll(file());
    game.cell_MouseUp(0, MouseButton::Right);
    {
        const FileSizeLimit diskFull(4096);
        save();
    }
    EXPECT_EQ(window.messages, std::vector<std::string>{"Couldn't write file"});
    EXPECT_EQ(readAll(file()), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(window.folder), {}), 1);
    window.messages.clear();
    save();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_NE(readAll(file()), before);
}

TEST_F(SavedGames, NeverUsesOrFollowsAFileNamedLikeATemporary)
{
    const std::vector<std::uint8_t> mine{'m', 'i', 'n', 'e'};
    writeAll(window.folder / "victim", mine);
    std::filesystem::create_symlink(window.folder / "victim", window.folder / "game.VRNX.saving");
    writeAll(window.folder / "game.VRNX.new", mine);
    save();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(readAll(file()).size(), kSavedGameSize);
    EXPECT_EQ(readAll(window.folder / "victim"), mine);
    EXPECT_EQ(readAll(window.folder / "game.VRNX.new"), mine);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(window.folder), {}), 4);
}

TEST_F(SavedGames, SavingThroughALinkWritesWhereItPoints)
{
    std::filesystem::create_directory(window.folder / "elsewhere");
    const auto real = window.folder / "elsewhere" / "real.VRNX";
    std::filesystem::create_symlink(real, file());
    save();
    EXPECT_TRUE(std::filesystem::is_symlink(file()));
    EXPECT_EQ(readAll(real).size(), kSavedGameSize);
}

TEST_F(SavedGames, AWritableFileInAFolderThatIsNotIsSavedOver)
{
    save();
    namespace fs = std::filesystem;
    fs::permissions(file(), fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec & ~fs::perms::others_exec);
    fs::permissions(window.folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read
                        | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    game.cell_MouseUp(0, MouseButton::Right);
    {
        const OrdinaryUserFiles user;
        save();
    }
    fs::permissions(window.folder, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(window.messages.empty());
    const auto bytes = readAll(file());
    ASSERT_EQ(bytes.size(), kSavedGameSize);
    EXPECT_EQ(int32At(bytes, 17162), 1);
}

TEST_F(SavedGames, SavingIntoAMissingFolderFails)
{
    window.chosenFile = window.folder / "no-such-folder" / "x.VRNX";
    game.SaveGameMenu_Click();
    EXPECT_EQ(window.messages, std::vector<std::string>{"Couldn't write file"});
}

TEST_F(SavedGames, TheAnalysisToolReadsASavedGame)
{
    for (int cell : {cellIndex(0, 0, 0), cellIndex(1, 0, 0), cellIndex(2, 0, 0)})
        game.cell_MouseUp(cell, MouseButton::Right);
    for (int cell : {cellIndex(1, 1, 1), cellIndex(2, 2, 2)})
        game.cell_MouseUp(cell, MouseButton::Middle);
    game.SearchDepthMenu_Click(2);
    save();
    const std::string command = std::string(VORNIX_ANALYSE) + " --strategy alphabeta --game " + file().string();
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    for (int c; (c = std::fgetc(pipe)) != EOF;)
        output.push_back(static_cast<char>(c));
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_NE(output.find("candidates 3\n"), std::string::npos) << output;
    const std::string refused = std::string(VORNIX_ANALYSE) + " --game " + (window.folder / "none.VRNX").string()
        + " 2>/dev/null";
    EXPECT_NE(std::system(refused.c_str()), 0);
}

struct BadFile {
    const char* name;
    std::size_t offset; // where the bad value goes; kSavedGameSize: the file is cut there instead
    std::int32_t value;
    int width;
};

class BadSavedGame : public SavedGames, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadSavedGame, IsRefusedWithTheGameUnchanged)
{
    game.cell_MouseUp(0, MouseButton::Right);
    save();
    auto bytes = readAll(file());
    const BadFile bad = GetParam();
    if (bad.width == 0) {
        bytes.resize(bad.offset);
    } else {
        for (int n = 0; n < bad.width; ++n)
            bytes[bad.offset + n] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(bad.value) >> (8 * n));
    }
    const auto broken = window.folder / "broken.VRNX";
    writeAll(broken, bytes);
    game.AlphaBetaMenu_Click();
    game.cell_MouseUp(1, MouseButton::Right);
    const GameState before = st();
    const auto captions = window.captions;
    load(broken);
    EXPECT_EQ(window.messages, std::vector<std::string>{"Error opening file"});
    EXPECT_EQ(st().GridContents, before.GridContents);
    EXPECT_EQ(st().TurnNumber, before.TurnNumber);
    EXPECT_EQ(st().SearchDepth, before.SearchDepth);
    EXPECT_EQ(st().Cheated, before.Cheated);
    EXPECT_EQ(window.captions, captions);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadSavedGame,
    ::testing::Values(BadFile{"Empty", 0, 0, 0}, BadFile{"Truncated", 17185, 0, 0}, BadFile{"HalfBoard", 130, 0, 0},
                      BadFile{"CheatedTwo", 0, 2, 2}, BadFile{"CellSix", 2 + 4 * 9, 6, 4},
                      BadFile{"HistoryCellMinusOne", 266 + 4 * 3000, -1, 4}, BadFile{"GameOverOne", 258, 1, 4},
                      BadFile{"LatestTurn65", 262, 65, 4}, BadFile{"TurnNegative", 17162, -1, 4},
                      BadFile{"TurnBeyondLatest", 17162, 5, 4}, BadFile{"DepthZero", 17166, 0, 4},
                      BadFile{"DepthSeven", 17166, 7, 4}, BadFile{"FlagOne", 17176, 1, 2},
                      BadFile{"LastFlag", 17184, 0x7FFF, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// Turn counters and pieces that cannot belong together: each file is whole and every field alone
// is in range, but a game with these numbers would place past the end of its history.
struct Inconsistent {
    const char* name;
    std::int32_t turnNumber;
    std::int32_t latestTurn;
    int piecesOnBoard;
    int piecesInLatest; // on the history entry of LatestTurn
};

class InconsistentSavedGame : public SavedGames, public ::testing::WithParamInterface<Inconsistent> {};

TEST_P(InconsistentSavedGame, IsRefusedWithTheGameUnchanged)
{
    const Inconsistent bad = GetParam();
    std::vector<std::uint8_t> bytes(kSavedGameSize, 0);
    auto put32 = [&](std::size_t at, std::int32_t v) {
        for (int n = 0; n < 4; ++n)
            bytes[at + n] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * n));
    };
    for (int n = 0; n < bad.piecesOnBoard; ++n)
        put32(2 + 4 * n, n % 2 == 0 ? kNought : kCross);
    for (int t = 1; t <= bad.latestTurn; ++t)
        for (int n = 0; n < (t == bad.latestTurn ? bad.piecesInLatest : t); ++n)
            put32(266 + 4 * (64 * t + n), n % 2 == 0 ? kNought : kCross);
    put32(262, bad.latestTurn);
    put32(17162, bad.turnNumber);
    put32(17166, 3);
    bytes[17172] = bytes[17173] = 0xFF;
    writeAll(file(), bytes);

    game.cell_MouseUp(0, MouseButton::Left);
    const GameState before = st();
    load(file());
    EXPECT_EQ(window.messages, std::vector<std::string>{"Error opening file"});
    EXPECT_EQ(st().TurnNumber, before.TurnNumber);
    EXPECT_EQ(st().LatestTurn, before.LatestTurn);
    EXPECT_EQ(st().GridContents, before.GridContents);
    EXPECT_TRUE(checked(MenuItem::AlphaBetaMenu));
}

INSTANTIATE_TEST_SUITE_P(
    Files, InconsistentSavedGame,
    ::testing::Values(Inconsistent{"TurnSixtyFourOnAnEmptyBoard", 64, 64, 0, 64},
                      Inconsistent{"BoardShortOfItsTurn", 10, 10, 9, 10},
                      Inconsistent{"BoardBeyondItsTurn", 10, 10, 11, 10},
                      Inconsistent{"RedoReachingPastTheHistory", 2, 64, 2, 3},
                      Inconsistent{"LatestEntryShortOfItsTurn", 4, 6, 4, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SavedGames, EveryFileThisGameSavesLoadsBack)
{
    // Swaps, extra goes on both sides, undo, redo and a turned view all along the way.
    game.EvaluateMenu_Click();
    game.cell_MouseUp(0, MouseButton::Left);
    game.SwapMenu_Click();
    game.cell_MouseUp(5, MouseButton::Right);
    game.cell_MouseUp(9, MouseButton::Middle);
    game.XClockMenu_Click();
    game.AnotherGoMenu_Click();
    game.TakeBackMenu_Click();
    game.cell_MouseUp(40, MouseButton::Left);
    game.MirrorXYMenu_Click();
    game.TakeBackMenu_Click();
    game.TakeBackMenu_Click();
    game.RedoMoveMenu_Click();
    game.SwapMenu_Click();
    const GameState saved = st();
    save();
    game.NewGameMenu_Click();
    load(file());
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(st().GridContents, saved.GridContents);
    EXPECT_EQ(st().TurnNumber, saved.TurnNumber);
    EXPECT_EQ(st().LatestTurn, saved.LatestTurn);
    EXPECT_EQ(brokenInvariant(game, window), "");
}

// Flags of a computer turn or a match, which this game never saves set, at their offsets.
class RunningFlags : public SavedGames, public ::testing::WithParamInterface<std::size_t> {
protected:
    void loadWithFlagSet()
    {
        game.EvaluateMenu_Click();
        save();
        auto bytes = readAll(file());
        bytes[GetParam()] = bytes[GetParam() + 1] = 0xFF;
        writeAll(file(), bytes);
        load(file());
        ASSERT_TRUE(window.messages.empty());
    }
};

TEST_P(RunningFlags, LoadClearedSoTheBoardStaysOpenToTheHuman)
{
    loadWithFlagSet();
    game.cell_MouseUp(0, MouseButton::Left);
    game.cell_MouseUp(63, MouseButton::Left);
    EXPECT_EQ(countPieces(st().GridContents, kCross), 2);
    EXPECT_EQ(st().ReadyGauge, kGaugeFull);
}

TEST_P(RunningFlags, LoadClearedSoTheEndOfTheGameIsTold)
{
    loadWithFlagSet();
    game.Win();
    EXPECT_EQ(window.messages, std::vector<std::string>{"Congratulations you beat me!"});
}

INSTANTIATE_TEST_SUITE_P(Offsets, RunningFlags, ::testing::Values(17180U, 17182U, 17184U),
                         [](const auto& info) {
                             return info.param == 17180U ? "AutoplayInProgress"
                                 : info.param == 17182U  ? "ComputerThinking"
                                                         : "AutoplayOn";
                         });

TEST_F(SavedGames, AFileThatNamesNoOpponentLeavesTheCheckedOneToPlay)
{
    game.MiniMaxMenu_Click();
    save();
    auto bytes = readAll(file());
    bytes[17178] = bytes[17179] = 0; // Longthink cleared: no opponent at all
    writeAll(file(), bytes);
    game.EvaluateMenu_Click();
    load(file());
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(checked(MenuItem::EvaluateMenu));
    game.cell_MouseUp(0, MouseButton::Left);
    EXPECT_EQ(st().TurnNumber, 2);
}

TEST_F(SavedGames, RandomBytesAndAFolderAreRefused)
{
    std::mt19937 random(9);
    std::vector<std::uint8_t> noise(kSavedGameSize);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    writeAll(window.folder / "noise.VRNX", noise);
    load(window.folder / "noise.VRNX");
    std::filesystem::create_directory(window.folder / "dir.VRNX");
    load(window.folder / "dir.VRNX");
    load(window.folder / "missing.VRNX");
    EXPECT_EQ(window.messages, std::vector<std::string>(3, "Error opening file"));
    EXPECT_EQ(st().GridContents, Grid{});
}

TEST_F(SavedGames, NeitherIsPossibleWhileTheComputerThinks)
{
    game.cell_MouseUp(0, MouseButton::Right);
    window.onYield = [this](int yields) {
        if (yields == 1) {
            save();
            load(file());
        }
    };
    window.chosenFile = file();
    game.AnotherGoMenu_Click();
    EXPECT_TRUE(window.dialogForms.empty());
    EXPECT_FALSE(std::filesystem::exists(file()));
}

} // namespace
} // namespace vornix::testing

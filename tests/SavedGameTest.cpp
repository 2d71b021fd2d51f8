// Saved games: the file's exact bytes, the round trip, and files the game must refuse.
#include "FileTrouble.h"
#include "GameFixture.h"
#include "GameInvariants.h"
#include "storage/SavedGame.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace vornix::testing {
namespace {

namespace fs = std::filesystem;

class SavedGames : public GameFixture {
protected:
    fs::path file() const { return window.folder / "game.VRNX"; }
    void save(const std::optional<fs::path>& to = {})
    {
        window.chosenFile = to ? *to : file();
        game.SaveGameMenu_Click();
    }
    void load(const fs::path& from)
    {
        window.chosenFile = from;
        game.LoadGameMenu_Click();
    }
    std::size_t filesInFolder() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(window.folder), {}));
    }
    std::vector<std::string> refused() const { return {"Error opening file"}; }
};

TEST_F(SavedGames, TheFieldsStandAtTheirOffsets)
{
    save();
    auto bytes = readAll(file());
    ASSERT_EQ(bytes.size(), 17186U);
    EXPECT_EQ(std::count(bytes.begin(), bytes.begin() + 17166, 0), 17166); // nothing played yet
    EXPECT_EQ(int32At(bytes, 17166), 3);                                  // SearchDepth
    EXPECT_EQ(bytes[17170], 0xFF);                                        // AlphaBetaOpponent
    EXPECT_EQ(window.dialogForms, std::vector<FileDialogForm>{FileDialogForm::Save});

    game.EvaluateMenu_Click();
    game.cell_MouseUp(cellIndex(1, 2, 3), MouseButton::Left);
    game.TakeBackMenu_Click();
    save();
    bytes = readAll(file());
    EXPECT_EQ(bytes[0], 0xFF); // Cheated by the undo
    EXPECT_EQ(int32At(bytes, 258), 0);
    EXPECT_EQ(int32At(bytes, 262), 2);                                        // LatestTurn
    EXPECT_EQ(int32At(bytes, 266 + 4 * (64 + cellIndex(1, 2, 3))), kNought); // BoardHistory(1)
    EXPECT_EQ(int32At(bytes, 17162), 0);                                      // TurnNumber
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 17170, bytes.end()),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
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
    EXPECT_EQ(st().LatestTurn, 4);
    EXPECT_EQ(window.turnCaption, "Turn: 2");
    EXPECT_EQ(window.captions[0], "O");
    EXPECT_EQ(window.captions[5], "");
    EXPECT_TRUE(enabled(MenuItem::RedoMoveMenu));
    EXPECT_TRUE(checked(MenuItem::EvaluateMenu));
    EXPECT_FALSE(checked(MenuItem::AlphaBetaMenu));
    EXPECT_TRUE(checked(MenuItem::SearchDepthMenu3));
    game.RedoMoveMenu_Click();
    EXPECT_EQ(st().GridContents, saved.BoardHistory[4]);
}

// Each way of reaching an opponent: the opponent fields it writes (offsets 17170 to 17179), and the
// menu item checked once its game is loaded.
struct ChosenOpponent {
    const char* name;
    std::vector<void (Game::*)()> chosen;
    MenuItem plays;
    std::array<std::uint8_t, 10> fields;
};

class OpponentSaved : public SavedGames, public ::testing::WithParamInterface<ChosenOpponent> {};

TEST_P(OpponentSaved, LoadsAsTheOpponentThatPlaysAndSavesTheSameBytes)
{
    for (auto choose : GetParam().chosen)
        (game.*choose)();
    save();
    const auto bytes = readAll(file());
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 17170, bytes.begin() + 17180),
              std::vector<std::uint8_t>(GetParam().fields.begin(), GetParam().fields.end()));
    game.CommonSenseMenu_Click();
    load(file());
    EXPECT_TRUE(checked(GetParam().plays));
    EXPECT_EQ(brokenInvariant(game, window), "");
    save();
    EXPECT_EQ(readAll(file()), bytes);
}

constexpr std::uint8_t T = 0xFF;

INSTANTIATE_TEST_SUITE_P(
    Opponents, OpponentSaved,
    ::testing::Values(
        ChosenOpponent{"Belwin", {&Game::EvaluateMenu_Click}, MenuItem::EvaluateMenu, {0, 0, 0, 0, T, T, 0, 0, 0, 0}},
        ChosenOpponent{"MorvidAfterZeddon", {&Game::ZeddonMenu_Click, &Game::AlphaBetaMenu_Click},
                       MenuItem::AlphaBetaMenu, {T, T, 0, 0, 0, 0, 0, 0, 0, 0}},
        ChosenOpponent{"TheFifthPersona", {&Game::CMenu_Click}, MenuItem::CMenu, {0, 0, 0, 0, 0, 0, T, T, 0, 0}},
        ChosenOpponent{"QuenAfterTheFifthPersona", {&Game::CMenu_Click, &Game::MiniMaxMenu_Click},
                       MenuItem::MiniMaxMenu, {0, 0, 0, 0, 0, 0, 0, 0, T, T}},
        // Three routines at once, which no other save writes; the fifth persona without the alpha-beta flag.
        ChosenOpponent{"Zeddon", {&Game::ZeddonMenu_Click}, MenuItem::ZeddonMenu, {0, 0, T, T, T, T, 0, 0, T, T}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SavedGames, AFinishedGameLoadsOntoAClosedBoardAndStaysClosed)
{
    game.EvaluateMenu_Click();
    const int order[] = {0, 21, 1, 42, 2, 60, 3};
    for (int t = 0; t < 7; ++t) {
        st().BoardHistory[t + 1] = st().BoardHistory[t];
        st().BoardHistory[t + 1][order[t]] = t % 2 == 0 ? kNought : kCross;
    }
    board(st().BoardHistory[6]);
    st().TurnNumber = st().LatestTurn = 6;
    game.cell_MouseUp(3, MouseButton::Left); // noughts complete their line
    ASSERT_EQ(st().GameOver, -1);
    save();
    load(file());
    EXPECT_EQ(st().ReadyGauge, 0.0F);
    game.cell_MouseUp(40, MouseButton::Left);
    EXPECT_EQ(window.captions[40], "");
}

// At the shallowest and the deepest search the game offers.
TEST_F(SavedGames, AFileWrittenElsewhereLoadsAndWritesBackByteForByte)
{
    for (std::int32_t depth : {1, 6}) {
        std::vector<std::uint8_t> bytes(kSavedGameSize, 0);
        for (auto [at, value] : {std::pair{2 + 4 * 21, kNought}, {2 + 4 * 42, kCross}, {262, 2},
                                 {266 + 4 * (64 + 21), kNought}, {266 + 4 * (128 + 21), kNought},
                                 {266 + 4 * (128 + 42), kCross}, {17162, 2}, {17166, depth}})
            put32(bytes, static_cast<std::size_t>(at), value);
        bytes[17170] = bytes[17171] = 0xFF;
        writeAll(window.folder / "known.VRNX", bytes);
        load(window.folder / "known.VRNX");
        EXPECT_TRUE(window.messages.empty());
        EXPECT_TRUE(checked(searchDepthItem(depth)));
        EXPECT_TRUE(checked(MenuItem::AlphaBetaMenu));
        save();
        EXPECT_EQ(readAll(file()), bytes);
    }
}

TEST_F(SavedGames, CancellingEitherDialogChangesNothing)
{
    game.cell_MouseUp(0, MouseButton::Right);
    window.chosenFile.reset();
    game.SaveGameMenu_Click();
    game.LoadGameMenu_Click();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(st().TurnNumber, 1);
    EXPECT_EQ(filesInFolder(), 0U);
}

// The earlier file's contents and its permissions survive whatever goes wrong, and a good save
// keeps the permissions too.
TEST_F(SavedGames, AFailedSaveSaysSoAndKeepsTheEarlierFile)
{
    constexpr fs::perms kMine = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    save();
    fs::permissions(file(), kMine);
    const auto before = readAll(file());
    game.cell_MouseUp(0, MouseButton::Right);
    {
        const FileSizeLimit diskFull(4096);
        save();
    }
    save(window.folder / "no-such-folder" / "x.VRNX");
    EXPECT_EQ(window.messages, std::vector<std::string>(2, "Couldn't write file"));
    EXPECT_EQ(readAll(file()), before);
    EXPECT_EQ(filesInFolder(), 1U);
    window.messages.clear();
    save();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_NE(readAll(file()), before);
    EXPECT_EQ(fs::status(file()).permissions(), kMine);
    // Only the saves that worked tell the window where the next dialog may open.
    EXPECT_EQ(window.filesWorked, std::vector<fs::path>(2, file()));
}

TEST(SavedGameNames, GetTheExtensionUnlessTheyEndInItInAnyCase)
{
    const std::pair<const char*, const char*> names[] = {
        {"/h/mine", "/h/mine.VRNX"},           {"/h/vs.morvid", "/h/vs.morvid.VRNX"},
        {"/h/a.vrnx", "/h/a.vrnx"},            {"/h/B.Vrnx", "/h/B.Vrnx"},
        {"/h/c.VRNX.txt", "/h/c.VRNX.txt.VRNX"}, {"/h/.vrnx", "/h/.vrnx"},
        {"/h/d.vrn", "/h/d.vrn.VRNX"},
    };
    for (const auto& [given, saved] : names)
        EXPECT_EQ(withSavedGameExtension(given), fs::path(saved)) << given;
}

// The chosen file is a link to a longer file elsewhere; beside it, files named as the save's own
// temporary files would be, one of them a link to a file of the player's.
TEST_F(SavedGames, SavingWritesExactlyTheGameWhereALinkPointsAndNeverThroughATemporarysName)
{
    const std::string mine = "mine";
    fs::create_directory(window.folder / "elsewhere");
    const auto real = window.folder / "elsewhere" / "real.VRNX";
    writeAll(real, std::vector<std::uint8_t>(20000, 0xAB));
    fs::create_symlink(real, file());
    writeAll(window.folder / "victim", mine);
    fs::create_symlink(window.folder / "victim", window.folder / "game.VRNX.saving");
    writeAll(window.folder / "game.VRNX.new", mine);
    save();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(fs::is_symlink(file()));
    EXPECT_EQ(readAll(real).size(), kSavedGameSize);
    EXPECT_EQ(readText(window.folder / "victim"), mine);
    EXPECT_EQ(readText(window.folder / "game.VRNX.new"), mine);
    EXPECT_EQ(filesInFolder(), 5U);
}

TEST_F(SavedGames, AWritableFileInAFolderThatIsNotIsSavedOver)
{
    save();
    fs::permissions(file(), fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec & ~fs::perms::others_exec);
    fs::permissions(window.folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    game.cell_MouseUp(0, MouseButton::Right);
    {
        const OrdinaryUserFiles user;
        save();
    }
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(int32At(readAll(file()), 17162), 1);
    // Once the file is read-only too, nothing can be saved, and the player is told.
    fs::permissions(file(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    {
        const OrdinaryUserFiles user;
        save();
    }
    fs::permissions(window.folder, fs::perms::owner_write, fs::perm_options::add);
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
    const std::string tool = std::string(VORNIX_ANALYSE) + " --strategy alphabeta --game ";
    FILE* pipe = popen((tool + file().string()).c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    for (int c; (c = std::fgetc(pipe)) != EOF;)
        output.push_back(static_cast<char>(c));
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_NE(output.find("candidates 3\n"), std::string::npos) << output;
    EXPECT_NE(std::system((tool + (window.folder / "none.VRNX").string() + " 2>/dev/null").c_str()), 0);
}

// A file the game saved, with one field spoilt or cut short (width 0: the file ends at the offset).
struct BadFile {
    const char* name;
    std::size_t offset;
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
    if (bad.width == 0)
        bytes.resize(bad.offset);
    for (int n = 0; n < bad.width; ++n)
        bytes[bad.offset + n] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(bad.value) >> (8 * n));
    writeAll(file(), bytes);
    game.AlphaBetaMenu_Click();
    game.cell_MouseUp(1, MouseButton::Right);
    const GameState before = st();
    const auto captions = window.captions;
    load(file());
    EXPECT_EQ(window.messages, refused());
    EXPECT_EQ(st(), before);
    EXPECT_EQ(window.captions, captions);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadSavedGame,
    ::testing::Values(BadFile{"Empty", 0, 0, 0}, BadFile{"Truncated", 17185, 0, 0}, BadFile{"HalfBoard", 130, 0, 0},
                      BadFile{"CheatedTwo", 0, 2, 2}, BadFile{"CellSix", 2 + 4 * 9, 6, 4},
                      BadFile{"HistoryCellMinusOne", 266 + 4 * 3000, -1, 4},
                      BadFile{"APieceBeforeTheFirstTurn", 266, kNought, 4}, BadFile{"GameOverOne", 258, 1, 4},
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
    for (int n = 0; n < bad.piecesOnBoard; ++n)
        put32(bytes, 2 + 4 * n, n % 2 == 0 ? kNought : kCross);
    for (int t = 1; t <= bad.latestTurn; ++t)
        for (int n = 0; n < (t == bad.latestTurn ? bad.piecesInLatest : t); ++n)
            put32(bytes, 266 + 4 * (64 * t + n), n % 2 == 0 ? kNought : kCross);
    put32(bytes, 262, bad.latestTurn);
    put32(bytes, 17162, bad.turnNumber);
    put32(bytes, 17166, 3);
    bytes[17172] = bytes[17173] = 0xFF;
    writeAll(file(), bytes);
    game.cell_MouseUp(0, MouseButton::Left);
    const GameState before = st();
    load(file());
    EXPECT_EQ(window.messages, refused());
    EXPECT_EQ(st(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, InconsistentSavedGame,
    ::testing::Values(Inconsistent{"TurnSixtyFourOnAnEmptyBoard", 64, 64, 0, 64},
                      Inconsistent{"BoardShortOfItsTurn", 10, 10, 9, 10},
                      Inconsistent{"BoardBeyondItsTurn", 10, 10, 11, 10},
                      Inconsistent{"RedoReachingPastTheHistory", 2, 64, 2, 3},
                      Inconsistent{"LatestEntryShortOfItsTurn", 4, 6, 4, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SavedGames, AFolderOrAMissingFileIsRefused)
{
    fs::create_directory(window.folder / "dir.VRNX");
    load(window.folder / "dir.VRNX");
    load(window.folder / "missing.VRNX");
    EXPECT_EQ(window.messages, std::vector<std::string>(2, "Error opening file"));
}

TEST_F(SavedGames, EveryFileThisGameSavesLoadsBack)
{
    // Swaps, extra goes on both sides, undo, redo and a turned view all along the way.
    game.EvaluateMenu_Click();
    game.cell_MouseUp(0, MouseButton::Left);
    game.SwapMenu_Click();
    game.cell_MouseUp(5, MouseButton::Right);
    game.cell_MouseUp(9, MouseButton::Middle);
    for (auto command : {&Game::XClockMenu_Click, &Game::AnotherGoMenu_Click, &Game::TakeBackMenu_Click})
        (game.*command)();
    game.cell_MouseUp(40, MouseButton::Left);
    for (auto command : {&Game::MirrorXYMenu_Click, &Game::TakeBackMenu_Click, &Game::TakeBackMenu_Click,
                         &Game::RedoMoveMenu_Click, &Game::SwapMenu_Click})
        (game.*command)();
    const GameState saved = st();
    save();
    game.NewGameMenu_Click();
    load(file());
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(st().GridContents, saved.GridContents);
    EXPECT_EQ(st().LatestTurn, saved.LatestTurn);
    EXPECT_EQ(brokenInvariant(game, window), "");
}

// Flags of a computer turn or a match, which this game never saves set, at their offsets: a load
// clears them, so the board stays open to the human and the end of the game is told.
class RunningFlags : public SavedGames, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(RunningFlags, AreClearedByALoad)
{
    game.EvaluateMenu_Click();
    save();
    auto bytes = readAll(file());
    bytes[GetParam()] = bytes[GetParam() + 1] = 0xFF;
    writeAll(file(), bytes);
    load(file());
    ASSERT_TRUE(window.messages.empty());
    game.cell_MouseUp(0, MouseButton::Left);
    game.cell_MouseUp(63, MouseButton::Left);
    EXPECT_EQ(countPieces(st().GridContents, kCross), 2);
    EXPECT_EQ(st().ReadyGauge, kGaugeFull);
    game.Win();
    EXPECT_EQ(window.messages, std::vector<std::string>{"Congratulations you beat me!"});
}

INSTANTIATE_TEST_SUITE_P(Offsets, RunningFlags, ::testing::Values(17180U, 17182U, 17184U));

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

TEST_F(SavedGames, NeitherIsPossibleWhileTheComputerThinks)
{
    game.cell_MouseUp(0, MouseButton::Right);
    window.onYield = [this](int yields) {
        if (yields == 1) {
            save();
            load(file());
        }
    };
    game.AnotherGoMenu_Click();
    EXPECT_TRUE(window.dialogForms.empty());
    EXPECT_FALSE(fs::exists(file()));
}

} // namespace
} // namespace vornix::testing

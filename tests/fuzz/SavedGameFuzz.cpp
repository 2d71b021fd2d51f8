// Fuzzes the game's own load command with any file, then plays on from what it accepted.
//
// The input is a saved game followed by a script: the first 17186 bytes are the file the load
// command reads, and each pair of bytes after them is one command of a player. A refused file must
// change nothing at all; an accepted one, and every position the script reaches from it, must keep
// every invariant of the game and save to a file that loads back to the same game.
#include "FileTrouble.h"
#include "GameInvariants.h"
#include "RecordingWindow.h"
#include "storage/SavedGame.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <span>
#include <string>
#include <vector>

#include <unistd.h>

using namespace vornix;
using namespace vornix::testing;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMostCommands = 24;

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::abort();
}

void check(bool condition, const std::string& what)
{
    if (!condition)
        fail(what);
}

const fs::path& folder()
{
    static const fs::path made = [] {
        // Memory rather than a disk, where it can be had: every save is flushed to its disk.
        const fs::path memory = "/dev/shm";
        fs::path f = (fs::is_directory(memory) ? memory : fs::temp_directory_path())
            / ("vornix-fuzz-saved-game-" + std::to_string(::getpid()));
        fs::create_directories(f);
        return f;
    }();
    return made;
}

std::set<std::string> namesIn(const fs::path& dir)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

// Everything a load could change: the game, its menus, what the window shows, and the folder.
struct Everything {
    GameState state;
    std::vector<std::pair<bool, bool>> menus;
    std::array<std::string, 64> captions;
    std::array<Pointer, 64> pointers;
    std::array<PieceCursor, 64> cursors;
    std::array<Rgb, 64> backgrounds;
    BoardMarks marks;
    std::string turnCaption;
    std::size_t gaugeChanges;
    std::map<MenuItem, std::pair<bool, bool>> menusShown;
    int beeps;
    std::size_t sounds;
    int reseeds;
    std::set<std::string> files;
    bool operator==(const Everything&) const = default;
};

Everything everything(const Game& game, const RecordingWindow& w)
{
    Everything e{game.state(), {},         w.captions, w.pointers, w.cursors,   w.backgrounds,     w.marks,
                 w.turnCaption, w.gauge.size(), w.menu, w.beeps,    w.sounds.size(), w.reseeds, namesIn(folder())};
    for (int i = 0; i < kMenuItemCount; ++i)
        e.menus.emplace_back(game.menus().checked(static_cast<MenuItem>(i)),
                             game.menus().enabled(static_cast<MenuItem>(i)));
    return e;
}

void checkInvariants(const Game& game, const RecordingWindow& window, const char* after)
{
    const std::string broken = brokenInvariant(game, window);
    if (!broken.empty())
        fail(broken + " (after " + after + ")");
}

// The same game to play on: the routine left behind by an earlier choice is not consulted while an
// alpha-beta opponent plays, and no file keeps it.
bool sameGame(GameState a, GameState b)
{
    for (GameState* s : {&a, &b})
        if (s->AlphaBetaOpponent)
            s->OpponentRoutine = Routine::None;
    return a == b;
}

// The first field in which two games differ, for the report of a broken round trip.
std::string firstDifference(const GameState& a, const GameState& b)
{
#define VORNIX_COMPARE(field) \
    if (!(a.field == b.field))  \
        return #field;
    VORNIX_COMPARE(GridContents) VORNIX_COMPARE(TurnNumber) VORNIX_COMPARE(LatestTurn)
    VORNIX_COMPARE(BoardHistory) VORNIX_COMPARE(LastHumanMove) VORNIX_COMPARE(ComputerHasMoved)
    VORNIX_COMPARE(AlphaBetaOpponent) VORNIX_COMPARE(SnibbetMode) VORNIX_COMPARE(Cheated)
    VORNIX_COMPARE(GameOver) VORNIX_COMPARE(OpponentRoutine) VORNIX_COMPARE(ReadyGauge)
    VORNIX_COMPARE(SearchDepth) VORNIX_COMPARE(weights) VORNIX_COMPARE(TwoPlayerGame)
    VORNIX_COMPARE(NoughtsToMove)
#undef VORNIX_COMPARE
    return "another field";
}

// Saving and loading back gives the same game, and the same file again.
void checkRoundTrip(Game& game, RecordingWindow& window)
{
    const fs::path file = folder() / "again.VRNX";
    window.chosenFile = file;
    const std::size_t messages = window.messages.size();
    game.SaveGameMenu_Click();
    const auto saved = readAll(file);
    check(saved.size() == kSavedGameSize, "a save wrote " + std::to_string(saved.size()) + " bytes");
    const GameState before = game.state();
    game.LoadGameMenu_Click();
    check(window.messages.size() == messages, "the game's own save was refused");
    if (!sameGame(game.state(), before))
        fail("a save loaded back as another game: " + firstDifference(game.state(), before));
    game.SaveGameMenu_Click();
    check(readAll(file) == saved, "saving the loaded game wrote another file");
    fs::remove(file);
}

constexpr std::array kViewTurns{&Game::XClockMenu_Click,  &Game::XAClockMenu_Click,  &Game::YClockMenu_Click,
                                &Game::YAClockMenu_Click, &Game::ZClockMenu_Click,   &Game::ZAClockMenu_Click,
                                &Game::MirrorXYMenu_Click, &Game::MirrorXZMenu_Click, &Game::MirrorYZMenu_Click};
// The sixth persona thinks for up to a second a move: too long for a fuzz run.
constexpr std::array kOpponents{&Game::EvaluateMenu_Click, &Game::CommonSenseMenu_Click, &Game::MiniMaxMenu_Click,
                                &Game::AlphaBetaMenu_Click};

void play(Game& game, RecordingWindow& window, std::uint8_t command, std::uint8_t argument)
{
    // The searches go no deeper than two plies, so that a run stays quick.
    if (game.state().SearchDepth > 2)
        game.SearchDepthMenu_Click(2);
    window.draws.push_back(argument / 256.0);
    const int cell = argument % 64;
    switch (command % 12) {
    case 0: game.cell_MouseUp(cell, MouseButton::Left); break;
    case 1: game.cell_MouseUp(cell, MouseButton::Right); break;
    case 2: game.cell_MouseUp(cell, MouseButton::Middle); break;
    case 3: game.TakeBackMenu_Click(); break;
    case 4: game.RedoMoveMenu_Click(); break;
    case 5: game.SwapMenu_Click(); break;
    case 6: game.AnotherGoMenu_Click(); break;
    case 7: (game.*kViewTurns[argument % kViewTurns.size()])(); break;
    case 8:
        if (argument % 5 < 4)
            (game.*kOpponents[argument % 5])();
        else
            game.SearchDepthMenu_Click(static_cast<std::int16_t>(1 + argument % 2));
        break;
    case 9: checkRoundTrip(game, window); break;
    case 10:
        // Two people share the board from here, or a new game against the computer starts.
        argument % 2 == 0 ? game.NoughtsFirstMenu_Click() : game.HumanFirstMenu_Click();
        game.NewGameMenu_Click();
        break;
    default: game.setOptionText(argument % 5, std::to_string(static_cast<int>(argument) * 7 - 900)); break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> input(data, size);
    const std::span<const std::uint8_t> bytes = input.first(std::min(size, kSavedGameSize));
    const std::span<const std::uint8_t> script = input.subspan(bytes.size());

    const fs::path file = folder() / "fuzzed.VRNX";
    writeAll(file, bytes);

    RecordingWindow window;
    window.folder = folder();
    Game game(window);
    game.Form_Load();
    // A game under way, so that a refused file has something to leave alone; extra goes, so that
    // no search runs for the many files that are refused.
    game.cell_MouseUp(21, MouseButton::Right);
    game.cell_MouseUp(42, MouseButton::Middle);
    const Everything before = everything(game, window);

    window.chosenFile = file;
    game.LoadGameMenu_Click();
    const bool refused = !window.messages.empty();
    const bool decodes = decode(bytes).has_value();
    check(refused != decodes, refused ? "a file the game decodes was refused" : "a file it cannot decode loaded");
    if (refused) {
        check(window.messages == std::vector<std::string>{"Error opening file"}, "a refusal said something else");
        check(everything(game, window) == before, "a refused file changed the game");
        fs::remove(file);
        return 0;
    }
    checkInvariants(game, window, "the load");
    checkRoundTrip(game, window);

    for (std::size_t at = 0; at + 1 < script.size() && at / 2 < kMostCommands; at += 2) {
        play(game, window, script[at], script[at + 1]);
        checkInvariants(game, window, "a command");
    }
    checkRoundTrip(game, window);
    fs::remove(file);
    return 0;
}

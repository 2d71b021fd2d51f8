#include "storage/SavedGame.h"

#include "game/Game.h"
#include "storage/SafeWrite.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

namespace vornix {

namespace fs = std::filesystem;

namespace {

class Writer {
public:
    void boolean(bool value) { integer16(value ? -1 : 0); }
    void integer(std::int32_t value)
    {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8)
            bytes_.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
    void grid(const Grid& grid)
    {
        for (std::int32_t cell : grid)
            integer(cell);
    }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    void integer16(std::int16_t value)
    {
        const auto bits = static_cast<std::uint16_t>(value);
        bytes_.push_back(static_cast<std::uint8_t>(bits));
        bytes_.push_back(static_cast<std::uint8_t>(bits >> 8));
    }
    std::vector<std::uint8_t> bytes_;
};

// Reads the fields in order and remembers whether every one was of a value the game can hold.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool boolean()
    {
        const auto bits = static_cast<std::uint16_t>(bytes_[at_] | (bytes_[at_ + 1] << 8));
        at_ += 2;
        valid_ = valid_ && (bits == 0 || bits == 0xFFFF);
        return bits != 0;
    }
    std::int32_t integer()
    {
        std::uint32_t bits = 0;
        for (int n = 0; n < 4; ++n)
            bits |= static_cast<std::uint32_t>(bytes_[at_ + n]) << (8 * n);
        at_ += 4;
        return static_cast<std::int32_t>(bits);
    }
    void grid(Grid& grid)
    {
        for (std::int32_t& cell : grid) {
            cell = integer();
            valid_ = valid_ && (cell == kEmpty || cell == kNought || cell == kCross);
        }
    }
    void require(bool condition) { valid_ = valid_ && condition; }
    bool valid() const { return valid_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool valid_ = true;
};

} // namespace

SavedGame savedGameOf(const GameState& st)
{
    SavedGame g;
    g.Cheated = st.Cheated;
    g.GridContents = st.GridContents;
    g.GameOver = st.GameOver;
    g.LatestTurn = st.LatestTurn;
    g.BoardHistory = st.BoardHistory;
    g.TurnNumber = st.TurnNumber;
    g.SearchDepth = st.SearchDepth;
    // The opponent flags are saved as loading replays them, so that a game loads with the opponent
    // that plays it now: the fifth persona through its own handler alone (the alpha-beta one's
    // would clear it), and no routine behind an alpha-beta opponent (replayed after it, the
    // routine's handler would take its place; while it plays, the routine is not consulted).
    const bool snibbet = st.AlphaBetaOpponent && st.SnibbetMode;
    const Routine routine = st.AlphaBetaOpponent ? Routine::None : st.OpponentRoutine;
    g.AlphaBetaOpponent = st.AlphaBetaOpponent && !snibbet;
    g.normal = routine == Routine::normal;
    g.eval = routine == Routine::eval;
    g.SnibbetMode = snibbet;
    g.Longthink = routine == Routine::Longthink;
    if (st.ZeddonOpponent) {
        // The sixth persona is written as all three routines at once, which no other opponent
        // writes; a copy of the game from before the sixth persona loads it as the last of them.
        g.AlphaBetaOpponent = false;
        g.SnibbetMode = false;
        g.normal = g.eval = g.Longthink = true;
    }
    g.AutoplayInProgress = st.AutoplayInProgress;
    g.ComputerThinking = st.ComputerThinking;
    g.AutoplayOn = st.AutoplayOn;
    return g;
}

std::vector<std::uint8_t> encode(const SavedGame& g)
{
    Writer w;
    w.boolean(g.Cheated);
    w.grid(g.GridContents);
    w.integer(g.GameOver);
    w.integer(g.LatestTurn);
    for (const Grid& snapshot : g.BoardHistory)
        w.grid(snapshot);
    w.integer(g.TurnNumber);
    w.integer(g.SearchDepth);
    w.boolean(g.AlphaBetaOpponent);
    w.boolean(g.normal);
    w.boolean(g.eval);
    w.boolean(g.SnibbetMode);
    w.boolean(g.Longthink);
    w.boolean(g.AutoplayInProgress);
    w.boolean(g.ComputerThinking);
    w.boolean(g.AutoplayOn);
    return w.take();
}

std::optional<SavedGame> decode(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kSavedGameSize)
        return std::nullopt;
    Reader r(bytes);
    SavedGame g;
    g.Cheated = r.boolean();
    r.grid(g.GridContents);
    g.GameOver = r.integer();
    r.require(g.GameOver == 0 || g.GameOver == -1);
    g.LatestTurn = r.integer();
    for (Grid& snapshot : g.BoardHistory)
        r.grid(snapshot);
    g.TurnNumber = r.integer();
    const bool turnsInOrder = 0 <= g.TurnNumber && g.TurnNumber <= g.LatestTurn && g.LatestTurn <= kCells;
    r.require(turnsInOrder);
    if (turnsInOrder) {
        // Every placement adds one piece, whatever else moves them: a swap exchanges the men, a turn
        // of the view moves them, an extra go adds one without a reply. So the board after t
        // placements holds t pieces, and the board in play holds TurnNumber. Entries beyond
        // LatestTurn are left from earlier lines of play and are never shown again.
        r.require(piecesOn(g.GridContents) == g.TurnNumber);
        for (int t = 0; t <= g.LatestTurn; ++t)
            r.require(piecesOn(g.BoardHistory[t]) == t);
    }
    g.SearchDepth = r.integer();
    r.require(kMinSearchDepth <= g.SearchDepth && g.SearchDepth <= kMaxSearchDepth);
    g.AlphaBetaOpponent = r.boolean();
    g.normal = r.boolean();
    g.eval = r.boolean();
    g.SnibbetMode = r.boolean();
    g.Longthink = r.boolean();
    g.AutoplayInProgress = r.boolean();
    g.ComputerThinking = r.boolean();
    g.AutoplayOn = r.boolean();
    if (!r.valid())
        return std::nullopt;
    return g;
}

std::optional<std::vector<std::uint8_t>> readSavedGameBytes(const fs::path& file)
{
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(kSavedGameSize);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return std::nullopt;
    return bytes;
}

std::filesystem::path withSavedGameExtension(const std::filesystem::path& file)
{
    std::string name = file.filename().string();
    const std::string_view extension = ".vrnx";
    const bool has = name.size() >= extension.size()
        && std::equal(extension.begin(), extension.end(), name.end() - static_cast<std::ptrdiff_t>(extension.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
    return has ? file : file.parent_path() / (name + ".VRNX");
}

void Game::SaveGameMenu_Click()
{
    if (busy())
        return;
    if (setUpTurn_ > 0) {
        window_.messageBox("This game began from a pasted position: a saved game holds every position from "
                           "the empty board, so nothing was saved.");
        return;
    }
    const auto file = window_.chooseFile(FileDialogForm::Save);
    if (!file)
        return;
    if (!writeFileSafely(*file, encode(savedGameOf(st_))))
        window_.messageBox("Couldn't write file");
    else
        window_.fileWorked(*file);
}

void Game::LoadGameMenu_Click()
{
    if (busy())
        return;
    if (ordinary_)
        leavePuzzles(); // a loaded game is an ordinary one
    const auto file = window_.chooseFile(FileDialogForm::Open);
    if (!file)
        return;
    const auto bytes = readSavedGameBytes(*file);
    const auto game = bytes ? decode(*bytes) : std::nullopt;
    if (!game) {
        // Checked whole before anything changes: a bad file leaves the game exactly as it was.
        window_.messageBox("Error opening file");
        return;
    }

    window_.fileWorked(*file);
    setUpTurn_ = 0;
    reviewing_ = 0;
    resetViews();
    placers_.fill(Placer::Unknown);
    st_.Cheated = game->Cheated || analysis_;
    st_.GridContents = game->GridContents;
    st_.GameOver = game->GameOver;
    st_.LatestTurn = game->LatestTurn;
    st_.BoardHistory = game->BoardHistory;
    st_.TurnNumber = game->TurnNumber;
    showTurn();
    st_.SearchDepth = game->SearchDepth;
    st_.AlphaBetaOpponent = game->AlphaBetaOpponent;
    auto apply = [this](bool selected, Routine routine) {
        if (selected)
            st_.OpponentRoutine = routine;
        else if (st_.OpponentRoutine == routine)
            st_.OpponentRoutine = Routine::None;
    };
    apply(game->normal, Routine::normal);
    apply(game->eval, Routine::eval);
    st_.SnibbetMode = game->SnibbetMode;
    apply(game->Longthink, Routine::Longthink);
    // No computer turn or match runs in a loaded game, whatever was running when the file was
    // written: left set, these would silence the end of the game or close the board for good.
    st_.AutoplayInProgress = false;
    st_.ComputerThinking = false;
    st_.AutoplayOn = false;
    updateUndoRedoMenus();

    // The opponent's menus are put back by replaying their handlers, each seeing what the last left.
    SearchDepthMenu_Click(static_cast<std::int16_t>(st_.SearchDepth));
    if (st_.AlphaBetaOpponent)
        AlphaBetaMenu_Click();
    if (st_.SnibbetMode)
        CMenu_Click();
    if (st_.OpponentRoutine == Routine::normal)
        CommonSenseMenu_Click();
    if (st_.OpponentRoutine == Routine::Longthink)
        MiniMaxMenu_Click();
    if (st_.OpponentRoutine == Routine::eval)
        EvaluateMenu_Click();
    if (game->normal && game->eval && game->Longthink)
        ZeddonMenu_Click();
    // A file that names no opponent leaves the one checked in the menu to play.
    if (!st_.AlphaBetaOpponent && st_.OpponentRoutine == Routine::None)
        takeOpponentFromMenu();
    UpdateDisplayFromGridContents();
    forgetPositionMarks();
    refreshMarks();
}

} // namespace vornix

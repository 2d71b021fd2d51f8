// The saved-game file: a flat little-endian dump of the game's variables, 17186 bytes, no header.
// Booleans take 16 bits (-1 true, 0 false); every other number 32 bits, signed.
#pragma once

#include "game/GameState.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace vornix {

inline constexpr std::size_t kSavedGameSize = 17186;

struct SavedGame {
    bool Cheated = false;
    Grid GridContents{};
    std::int32_t GameOver = 0;
    std::int32_t LatestTurn = 0;
    std::array<Grid, kHistorySize> BoardHistory{};
    std::int32_t TurnNumber = 0;
    std::int32_t SearchDepth = 3;
    bool AlphaBetaOpponent = false;
    bool normal = false;
    bool eval = false;
    bool SnibbetMode = false;
    bool Longthink = false;
    bool AutoplayInProgress = false;
    bool ComputerThinking = false;
    bool AutoplayOn = false;
};

SavedGame savedGameOf(const GameState& state);

std::vector<std::uint8_t> encode(const SavedGame& game);

// The game a file's bytes hold, or nothing when they are not a game this program could have saved:
// too short, a cell that is not 0, 5 or 7, turns out of order, a board whose pieces do not number
// its placements, a flag that is neither -1 nor 0, or a search depth outside 1..6. Bytes beyond the
// layout are ignored.
std::optional<SavedGame> decode(std::span<const std::uint8_t> bytes);

// The first bytes of a file, up to the size of a saved game; nothing when it cannot be read.
std::optional<std::vector<std::uint8_t>> readSavedGameBytes(const std::filesystem::path& file);

// The name a game is saved under: as given when it ends in ".VRNX" in any case, else with ".VRNX"
// added, dots in the name or not ("vs.morvid" becomes "vs.morvid.VRNX").
std::filesystem::path withSavedGameExtension(const std::filesystem::path& file);

} // namespace vornix

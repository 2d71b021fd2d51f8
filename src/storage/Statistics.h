// The statistics file: ten counters of fair games won and lost against five of the personas, one
// per line. Files written before the sixth persona came hold the first eight only; the last two then
// count from 0.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace vornix {

inline constexpr int kCounterCount = 10;
// The counters every file holds; the sixth persona's two may be missing.
inline constexpr int kRequiredCounters = 8;
using CounterTexts = std::array<std::string, kCounterCount>;

// The largest count a counter holds: far beyond any number of games, and four of them still add
// up exactly. A file with a larger counter is not read, so it never turns into another number.
inline constexpr std::int64_t kMaxCounter = 999'999'999'999'999;

// Eight counters fit in far less: a larger file is not read whole, and a larger one never written.
inline constexpr std::size_t kMaxStatisticsBytes = 64 * 1024;

// The counter a finished game adds to: the computer's wins against each persona at an even index,
// the human's at the odd one after it.
enum class StatisticsRow : std::uint8_t { Tovi = 0, Belwin = 2, Quen = 4, Morvid = 6, Zeddon = 8 };

std::filesystem::path statisticsPath(const std::filesystem::path& programFolder);

// How the program was found: unpacked or built, with its files beside it; or installed, finding
// its data in the installation's data folder.
enum class CopyKind : std::uint8_t { Unpacked, Installed };

// Where the statistics are kept. An unpacked copy keeps its own beside the program while they can
// be written there (its folder takes new files, or holds a Statistics file that may be rewritten).
// An installed copy, and an unpacked one that cannot write there, keeps them in the player's data
// folder, made when missing; whoever runs it, an installed copy never writes beside the program.
// A Statistics file an installed copy left there in the past is copied over once, never removed.
std::filesystem::path statisticsLocation(const std::filesystem::path& programFolder,
                                         const std::filesystem::path& playerDataFolder, CopyKind copy);

// Makes sure the file exists, creating it with ten zero counters when it is missing or empty.
// True when that failed (the name and sense the game has always used).
bool statisticsFileMissing(const std::filesystem::path& file);

// The ten counters as the file holds them (the text between the quotation marks, or the bare
// line; "0" for the last two when a file has only eight), or nothing when the file cannot be read,
// holds fewer than eight lines, or holds a counter beyond ±kMaxCounter.
std::optional<CounterTexts> readCounters(const std::filesystem::path& file);

// Rewrites the file with each counter in quotation marks; a failure leaves it as it was. False on
// failure.
bool writeCounters(const std::filesystem::path& file, const CounterTexts& counters);

// Adds a game to one counter (none: the file is written back unchanged in value). A file that
// cannot be read, or whose counter cannot count any further, is left exactly as it is.
void countGame(const std::filesystem::path& file, std::optional<int> counter);

// A counter's numeric value: the whole number its text starts with, 0 for other text.
std::int64_t counterValue(const std::string& text);

// The report shown by the Statistics command.
std::string statisticsReport(const CounterTexts& counters);

} // namespace vornix

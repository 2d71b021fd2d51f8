// The statistics file beside the program: eight counters of fair games won and lost against four
// of the personas, one per line.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace vornix {

inline constexpr int kCounterCount = 8;
using CounterTexts = std::array<std::string, kCounterCount>;

std::filesystem::path statisticsPath(const std::filesystem::path& programFolder);

// Makes sure the file exists, creating it with eight zero counters when it is missing or empty.
// True when that failed (the name and sense the game has always used).
bool statisticsFileMissing(const std::filesystem::path& file);

// The eight counters as the file holds them (the text between the quotation marks, or the bare
// line), or nothing when the file cannot be read or holds fewer than eight lines.
std::optional<CounterTexts> readCounters(const std::filesystem::path& file);

// Rewrites the file with each counter in quotation marks. The old file is replaced only once the
// new one is complete, so a failure leaves it as it was. False on failure.
bool writeCounters(const std::filesystem::path& file, const CounterTexts& counters);

// A counter's numeric value: the whole number its text starts with, 0 for other text.
std::int64_t counterValue(const std::string& text);

// The report shown by the Statistics command.
std::string statisticsReport(const CounterTexts& counters);

} // namespace vornix

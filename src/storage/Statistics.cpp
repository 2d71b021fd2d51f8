#include "storage/Statistics.h"

#include "game/Game.h"
#include "game/LeadingNumber.h"
#include "storage/SafeWrite.h"

#include <fstream>
#include <span>
#include <string_view>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace vornix {

namespace fs = std::filesystem;

namespace {

bool fits(std::int64_t value)
{
    return -kMaxCounter <= value && value <= kMaxCounter;
}

// Whether this process may write there, by the rights it opens files with.
bool mayWrite(const fs::path& path, int mode)
{
    return ::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
}

} // namespace

fs::path statisticsPath(const fs::path& programFolder)
{
    return programFolder / "Statistics";
}

fs::path statisticsLocation(const fs::path& programFolder, const fs::path& playerDataFolder, CopyKind copy)
{
    const fs::path beside = statisticsPath(programFolder);
    std::error_code ec;
    const bool oldFile = fs::is_regular_file(beside, ec);
    if (copy == CopyKind::Unpacked && (mayWrite(programFolder, W_OK | X_OK) || (oldFile && mayWrite(beside, W_OK))))
        return beside;
    fs::create_directories(playerDataFolder, ec);
    const fs::path own = statisticsPath(playerDataFolder);
    if (copy == CopyKind::Installed && oldFile && !fs::exists(own, ec))
        fs::copy_file(beside, own, ec); // where it fails, the player starts afresh; the old file stays
    return own;
}

bool statisticsFileMissing(const fs::path& file)
{
    // Something else of that name, a pipe say, would hold the game up or take the counters away.
    std::error_code ec;
    if (fs::exists(file, ec) && !fs::is_regular_file(file, ec))
        return true;
    std::ofstream out(file, std::ios::binary | std::ios::app);
    if (!out)
        return true;
    out.seekp(0, std::ios::end);
    if (out.tellp() == std::streampos(0)) {
        for (int n = 0; n < kCounterCount; ++n)
            out << "0\r\n";
    }
    out.close();
    return out.fail();
}

std::optional<CounterTexts> readCounters(const fs::path& file)
{
    std::error_code ec;
    if (fs::is_directory(file, ec))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string content(kMaxStatisticsBytes, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    if (in.bad())
        return std::nullopt;
    content.resize(static_cast<std::size_t>(in.gcount()));

    CounterTexts counters;
    int found = 0;
    std::size_t start = 0;
    while (found < kCounterCount && start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) {
            // A last line cut off by the size limit is not a whole counter.
            if (content.size() == kMaxStatisticsBytes)
                return std::nullopt;
            end = content.size();
        }
        std::string_view line(content.data() + start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty() && line.front() == '"') {
            line.remove_prefix(1);
            line = line.substr(0, line.find('"'));
        }
        if (!fits(leadingWhole(line, Rounding::TowardZero)))
            return std::nullopt;
        counters[found++] = std::string(line);
        start = end + 1;
    }
    if (found < kRequiredCounters)
        return std::nullopt;
    for (; found < kCounterCount; ++found)
        counters[found] = "0";
    return counters;
}

bool writeCounters(const fs::path& file, const CounterTexts& counters)
{
    std::string text;
    for (const std::string& counter : counters)
        text += '"' + counter + "\"\r\n";
    if (text.size() > kMaxStatisticsBytes)
        return false; // it could not be read back
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return writeFileSafely(file, std::span(bytes, text.size()));
}

void countGame(const fs::path& file, std::optional<int> counter)
{
    auto counters = readCounters(file);
    if (!counters)
        return; // an unreadable file is left as it is rather than overwritten
    if (counter) {
        std::string& text = (*counters)[static_cast<std::size_t>(*counter)];
        const std::int64_t value = counterValue(text);
        if (value >= kMaxCounter)
            return; // full: counting on would make the file unreadable
        text = std::to_string(value + 1);
    }
    writeCounters(file, *counters);
}

std::int64_t counterValue(const std::string& text)
{
    return leadingWhole(text, Rounding::TowardZero);
}

std::string statisticsReport(const CounterTexts& c)
{
    const std::int64_t computer =
        counterValue(c[0]) + counterValue(c[2]) + counterValue(c[4]) + counterValue(c[6]) + counterValue(c[8]);
    const std::int64_t human =
        counterValue(c[1]) + counterValue(c[3]) + counterValue(c[5]) + counterValue(c[7]) + counterValue(c[9]);
    const std::string separator = "   -  ";
    const std::string rowEnd = "\n\r";
    return "Belwin" + c[2] + separator + "You   " + c[3] + rowEnd + "Tovi  " + c[0] + separator + "You   " + c[1]
        + rowEnd + "Quen  " + c[4] + separator + "You   " + c[5] + rowEnd + "Morvid  " + c[6] + separator + "You   "
        + c[7] + rowEnd + "Zeddon" + c[8] + separator + "You   " + c[9] + rowEnd + rowEnd + "Total " + std::to_string(computer) + separator + "Total " + std::to_string(human);
}

bool Game::NoFileCheck()
{
    return statisticsFileMissing(window_.statisticsFile());
}

void Game::StatisticsMenu_Click()
{
    if (NoFileCheck()) {
        window_.messageBox("Unable to create statistics files");
        return;
    }
    const auto counters = readCounters(window_.statisticsFile());
    if (!counters) {
        window_.messageBox("Corrupt statistics file");
        return;
    }
    window_.messageBox(statisticsReport(*counters));
}

void Game::recordResult(bool computerWon)
{
    if (NoFileCheck())
        return;
    std::optional<StatisticsRow> row;
    if (menus_.checked(MenuItem::CommonSenseMenu))
        row = StatisticsRow::Tovi;
    else if (menus_.checked(MenuItem::EvaluateMenu))
        row = StatisticsRow::Belwin;
    else if (menus_.checked(MenuItem::MiniMaxMenu))
        row = StatisticsRow::Quen;
    else if (menus_.checked(MenuItem::AlphaBetaMenu))
        row = StatisticsRow::Morvid;
    else if (menus_.checked(MenuItem::ZeddonMenu))
        row = StatisticsRow::Zeddon;
    // The fifth persona has no counters: its games leave the values as they are.
    std::optional<int> counter;
    if (row)
        counter = static_cast<int>(*row) + (computerWon ? 0 : 1);
    countGame(window_.statisticsFile(), counter);
}

} // namespace vornix

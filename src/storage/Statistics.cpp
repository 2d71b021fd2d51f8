#include "storage/Statistics.h"

#include "dialogs/EvaluatingOptions.h"
#include "game/Game.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <system_error>

namespace vornix {

namespace fs = std::filesystem;

fs::path statisticsPath(const fs::path& programFolder)
{
    return programFolder / "Statistics";
}

bool statisticsFileMissing(const fs::path& file)
{
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
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;

    CounterTexts counters;
    int found = 0;
    std::size_t start = 0;
    while (found < kCounterCount && start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '"') {
            const std::size_t close = line.find('"', 1);
            line = line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        }
        counters[found++] = line;
        start = end + 1;
    }
    if (found < kCounterCount)
        return std::nullopt;
    return counters;
}

bool writeCounters(const fs::path& file, const CounterTexts& counters)
{
    fs::path temporary = file;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        for (const std::string& text : counters)
            out << '"' << text << "\"\r\n";
        out.close();
        if (out.fail()) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temporary, file, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

std::int64_t counterValue(const std::string& text)
{
    constexpr double kLimit = 1e15; // far beyond any count of games, and exact in a double
    return static_cast<std::int64_t>(std::clamp(std::trunc(leadingNumber(text)), -kLimit, kLimit));
}

std::string statisticsReport(const CounterTexts& c)
{
    const std::int64_t computer = counterValue(c[0]) + counterValue(c[2]) + counterValue(c[4]) + counterValue(c[6]);
    const std::int64_t human = counterValue(c[1]) + counterValue(c[3]) + counterValue(c[5]) + counterValue(c[7]);
    const std::string separator = "   -  ";
    const std::string rowEnd = "\n\r";
    return "Belwin" + c[2] + separator + "You   " + c[3] + rowEnd + "Tovi  " + c[0] + separator + "You   " + c[1]
        + rowEnd + "Quen  " + c[4] + separator + "You   " + c[5] + rowEnd + "Morvid  " + c[6] + separator + "You   "
        + c[7] + rowEnd + rowEnd + "Total " + std::to_string(computer) + separator + "Total " + std::to_string(human);
}

bool Game::NoFileCheck()
{
    return statisticsFileMissing(statisticsPath(window_.programFolder()));
}

void Game::StatisticsMenu_Click()
{
    if (NoFileCheck()) {
        window_.messageBox("Unable to create statistics files");
        return;
    }
    const auto counters = readCounters(statisticsPath(window_.programFolder()));
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
    const fs::path file = statisticsPath(window_.programFolder());
    auto counters = readCounters(file);
    if (!counters)
        return; // an unreadable file is left as it is rather than overwritten

    int row = -1;
    if (menus_.checked(MenuItem::CommonSenseMenu))
        row = 0;
    else if (menus_.checked(MenuItem::EvaluateMenu))
        row = 2;
    else if (menus_.checked(MenuItem::MiniMaxMenu))
        row = 4;
    else if (menus_.checked(MenuItem::AlphaBetaMenu))
        row = 6;
    if (row >= 0) {
        const int counter = computerWon ? row : row + 1;
        (*counters)[counter] = std::to_string(counterValue((*counters)[counter]) + 1);
    }
    writeCounters(file, *counters);
}

} // namespace vornix

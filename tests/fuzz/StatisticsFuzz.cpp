// Fuzzes the statistics file: any bytes as the file, then the report and the recording of a game.
//
// A file the reader refuses must be left exactly as it was; a file it reads must report totals
// that are the sums of its counters, and recording a game must add one to exactly the chosen
// counter and leave a file that reads back.
#include "FileTrouble.h"
#include "storage/Statistics.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

using namespace vornix;
using namespace vornix::testing;
namespace fs = std::filesystem;

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

const fs::path& file()
{
    static const fs::path made = [] {
        const fs::path memory = "/dev/shm";
        const fs::path folder = (fs::is_directory(memory) ? memory : fs::temp_directory_path())
            / ("vornix-fuzz-statistics-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        return statisticsPath(folder);
    }();
    return made;
}

std::string contents()
{
    return readText(file());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string written(reinterpret_cast<const char*>(data), size);
    writeAll(file(), written);
    // The last byte picks the counter the game adds to, or none: the fifth persona's game.
    const int pick = size == 0 ? kCounterCount : data[size - 1] % (kCounterCount + 1);
    const std::optional<int> counter = pick < kCounterCount ? std::optional<int>(pick) : std::nullopt;

    const auto before = readCounters(file());
    if (before) {
        std::int64_t computer = 0;
        std::int64_t human = 0;
        for (int n = 0; n < kCounterCount; ++n) {
            const std::int64_t value = counterValue((*before)[n]);
            check(-kMaxCounter <= value && value <= kMaxCounter, "a counter read beyond the limit");
            check((*before)[n].find('\n') == std::string::npos, "a counter holds a line break");
            (n % 2 == 0 ? computer : human) += value;
        }
        const std::string report = statisticsReport(*before);
        const std::string totals = "\n\r\n\rTotal " + std::to_string(computer) + "   -  Total " + std::to_string(human);
        check(report.ends_with(totals), "the report's totals are not the counters' sums");
    }

    countGame(file(), counter);
    const std::string after = contents();
    if (!before) {
        check(after == written, "an unreadable file was changed");
        return 0;
    }
    if (counter && counterValue((*before)[*counter]) >= kMaxCounter) {
        check(after == written, "a full counter was changed");
        return 0;
    }
    const auto reread = readCounters(file());
    bool counted = reread.has_value();
    for (int n = 0; counted && n < kCounterCount; ++n)
        counted = counterValue((*reread)[n]) == counterValue((*before)[n]) + (counter == n ? 1 : 0);
    if (!counted) {
        // Only a file too long to read back once quoted may be left as it was.
        std::size_t quoted = 1;
        for (const std::string& text : *before)
            quoted += text.size() + 4;
        check(after == written && quoted > kMaxStatisticsBytes, "recording did not add one to the counter alone");
    }
    return 0;
}

// Fuzzes the reader of a player's solved puzzles: whatever the file holds, what is read is a list of
// distinct keys of 64 '.', 'O' and 'X', and writing it out reads back the same.
#include "puzzles/Puzzles.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

using namespace vornix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> keys = readSolved(std::string_view(reinterpret_cast<const char*>(data), size));
    for (std::size_t n = 0; n < keys.size(); ++n)
        if (keys[n].size() != kCells || keys[n].find_first_not_of(".OX") != std::string::npos
            || std::count(keys.begin(), keys.end(), keys[n]) != 1)
            std::abort();
    if (readSolved(writeSolved(keys)) != keys)
        std::abort();
    return 0;
}

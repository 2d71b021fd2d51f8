// Fuzzes the reader of typed placements: any text is refused, or read as distinct cells that name
// themselves back the same, whose board is an unfinished game with crosses to move.
#include "game/Notation.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace vornix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto cells = readCells(text);
    if (!cells)
        return 0;
    std::string names;
    for (int cell : *cells) {
        if (cell < 0 || cell >= kCells)
            std::abort();
        names += cellName(cell) + ' ';
    }
    if (readCells(names) != cells)
        std::abort();
    if (const auto grid = boardAfter(*cells)) {
        const auto crosses = std::count(grid->begin(), grid->end(), kCross);
        const auto noughts = std::count(grid->begin(), grid->end(), kNought);
        if (gameFinished(*grid) || noughts + crosses != static_cast<long>(cells->size()) || noughts - crosses > 1
            || noughts < crosses)
            std::abort();
    }
    return 0;
}

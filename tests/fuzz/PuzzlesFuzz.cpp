// Fuzzes the reader of the puzzle file: any text is refused with a reason and no puzzles, or read as
// puzzles whose cells are distinct cells of the board, whose move is free, and which read back the
// same once written.
#include "puzzles/Puzzles.h"

#include <bit>
#include <cstdlib>
#include <string_view>

using namespace vornix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const PuzzleSet set = readPuzzles(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!set.error.empty() && !set.puzzles.empty())
        std::abort();
    for (const Puzzle& p : set.puzzles) {
        const Sides s = p.position();
        if ((s.mine & s.theirs) != 0 || std::popcount(s.mine | s.theirs) != static_cast<int>(p.placements.size())
            || ((s.mine | s.theirs) >> p.move & 1U) != 0 || p.grade < 1 || p.grade > kMaxGrade)
            std::abort();
    }
    if (set.error.empty() && readPuzzles(writePuzzles(set.puzzles)).puzzles != set.puzzles)
        std::abort();
    return 0;
}

// Making puzzles: games between personas are played, and the positions in them where the side to
// move has a forced win, but none in one, are graded and proved; one position of each kind up to the
// cube's symmetries is kept, the grades filled evenly, those with a single winning move first.
#pragma once

#include "puzzles/Puzzles.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vornix {

// The grades made, from the first to the last: a forced win in two placements up to seven.
inline constexpr int kFirstGrade = 2;
inline constexpr int kLastGrade = 7;

// `count` puzzles from games whose seeds follow from `seed`, numbered from 1 by grade; said() hears
// a line of progress now and then, and may stop the work by answering false (the puzzles found
// so far are returned).
std::vector<Puzzle> generatePuzzles(int count, std::uint64_t seed,
                                    const std::function<bool(const std::string&)>& said);

} // namespace vornix

// The marks beyond the captions: the cells of completed lines and the computer's latest cross.
#include "game/Game.h"

namespace vornix {

void Game::refreshMarks()
{
    BoardMarks marks;
    for (const Line& line : kLines) {
        const std::int32_t sum = st_.GridContents[line[0]] + st_.GridContents[line[1]] + st_.GridContents[line[2]]
            + st_.GridContents[line[3]];
        if (sum == 4 * kNought || sum == 4 * kCross)
            for (int cell : line)
                marks.lineCells |= std::uint64_t{1} << cell;
    }
    if (latestCross_ >= 0 && st_.GridContents[latestCross_] == kCross)
        marks.latestCross = latestCross_;
    window_.showMarks(marks);
}

void Game::clearLatestCross()
{
    latestCross_ = -1;
}

} // namespace vornix

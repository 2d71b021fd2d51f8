#include "game/Symmetries.h"

#include <algorithm>
#include <set>

namespace vornix {

namespace {

std::vector<CellPermutation> findAutomorphisms()
{
    std::set<std::array<std::uint8_t, 4>> lines;
    for (Line line : kLines) {
        std::sort(line.begin(), line.end());
        lines.insert(line);
    }
    // Each coordinate is relabelled by a permutation of 0..3 that keeps the pairs {0, 3} and {1, 2}
    // (the only ones that keep the diagonals diagonal), and the axes are permuted.
    std::vector<std::array<int, 4>> relabellings;
    std::array<int, 4> p{0, 1, 2, 3};
    do {
        if (p[3] == 3 - p[0] && p[2] == 3 - p[1])
            relabellings.push_back(p);
    } while (std::next_permutation(p.begin(), p.end()));

    std::vector<CellPermutation> found;
    std::array<int, 3> axes{0, 1, 2};
    do {
        for (const auto& pi : relabellings)
            for (const auto& pj : relabellings)
                for (const auto& pk : relabellings) {
                    CellPermutation map{};
                    for (int n = 0; n < kCells; ++n) {
                        const Coord c = coordOf(n);
                        const std::array<int, 3> from{pi[c.i], pj[c.j], pk[c.k]};
                        map[n] = static_cast<std::uint8_t>(cellIndex(from[axes[0]], from[axes[1]], from[axes[2]]));
                    }
                    const bool keepsLines = std::all_of(kLines.begin(), kLines.end(), [&](const Line& line) {
                        std::array<std::uint8_t, 4> image{map[line[0]], map[line[1]], map[line[2]], map[line[3]]};
                        std::sort(image.begin(), image.end());
                        return lines.count(image) == 1;
                    });
                    if (keepsLines)
                        found.push_back(map);
                }
    } while (std::next_permutation(axes.begin(), axes.end()));
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

} // namespace

const std::vector<CellPermutation>& lineAutomorphisms()
{
    static const std::vector<CellPermutation> all = findAutomorphisms();
    return all;
}

std::vector<CellPermutation> stabiliserOf(const Grid& grid)
{
    std::vector<CellPermutation> kept;
    for (const CellPermutation& map : lineAutomorphisms()) {
        bool same = true;
        for (int n = 0; n < kCells && same; ++n)
            same = grid[map[n]] == grid[n];
        if (same)
            kept.push_back(map);
    }
    return kept;
}

} // namespace vornix

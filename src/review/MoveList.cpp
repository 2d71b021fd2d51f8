#include "review/MoveList.h"

namespace vornix {

std::vector<Placement> placementsOf(const Grid* positions, int count, const Placer* placers)
{
    std::vector<Placement> list;
    for (int n = 1; n <= count; ++n) {
        const Grid& before = positions[n - 1];
        const Grid& after = positions[n];
        int filled = -1;
        bool swapped = false;
        bool same = false;
        bool sound = true;
        for (int cell = 0; cell < kCells && sound; ++cell) {
            if (before[cell] == after[cell]) {
                same = same || before[cell] != kEmpty;
            } else if (before[cell] == kEmpty && filled < 0 && after[cell] != kEmpty) {
                filled = cell;
            } else if (before[cell] != kEmpty && after[cell] != kEmpty) {
                swapped = true;
            } else {
                sound = false;
            }
        }
        // A swap turns every man over, so none keeps its side.
        if (!sound || filled < 0 || (swapped && same))
            break;
        Placement p;
        p.cell = filled;
        p.side = after[filled];
        p.placer = placers[n - 1];
        p.afterSwap = swapped;
        // After a swap the sides' turns start afresh.
        p.extraGo = !list.empty() && !swapped && list.back().side == p.side;
        list.push_back(p);
    }
    return list;
}

std::int32_t sideToMoveAfter(const std::vector<Placement>& list, std::size_t number)
{
    if (number < list.size())
        return list[number].side;
    if (number == 0 || list.empty())
        return kNought;
    return list[number - 1].side == kNought ? kCross : kNought;
}

std::string spokenPlace(int cell)
{
    const Coord c = coordOf(cell);
    return "layer " + std::to_string(c.k + 1) + ", row " + std::to_string(c.j + 1) + ", column "
        + std::to_string(c.i + 1);
}

std::string placementRow(int number, const Placement& placement)
{
    std::string row = std::to_string(number) + ". " + (placement.side == kCross ? "Crosses: " : "Noughts: ")
        + spokenPlace(placement.cell);
    if (placement.placer == Placer::Computer)
        row += " (computer)";
    if (placement.extraGo)
        row += " (extra go)";
    if (placement.afterSwap)
        row += " (after a swap)";
    return row;
}

} // namespace vornix

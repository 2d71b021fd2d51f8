#include "ai/SymmetryTables.h"

#include "game/Symmetries.h"

#include <array>
#include <vector>

namespace vornix {

namespace {

// Each symmetry as eight tables, one per byte of a set of cells: the image of that byte's cells.
using ByteTables = std::array<std::array<Cells, 256>, 8>;

struct SymmetryTables {
    std::vector<ByteTables> bytes;

    SymmetryTables()
    {
        for (const CellPermutation& map : lineAutomorphisms()) {
            ByteTables table{};
            for (int b = 0; b < 8; ++b)
                for (int value = 0; value < 256; ++value)
                    for (int bit = 0; bit < 8; ++bit)
                        if (value & (1 << bit))
                            table[b][value] |= cellBit(map[b * 8 + bit]);
            bytes.push_back(table);
        }
    }
};

const SymmetryTables& symmetryTables()
{
    static const SymmetryTables tables;
    return tables;
}

Cells image(const ByteTables& table, Cells cells)
{
    Cells out = 0;
    for (int b = 0; b < 8; ++b)
        out |= table[b][(cells >> (8 * b)) & 0xFF];
    return out;
}

} // namespace

Sides canonical(Sides s)
{
    Sides best = s;
    for (const ByteTables& table : symmetryTables().bytes) {
        // The side to move's cells decide first: most images lose on them alone.
        const Cells mine = image(table, s.mine);
        if (mine > best.mine)
            continue;
        const Cells theirs = image(table, s.theirs);
        if (mine < best.mine || theirs < best.theirs)
            best = {mine, theirs};
    }
    return best;
}

Cells distinctMoves(Sides s, Cells moves)
{
    Cells kept = moves;
    for (const ByteTables& table : symmetryTables().bytes) {
        if (image(table, s.mine) != s.mine || image(table, s.theirs) != s.theirs)
            continue;
        for (Cells left = kept; left != 0; left &= left - 1) {
            const Cells move = left & (0 - left);
            const Cells twin = image(table, move);
            if (twin < move && (twin & kept) != 0)
                kept &= ~move;
        }
    }
    return kept;
}

int cellOfImage(Sides s, Sides imageOfS, int imageCell)
{
    for (const ByteTables& table : symmetryTables().bytes) {
        if (image(table, s.mine) != imageOfS.mine || image(table, s.theirs) != imageOfS.theirs)
            continue;
        for (int cell = 0; cell < kCells; ++cell)
            if (image(table, cellBit(cell)) == cellBit(imageCell))
                return cell;
    }
    return -1;
}

} // namespace vornix

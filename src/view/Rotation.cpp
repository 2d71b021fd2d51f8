#include "view/Rotation.h"

#include "game/Game.h"
#include "game/LeadingNumber.h"

namespace vornix {

Coord sourceOf(Symmetry symmetry, Coord t)
{
    const auto [i, j, k] = t;
    switch (symmetry) {
    case Symmetry::XClockwise: return {i, k, 3 - j};
    case Symmetry::XAntiClockwise: return {i, 3 - k, j};
    case Symmetry::YClockwise: return {3 - k, j, i};
    case Symmetry::YAntiClockwise: return {k, j, 3 - i};
    case Symmetry::ZClockwise: return {j, 3 - i, k};
    case Symmetry::ZAntiClockwise: return {3 - j, i, k};
    case Symmetry::MirrorX: return {3 - i, j, k};
    case Symmetry::MirrorY: return {i, 3 - j, k};
    case Symmetry::MirrorZ: return {i, j, 3 - k};
    }
    return t;
}

Grid transformed(const Grid& grid, Symmetry symmetry)
{
    Grid scratch{};
    for (int n = 0; n < kCells; ++n)
        scratch[n] = grid[cellIndex(sourceOf(symmetry, coordOf(n)))];
    return scratch;
}

Symmetry symmetryOf(char axis, bool clockwise, bool mirror)
{
    switch (axis) {
    case 'x': return clockwise ? Symmetry::XClockwise : mirror ? Symmetry::MirrorX : Symmetry::XAntiClockwise;
    case 'y': return clockwise ? Symmetry::YClockwise : mirror ? Symmetry::MirrorY : Symmetry::YAntiClockwise;
    default: return clockwise ? Symmetry::ZClockwise : mirror ? Symmetry::MirrorZ : Symmetry::ZAntiClockwise;
    }
}

void Game::RotateAxis(const std::string& axis, bool clockwise, bool Mirror)
{
    // A search keeps its own copy of the board, but the move it plays must land on the board it
    // searched: the view stays put until the computer has moved.
    if (busy())
        return;
    const Symmetry symmetry = symmetryOf(axis.empty() ? 'z' : axis[0], clockwise, Mirror);
    const Grid old = st_.GridContents;
    st_.GridContents = transformed(old, symmetry);
    for (int n = 0; n < kCells; ++n)
        window_.setCellCaption(n, std::to_string(st_.GridContents[n]));
    UpdateGridContentsFromDisplay();

    // The marks go with their pieces.
    auto moved = [&](int cell) {
        for (int n = 0; cell >= 0 && n < kCells; ++n)
            if (cellIndex(sourceOf(symmetry, coordOf(n))) == cell)
                return n;
        return cell;
    };
    latestCross_ = moved(latestCross_);
    hint_ = moved(hint_);
    // The move list and a review name the cells of every recorded position as they stand now.
    for (auto& view : shownAt_)
        for (std::int8_t& cell : view)
            cell = static_cast<std::int8_t>(moved(cell));
    refreshMarks();
}

void Game::UpdateGridContentsFromDisplay()
{
    for (int n = 0; n < kCells; ++n) {
        const std::int64_t read = leadingWhole(window_.cellCaption(n), Rounding::Down);
        const std::int32_t value = read == kCross ? kCross : read == kNought ? kNought : kEmpty;
        st_.GridContents[n] = value;
        if (value == kCross) {
            window_.setCellCaption(n, "X");
            window_.setCellPointer(n, Pointer::Arrow);
        } else if (value == kNought) {
            window_.setCellCaption(n, "O");
            window_.setCellPointer(n, Pointer::Arrow);
        } else {
            window_.setCellCaption(n, "");
            window_.setCellPointer(n, Pointer::Piece);
        }
    }
}

void Game::UpdateDisplayFromGridContents()
{
    for (int cell : kVisitOrder)
        window_.setCellCaption(cell, captionOf(st_.GridContents[cell]));
}

void Game::XClockMenu_Click() { RotateAxis("x", true, false); }
void Game::XAClockMenu_Click() { RotateAxis("x", false, false); }
void Game::YClockMenu_Click() { RotateAxis("y", true, false); }
void Game::YAClockMenu_Click() { RotateAxis("y", false, false); }
void Game::ZClockMenu_Click() { RotateAxis("z", true, false); }
void Game::ZAClockMenu_Click() { RotateAxis("z", false, false); }
void Game::MirrorXYMenu_Click() { RotateAxis("z", false, true); }
void Game::MirrorXZMenu_Click() { RotateAxis("y", false, true); }
void Game::MirrorYZMenu_Click() { RotateAxis("x", false, true); }

} // namespace vornix

// Where the board's parts stand in a board area of any size: the original layout, designed in
// twips (15 a pixel) for an area of 428 by 335 pixels, scaled by one factor and centred, never
// smaller than designed. Painting, clicks and the keyboard all take their cells from here.
#pragma once

#include "game/Board.h"

#include <algorithm>

namespace vornix {

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(PixelRect, PixelRect) = default;
};

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kBoardWidth = 6420 / kTwipsPerPixel;
inline constexpr int kBoardHeight = 5025 / kTwipsPerPixel;

struct BoardFit {
    double scale = 1.0;
    int left = 0; // where the designed area's corner lands
    int top = 0;

    // A rectangle of the design, in twips, where it lands.
    constexpr PixelRect place(int leftTwips, int topTwips, int widthTwips, int heightTwips) const
    {
        auto at = [this](int twips) { return static_cast<int>(twips * scale / kTwipsPerPixel + 0.5); };
        return {left + at(leftTwips), top + at(topTwips), at(leftTwips + widthTwips) - at(leftTwips),
                at(topTwips + heightTwips) - at(topTwips)};
    }
};

// The largest scale at which the design fits the area, at least 1, with the design centred.
constexpr BoardFit fitBoard(int width, int height)
{
    const double scale = std::max(1.0, std::min(static_cast<double>(width) / kBoardWidth,
                                                 static_cast<double>(height) / kBoardHeight));
    return {scale, std::max(0, static_cast<int>((width - kBoardWidth * scale) / 2)),
            std::max(0, static_cast<int>((height - kBoardHeight * scale) / 2))};
}

// A cell's label: the layers stand as a staircase, each cell 375 by 495 twips on a pitch of 360 by
// 480, so that neighbours share a border.
constexpr PixelRect cellBox(int index, const BoardFit& fit)
{
    constexpr int kLayerLeft[] = {120, 1680, 3240, 4800};
    constexpr int kLayerTop[] = {120, 1080, 2040, 2880};
    const Coord c = coordOf(index);
    return fit.place(kLayerLeft[c.k] + 360 * c.i, kLayerTop[c.k] + 480 * c.j, 375, 495);
}

} // namespace vornix

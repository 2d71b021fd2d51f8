// The pictures the program draws itself: the rippled background, the window icon, the two piece
// cursors.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>

namespace vornix::qt {

// Blue concentric ripples, 436 x 329 pixels.
QImage backgroundRipples();

QIcon gameIcon();

// 32 x 32 pixels with the hot spot at (15, 15): a ring for noughts, an X for crosses.
QCursor noughtCursor();
QCursor crossCursor();

} // namespace vornix::qt

#include "qt/Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

// The pictures compiled into the program; a static library's resources are registered by hand.
static void initArtwork()
{
    Q_INIT_RESOURCE(vornix);
}

namespace vornix::qt {

QImage backgroundRipples()
{
    constexpr int kWidth = 436;
    constexpr int kHeight = 329;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    // Two sources of rings, as if two pebbles had fallen into a pool.
    const double ax = 150.0, ay = 120.0, bx = 330.0, by = 250.0;
    for (int y = 0; y < kHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            const double a = std::hypot(x - ax, y - ay);
            const double b = std::hypot(x - bx, y - by);
            const double wave = 0.6 * std::sin(a / 6.0) / (1.0 + a / 260.0) + 0.4 * std::sin(b / 5.0) / (1.0 + b / 200.0);
            const int shade = static_cast<int>(40.0 * wave);
            line[x] = qRgb(qBound(0, 70 + shade, 255), qBound(0, 140 + shade, 255), qBound(0, 225 + shade / 2, 255));
        }
    }
    return image;
}

// The icon the desktop shows for the installed game, at every size it was drawn in.
QIcon gameIcon()
{
    initArtwork();
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}

namespace {

QCursor pieceCursor(bool nought)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A dark outline under a light stroke keeps the cursor visible on every cell colour.
    for (const auto& [width, colour] : {std::pair{5.0, QColor(Qt::black)}, std::pair{2.5, QColor(Qt::white)}}) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        if (nought) {
            p.drawEllipse(QPointF(15, 15), 10, 10);
        } else {
            p.drawLine(QPointF(6, 6), QPointF(24, 24));
            p.drawLine(QPointF(24, 6), QPointF(6, 24));
        }
    }
    return QCursor(pixmap, 15, 15);
}

} // namespace

QCursor noughtCursor()
{
    return pieceCursor(true);
}

QCursor crossCursor()
{
    return pieceCursor(false);
}

} // namespace vornix::qt

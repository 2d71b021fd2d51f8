#include "qt/Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

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

QIcon gameIcon()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Three stacked layers of the cube, a nought and a cross on them.
    for (int layer = 0; layer < 3; ++layer) {
        QPolygonF plate;
        const double y = 14 + layer * 16;
        plate << QPointF(8, y + 8) << QPointF(32, y) << QPointF(56, y + 8) << QPointF(32, y + 16);
        p.setPen(QPen(QColor(20, 40, 120), 2));
        p.setBrush(QColor(200 - 60 * layer, 200, 60 * layer));
        p.drawPolygon(plate);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 200), 3));
    p.drawEllipse(QPointF(24, 22), 6, 4);
    p.setPen(QPen(QColor(200, 0, 0), 3));
    p.drawLine(QPointF(34, 50), QPointF(44, 56));
    p.drawLine(QPointF(44, 50), QPointF(34, 56));
    return QIcon(pixmap);
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

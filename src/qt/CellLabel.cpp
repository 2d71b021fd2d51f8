#include "qt/CellLabel.h"

#include <QMouseEvent>
#include <QPainter>

namespace vornix::qt {

namespace {

int gameButtons(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
        | (buttons & Qt::MiddleButton ? 4 : 0);
}

} // namespace

CellLabel::CellLabel(int index, QWidget* parent)
    : QWidget(parent), index_(index), font_(QStringLiteral("Arial"), 22)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CellLabel::setCaption(const QString& caption)
{
    if (caption_ != caption) {
        caption_ = caption;
        update();
    }
}

void CellLabel::setBackground(const QColor& colour)
{
    if (background_ != colour) {
        background_ = colour;
        update();
    }
}

void CellLabel::setForeground(const QColor& colour)
{
    if (foreground_ != colour) {
        foreground_ = colour;
        update();
    }
}

void CellLabel::setFontFace(const QString& face)
{
    font_.setFamily(face);
    update();
}

void CellLabel::setMarks(bool onCompletedLine, bool latestCross)
{
    if (onLine_ != onCompletedLine || latest_ != latestCross) {
        onLine_ = onCompletedLine;
        latest_ = latestCross;
        update();
    }
}

void CellLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), background_);
    // A single flat border; neighbouring cells overlap by one pixel so their borders share a line.
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (onLine_) {
        // A completed line stands out in white, which no cell's own colours come near.
        p.setPen(QPen(Qt::white, 3));
        p.drawRect(rect().adjusted(2, 2, -2, -2));
    }
    QFont font = font_;
    font.setBold(latest_);
    p.setFont(font);
    p.setPen(foreground_);
    p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, caption_);
}

void CellLabel::mousePressEvent(QMouseEvent* event)
{
    emit pressed(index_, gameButtons(event->buttons()));
}

void CellLabel::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(index_, gameButtons(event->buttons()));
}

void CellLabel::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(index_, gameButtons(event->button()));
}

} // namespace vornix::qt

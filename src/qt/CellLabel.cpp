#include "qt/CellLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

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
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QString::fromStdString(spokenCell(index_, "")));
}

void CellLabel::setCaption(const QString& caption)
{
    if (caption_ != caption) {
        caption_ = caption;
        setAccessibleName(QString::fromStdString(spokenCell(index_, caption_.toStdString())));
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

void CellLabel::setMarks(bool onCompletedLine, bool latestCross, bool hint)
{
    if (onLine_ != onCompletedLine || latest_ != latestCross || hint_ != hint) {
        onLine_ = onCompletedLine;
        latest_ = latestCross;
        hint_ = hint;
        update();
    }
}

void CellLabel::setScale(double scale)
{
    if (scale_ != scale) {
        scale_ = scale;
        update();
    }
}

void CellLabel::paintEvent(QPaintEvent*)
{
    // Every size below is the designed one times the scale, so that a larger board looks the same.
    const auto px = [this](double designed) { return std::max(1, static_cast<int>(designed * scale_ + 0.5)); };
    QPainter p(this);
    p.fillRect(rect(), background_);
    // A single flat border; neighbouring cells overlap so that their borders share a line.
    const int border = px(1);
    p.fillRect(QRect(0, 0, width(), border), Qt::black);
    p.fillRect(QRect(0, height() - border, width(), border), Qt::black);
    p.fillRect(QRect(0, 0, border, height()), Qt::black);
    p.fillRect(QRect(width() - border, 0, border, height()), Qt::black);
    if (onLine_) {
        // A completed line stands out in white, which no cell's own colours come near.
        p.setPen(QPen(Qt::white, px(3)));
        p.drawRect(rect().adjusted(px(2), px(2), -px(2), -px(2)));
    }
    if (hint_) {
        // A hint: a ring where the piece would go, dark inside light to show on every colour.
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, px(5)));
        p.drawEllipse(QRectF(rect()).center(), 7 * scale_, 7 * scale_);
        p.setPen(QPen(Qt::darkGreen, px(3)));
        p.drawEllipse(QRectF(rect()).center(), 7 * scale_, 7 * scale_);
    }
    QFont font = font_;
    font.setPointSizeF(font_.pointSizeF() * scale_);
    font.setBold(latest_);
    p.setFont(font);
    p.setPen(foreground_);
    p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, caption_);
    if (hasFocus()) {
        // Black outside white: one of the two stands out on any colour a cell or a font can take.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(Qt::black, px(2)));
        p.drawRect(rect().adjusted(px(1), px(1), -px(1), -px(1)));
        p.setPen(QPen(Qt::white, px(1)));
        p.drawRect(rect().adjusted(px(2), px(2), -px(3), -px(3)));
    }
}

int CellLabel::cellUnder(QPointF position) const
{
    const QWidget* under = parentWidget()->childAt(mapToParent(position.toPoint()));
    const auto* cell = qobject_cast<const CellLabel*>(under);
    return cell ? cell->index() : -1;
}

void CellLabel::mousePressEvent(QMouseEvent* event)
{
    emit pressed(index_, gameButtons(event->buttons()));
}

// While a button is held the pressed cell hears every move, wherever the pointer goes.
void CellLabel::mouseMoveEvent(QMouseEvent* event)
{
    const int under = cellUnder(event->position());
    if (under < 0)
        emit leftTheCells();
    else
        emit moved(under, gameButtons(event->buttons()));
}

void CellLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const int under = cellUnder(event->position());
    if (under < 0)
        emit leftTheCells(); // let go away from the board: like any button, nothing happens
    else
        emit released(under, gameButtons(event->button()));
}

void CellLabel::leaveEvent(QEvent*)
{
    emit leftTheCells();
}

void CellLabel::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Left: emit stepped(index_, FocusStep::Left); return;
    case Qt::Key_Right: emit stepped(index_, FocusStep::Right); return;
    case Qt::Key_Up: emit stepped(index_, FocusStep::Up); return;
    case Qt::Key_Down: emit stepped(index_, FocusStep::Down); return;
    case Qt::Key_PageUp: emit stepped(index_, FocusStep::LayerUp); return;
    case Qt::Key_PageDown: emit stepped(index_, FocusStep::LayerDown); return;
    case Qt::Key_Home: emit stepped(index_, FocusStep::Home); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (modifiers == Qt::NoModifier)
            emit released(index_, 1);
        else if (modifiers == Qt::ShiftModifier)
            emit released(index_, 2);
        else if (modifiers == Qt::ControlModifier)
            emit released(index_, 4);
        return;
    default: QWidget::keyPressEvent(event);
    }
}

void CellLabel::focusInEvent(QFocusEvent*)
{
    update();
    emit focused(index_);
}

void CellLabel::focusOutEvent(QFocusEvent*)
{
    update();
}

} // namespace vornix::qt

// One cell of the board: a caption on its own colours with a flat border, drawn by itself so that
// the marks of a completed line and of the computer's latest cross can be added.
#pragma once

#include "view/KeyboardFocus.h"

#include <QColor>
#include <QFont>
#include <QWidget>

namespace vornix::qt {

class CellLabel : public QWidget {
    Q_OBJECT

public:
    CellLabel(int index, QWidget* parent);

    int index() const { return index_; }
    QString caption() const { return caption_; }
    QColor background() const { return background_; }
    QColor foreground() const { return foreground_; }
    QString fontFace() const { return font_.family(); }
    bool onCompletedLine() const { return onLine_; }
    bool isLatestCross() const { return latest_; }
    bool isHint() const { return hint_; }

    void setCaption(const QString& caption);
    void setBackground(const QColor& colour);
    void setForeground(const QColor& colour);
    void setFontFace(const QString& face);
    void setMarks(bool onCompletedLine, bool latestCross, bool hint);
    // How much larger than designed the board is drawn: the caption's font, the frames and the
    // hint ring grow with it.
    void setScale(double scale);

signals:
    // Buttons as the game counts them: 1 left, 2 right, 4 middle, summed while held. The index is
    // the cell under the pointer, which a drag may have taken off the pressed one.
    void pressed(int index, int buttons);
    void moved(int index, int buttons);
    // A button let go over a cell, or Enter or Space on the focused one (Shift: right, Ctrl: middle).
    void released(int index, int button);
    // The pointer is off the cells, or a button was let go away from them.
    void leftTheCells();
    // The keyboard focus arrived on this cell, or is asked to move on from it.
    void focused(int index);
    void stepped(int index, FocusStep step);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The index of the cell under a point of this cell's own coordinates, or -1.
    int cellUnder(QPointF position) const;

    int index_;
    QString caption_;
    QColor background_;
    QColor foreground_;
    QFont font_;
    bool onLine_ = false;
    bool latest_ = false;
    bool hint_ = false;
    double scale_ = 1.0;
};

} // namespace vornix::qt

// One cell of the board: a caption on its own colours with a flat border, drawn by itself so that
// the marks of a completed line and of the computer's latest cross can be added.
#pragma once

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

    void setCaption(const QString& caption);
    void setBackground(const QColor& colour);
    void setForeground(const QColor& colour);
    void setFontFace(const QString& face);
    void setMarks(bool onCompletedLine, bool latestCross);

signals:
    // Buttons as the game counts them: 1 left, 2 right, 4 middle, summed while held.
    void pressed(int index, int buttons);
    void moved(int index, int buttons);
    void released(int index, int button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int index_;
    QString caption_;
    QColor background_;
    QColor foreground_;
    QFont font_;
    bool onLine_ = false;
    bool latest_ = false;
};

} // namespace vornix::qt

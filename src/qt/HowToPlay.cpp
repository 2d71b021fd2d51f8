#include "qt/HowToPlay.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornix::qt {

HowToPlay::HowToPlay(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("How to play"));
    const QStringList paragraphs{
        QStringLiteral("This is ordinary noughts and crosses taken into the third dimension. Play is in a four by "
                       "four by four cube, shown as four 4x4 layers stacked on top of each other. You place a nought, "
                       "the computer then places a cross, and so on alternately until one side has four in a row "
                       "along any line or diagonal, within a layer or through the layers."),
        QStringLiteral("You can also play from the keyboard: the arrow keys move the framed cell along its layer, "
                       "Page Up and Page Down move it between the layers, and Enter or Space places your nought. "
                       "Shift+Enter places a nought without a reply, and Ctrl+Enter a cross, as the right and "
                       "middle mouse buttons do."),
        QStringLiteral("You can rotate the angle at which you view the board if this helps you get your head around "
                       "the 3D concept."),
        QStringLiteral("The funny fonts option gives each square a different (random) font which increases viewing "
                       "pleasure at the expense of making the state of the game less clear."),
        QStringLiteral("The opponents use different strategies. From the strongest to the weakest they are Zeddon, "
                       "Morvid, Quen, Tovi and Belwin. Zeddon looks for wins forced by threats, lines of three that "
                       "must be blocked at once, and never leaves you one it can see. With Morvid you can adjust the "
                       "search depth, but a high depth makes it think for longer."),
        QStringLiteral("Game, Hint (Ctrl+H) shows the cell Zeddon would take in your place, and tells you when you "
                       "can force a win. Like undo, a hint counts as bending the rules: the game is then not "
                       "recorded."),
        QStringLiteral("Good luck! The first player is proven to be able to force a win. If you still cannot win, "
                       "you may cheat by taking extra goes with the right and middle mouse buttons, but then the game "
                       "is not recorded in the statistics."),
    };
    auto* layout = new QVBoxLayout(this);
    for (const QString& text : paragraphs) {
        auto* label = new QLabel(text);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto* done = new QPushButton(QStringLiteral("Done"));
    connect(done, &QPushButton::clicked, this, &QDialog::hide);
    layout->addWidget(done, 0, Qt::AlignRight);
    setMinimumWidth(420);
}

} // namespace vornix::qt

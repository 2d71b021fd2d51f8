// Playing without a mouse, and the window's answers to the pointer's and the keyboard's edges.
#include "WindowHelpers.h"
#include "qt/OptionsDialog.h"
#include "qt/PuzzleChooser.h"

#include <QTreeWidget>
#include "puzzles/WinLength.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QTimer>
#include <QtTest>

using namespace vornix;
using namespace vornix::testing;
using vornix::qt::CellLabel;
using vornix::qt::MainWindow;

namespace {

const QColor kHoverBlue(0, 0, 255);

CellLabel* focusedCell()
{
    return qobject_cast<CellLabel*>(QApplication::focusWidget());
}

// A key as the player types it: to whatever has the focus.
void type(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

// Walks the focus to a cell with the arrows and the page keys.
void walkTo(int cell)
{
    const Coord to = coordOf(cell);
    for (int guard = 0; guard < 12 && focusedCell() && focusedCell()->index() != cell; ++guard) {
        const Coord at = coordOf(focusedCell()->index());
        if (at.k != to.k)
            type(at.k < to.k ? Qt::Key_PageDown : Qt::Key_PageUp);
        else if (at.j != to.j)
            type(at.j < to.j ? Qt::Key_Down : Qt::Key_Up);
        else
            type(at.i < to.i ? Qt::Key_Right : Qt::Key_Left);
    }
}

// Answers the next question (or message) with a key, as the player would, and remembers it.
void answerWithKey(QString& said, Qt::Key key, QObject* owner)
{
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, &said, key] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            said = box->text();
            QTest::keyClick(box, key);
            timer->deleteLater();
        }
    });
    timer->start(10);
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    // Ctrl+P, the chooser, a move that lets the win go taken back, then the win found with hints.
    void aPuzzleIsChosenFailedRetriedAndSolvedFromTheKeyboard()
    {
        auto w = openWindow();
        std::filesystem::remove(w->view().puzzleProgressFile()); // every puzzle unsolved
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(w.get(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(w->puzzleChooser() && w->puzzleChooser()->isVisible());
        QApplication::setActiveWindow(w->puzzleChooser()); // as the window manager would
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->puzzleChooser()->tree()));
        type(Qt::Key_Return); // the first unsolved puzzle
        QVERIFY(w->game().puzzleId() > 0);
        QVERIFY(w->statusLabel()->text().startsWith(QStringLiteral("Puzzle ")));
        const int before = pieces(*w);
        // A cell whose nought leaves no win within the grade, found as the game would judge it.
        const Grid board = w->game().state().GridContents;
        int bad = -1;
        WinLength length;
        for (int c = 0; c < kCells && bad < 0; ++c)
            if (board[c] == kEmpty && length.winsWithMove(sidesOf(board, kNought), c, 8) == std::optional<bool>(false))
                bad = c;
        QVERIFY(bad >= 0);
        QApplication::setActiveWindow(w.get()); // the chooser has closed
        w->cell(bad)->setFocus();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->cell(bad)));
        QString said;
        answerWithKey(said, Qt::Key_Return, w.get()); // Yes: take it back
        type(Qt::Key_Return);
        QCOMPARE(said, QStringLiteral("That lets crosses off the hook — try again?"));
        QCOMPARE(pieces(*w), before);
        QApplication::setActiveWindow(w.get()); // back from the question
        said.clear();
        answerWithKey(said, Qt::Key_Escape, w.get()); // No to the next puzzle, once solved
        for (int move = 0; move < 8 && said.isEmpty(); ++move) {
            type(Qt::Key_H, Qt::ControlModifier); // the hint takes the focus
            type(Qt::Key_Return);
        }
        QVERIFY(said.startsWith(QStringLiteral("Solved: puzzle ")));
    }

    void aWholeGameIsPlayedFromTheKeyboard()
    {
        auto w = openWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QVERIFY(focusedCell()); // the board has the focus from the start
        type(Qt::Key_B, Qt::ControlModifier); // Evaluating Belwin
        QVERIFY(w->action(MenuItem::EvaluateMenu)->isChecked());

        // What the player sees behind the end message, and the message itself, dismissed with Enter.
        QString said;
        QString captionBehind;
        int framedCells = 0;
        QTimer answer;
        connect(&answer, &QTimer::timeout, &answer, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                said = box->text();
                captionBehind = w->turnDisplay()->text();
                framedCells = 0;
                for (int c = 0; c < 64; ++c)
                    framedCells += w->cell(c)->onCompletedLine();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        answer.start(10);

        // Noughts down the first column of every layer in turn, wherever the computer leaves room.
        for (int move = 0; move < 32 && said.isEmpty(); ++move) {
            int target = -1;
            for (int c : {0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 60})
                if (target < 0 && w->cell(c)->caption().isEmpty())
                    target = c;
            for (int c = 0; target < 0 && c < 64; ++c)
                if (w->cell(c)->caption().isEmpty())
                    target = c;
            walkTo(target);
            QCOMPARE(focusedCell()->index(), target);
            type(Qt::Key_Return);
            QCOMPARE(w->cell(target)->caption(), QStringLiteral("O"));
        }
        QVERIFY2(said == QStringLiteral("Ho, ho, ho; I win") || said == QStringLiteral("Congratulations you beat me!"),
                 qPrintable(said));
        QCOMPARE(captionBehind, QStringLiteral("Turn: %1").arg(pieces(*w)));
        QCOMPARE(framedCells, 4);

        QTRY_VERIFY(focusedCell()); // back on the board once the message is gone
        type(Qt::Key_F2);
        QCOMPARE(pieces(*w), 0);
        QCOMPARE(w->turnDisplay()->text(), QStringLiteral("Turn: 0"));
        QVERIFY(focusedCell());
        type(Qt::Key_Space);
        QCOMPARE(pieces(*w), 2); // a nought and the computer's reply
        type(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(pieces(*w), 0);
        type(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(pieces(*w), 2);
    }

    // Each key's move from a cell, worked out on the cube by hand, and its hover colour.
    void theFocusMovesAsTheKeysSayAndHighlightsItsCell_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("right along i") << 0 << int(Qt::Key_Right) << 1;
        QTest::newRow("left at the edge stays") << 4 << int(Qt::Key_Left) << 4;
        QTest::newRow("down along j") << 1 << int(Qt::Key_Down) << 5;
        QTest::newRow("up at the edge stays") << 2 << int(Qt::Key_Up) << 2;
        QTest::newRow("page down to the next layer") << 5 << int(Qt::Key_PageDown) << 21;
        QTest::newRow("page up from the last layer") << 63 << int(Qt::Key_PageUp) << 47;
        QTest::newRow("page down at the last layer stays") << 50 << int(Qt::Key_PageDown) << 50;
        QTest::newRow("home") << 42 << int(Qt::Key_Home) << 0;
    }

    void theFocusMovesAsTheKeysSayAndHighlightsItsCell()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        auto w = openWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        w->cell(from)->setFocus();
        type(key);
        QCOMPARE(focusedCell()->index(), to);
        QCOMPARE(w->cell(to)->background(), kHoverBlue);
        if (to != from) // back to its own shade: red falls and blue rises along the cells
            QCOMPARE(w->cell(from)->background(), QColor(200 - 3 * from, 200, 3 * from));
    }

    void shiftAndControlWithEnterAreTheRightAndMiddleButtons()
    {
        auto w = openWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        type(Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(w->cell(0)->caption(), QStringLiteral("O"));
        QCOMPARE(pieces(*w), 1); // an extra go: no reply
        type(Qt::Key_Right);
        type(Qt::Key_Enter, Qt::ControlModifier);
        QCOMPARE(w->cell(1)->caption(), QStringLiteral("X"));
        QCOMPARE(pieces(*w), 2);
        QVERIFY(w->game().state().Cheated);
    }

    void aScreenReaderHearsEveryCellTheCaptionAndTheGauge()
    {
        auto w = openWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        auto name = [](QWidget* widget) { return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name); };
        QCOMPARE(name(w->cell(cellIndex(0, 2, 1))), QStringLiteral("Layer 2, row 3, column 1: empty"));
        w->game().cell_MouseUp(cellIndex(3, 0, 0), MouseButton::Right);
        w->game().cell_MouseUp(cellIndex(1, 3, 2), MouseButton::Middle);
        QCOMPARE(name(w->cell(cellIndex(3, 0, 0))), QStringLiteral("Layer 1, row 1, column 4: nought"));
        QCOMPARE(name(w->cell(cellIndex(1, 3, 2))), QStringLiteral("Layer 3, row 4, column 2: cross"));
        QAccessibleInterface* caption = QAccessible::queryAccessibleInterface(w->turnDisplay());
        QCOMPARE(caption->role(), QAccessible::StaticText);
        QCOMPARE(caption->text(QAccessible::Name), QStringLiteral("Turn: 2"));
        QAccessibleInterface* gauge = QAccessible::queryAccessibleInterface(w->progress());
        QCOMPARE(gauge->role(), QAccessible::ProgressBar);
        QCOMPARE(gauge->valueInterface()->currentValue().toInt(), 16);
    }

    void enterInAWeightBoxKeepsWhatWasTyped()
    {
        auto w = openWindow();
        w->action(MenuItem::EvaluatingOptionsMenu)->trigger();
        QLineEdit* box = w->optionsDialog()->box(0);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("33"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->text(), QStringLiteral("33"));
        QCOMPARE(w->optionsDialog()->box(1)->text(), QStringLiteral("40"));
        QCOMPARE(w->game().state().weights.OneNoughtWeight, 33);
    }

    void aPieceLandsWhereTheButtonIsLetGoAndNowhereOffTheBoard()
    {
        auto w = openWindow();
        w->action(MenuItem::EvaluateMenu)->trigger();
        CellLabel* pressed = w->cell(0);
        const QPoint overCell1 = w->cell(1)->geometry().center() - pressed->pos();
        mouse(QEvent::MouseButtonPress, pressed, {5, 5}, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, pressed, overCell1, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, pressed, overCell1, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(pressed->caption(), QString());
        QCOMPARE(pressed->background(), QColor(200, 200, 0));
        QCOMPARE(w->cell(1)->caption(), QStringLiteral("O"));

        // Let go over the ripples beside the board: nothing is placed, and nothing stays lit.
        CellLabel* other = w->cell(2);
        const QPoint offTheBoard(-other->pos().x() + 2, other->height() + 300);
        mouse(QEvent::MouseButtonPress, other, {5, 5}, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, other, offTheBoard, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(other->caption(), QString());
        QCOMPARE(other->background(), QColor(194, 200, 6));
        QCOMPARE(pieces(*w), 2);

        // Leaving the cells for the window's edge or the caption puts the lit cell's colour back.
        CellLabel* edge = w->cell(63);
        mouse(QEvent::MouseMove, edge, {5, 5}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(edge->background(), kHoverBlue);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(edge, &leave);
        QCOMPARE(edge->background(), QColor(11, 200, 189));
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"

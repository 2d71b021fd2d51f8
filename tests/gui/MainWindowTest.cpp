// The window as a user meets it: menus, cells, colours, clicks, dialogs and the end of the program.
#include "qt/AboutBox.h"
#include "WindowHelpers.h"
#include "qt/OptionsDialog.h"
#include "qt/SoundPlayer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QStatusBar>
#include <QComboBox>
#include <QRadioButton>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <algorithm>

using namespace vornix;
using namespace vornix::testing;
using vornix::qt::CellLabel;
using vornix::qt::MainWindow;

namespace {

// Answers the next message box with OK and remembers what it said.
void answerNextMessage(QString& said)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, &said] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            said = box->text();
            box->accept();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The whole menu bar as the program starts, a row per menu: each entry is its caption, then its
    // shortcut in brackets, "*" for a check mark, "(off)" when unavailable and ">" for a submenu;
    // "-" is a separator. The fifth persona's item is built unavailable, and starts unchecked so
    // that the marks agree with the opponent that plays.
    void theMenuBarIsTheGamesList_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("entries");
        QTest::newRow("bar") << "" << "&Game >|&Edit >|&Rotate View >|&Opponent >|&Options >|&Window >|&Help >";
        QTest::newRow("Edit") << "&Edit" << "Copy &position [Ctrl+C]|Copy &game [Ctrl+Shift+C]|&Paste [Ctrl+V]";
        QTest::newRow("Window") << "&Window" << "&Moves *|&Full screen [F11]";
        QTest::newRow("Game") << "&Game"
                              << "&New Game [F2; Ctrl+N]|Game &Type (for next game) >|Save Game State... [Ctrl+Shift+S]|"
                                 "Load Game State... [Ctrl+O]|-|&Undo Move [Del; Ctrl+Z] (off)|"
                                 "&Redo Move [Shift+Del; Ctrl+Shift+Z; Ctrl+Y] (off)|&Swap our men [Ctrl+S]|"
                                 "&Make computer take another turn [Ctrl+F]|&Hint [Ctrl+H]|&Analysis|&Puzzles... [Ctrl+P]|-|E&xit [Ctrl+Q]";
        QTest::newRow("Game Type") << "&Game|Game &Type (for next game)"
                                   << "H&uman plays first *|&Computer plays first|&Random plays first|-|"
                                      "Human v Human (&0 v X)|Human v Human (&X v 0)|Human v Human (Rando&m)|-|"
                                      "Com&puter versus computer [Ctrl+F12]";
        QTest::newRow("Rotate View") << "&Rotate View"
                                     << "&X axis clockwise [F3]|X axis anti-clockwise|-|&Y axis clockwise [F4]|"
                                        "Y axis anti-clockwise|-|&Z axis clockwise [F5]|Z axis anti-clockwise|-|"
                                        "&Mirror X-Y [F6]|Mirror X-Z|Mirror Y-Z";
        QTest::newRow("Opponent") << "&Opponent"
                                  << "Evaluating &Belwin [Ctrl+B]|Common Sense &Tovi [Ctrl+T]|MiniMaxing &Quen [Ctrl+U]|"
                                     "Alpha - Betaering &Morvid [Ctrl+M] *|C++ing &Snibbet [Ctrl+K] (off)|"
                                     "Threat-Spacing &Zeddon [Ctrl+D]|-|&Evaluating Options|Alpha - Beta search &depth >";
        QTest::newRow("Depth") << "&Opponent|Alpha - Beta search &depth" << "&1|&2|&3 *|&4|&5|&6";
        QTest::newRow("Options") << "&Options" << "&Funny Fonts|-|&Statistics";
        QTest::newRow("Help") << "&Help" << "&How To Play... [F1]|-|&About Vornix... [Ctrl+A]";
    }

    void theMenuBarIsTheGamesList()
    {
        QFETCH(QString, path);
        QFETCH(QString, entries);
        auto w = openWindow();
        QList<QAction*> actions = w->menuBar()->actions();
        for (const QString& step : path.split(u'|', Qt::SkipEmptyParts)) {
            const auto found = std::find_if(actions.begin(), actions.end(),
                                            [&](QAction* a) { return a->text() == step && a->menu(); });
            QVERIFY2(found != actions.end(), qPrintable(step));
            actions = (*found)->menu()->actions();
        }
        QStringList shown;
        for (QAction* a : actions) {
            QString entry = a->isSeparator() ? QStringLiteral("-") : a->text();
            if (!a->shortcuts().isEmpty())
                entry += " [" + QKeySequence::listToString(a->shortcuts(), QKeySequence::PortableText) + "]";
            entry += QString(a->isChecked() ? " *" : "") + (a->isEnabled() ? "" : " (off)") + (a->menu() ? " >" : "");
            shown << entry;
            QVERIFY(a->actionGroup() == nullptr); // check marks stand alone, not radio dots
        }
        QCOMPARE(shown.join(u'|'), entries);
    }

    void theCellsStandWhereTheLayoutPutsThemInTheirColoursAndLightUpUnderTheMouse()
    {
        auto w = openWindow();
        QCOMPARE(w->windowTitle(), QStringLiteral("3D Vornix"));
        QVERIFY(!w->windowIcon().isNull());
        QCOMPARE(w->centralWidget()->size(), QSize(428, 335));
        QCOMPARE(w->cell(0)->geometry(), QRect(8, 8, 25, 33));
        QCOMPARE(w->cell(cellIndex(1, 2, 1))->geometry(), QRect(112 + 24, 72 + 64, 25, 33));
        QCOMPARE(w->cell(63)->geometry(), QRect(320 + 72, 192 + 96, 25, 33));
        QCOMPARE(w->cell(0)->toolTip(), QStringLiteral("Go here"));
        QCOMPARE(w->progress()->maximum(), 16);
        QCOMPARE(w->cell(63)->background(), QColor(11, 200, 189));
        QCOMPARE(w->cell(63)->foreground(), QColor(189, 0, 11));
        mouse(QEvent::MouseMove, w->cell(5), {5, 5}, Qt::NoButton, Qt::NoButton);
        mouse(QEvent::MouseMove, w->cell(6), {5, 5}, Qt::NoButton, Qt::RightButton);
        QCOMPARE(w->cell(6)->background(), QColor(255, 0, 0));
        QCOMPARE(w->cell(5)->background(), QColor(185, 200, 15));
    }

    void aClickPlacesANoughtTheComputerRepliesAndATurnMovesThePieces()
    {
        auto w = openWindow();
        QTest::mouseClick(w->cell(21), Qt::LeftButton);
        QCOMPARE(w->cell(21)->caption(), QStringLiteral("O"));
        QCOMPARE(pieces(*w), 2);
        QCOMPARE(w->turnDisplay()->text(), QStringLiteral("Turn: 2"));
        QCOMPARE(w->progress()->value(), 16);
        QVERIFY(w->action(MenuItem::TakeBackMenu)->isEnabled());
        w->action(MenuItem::NewGameMenu)->trigger();
        QTest::mouseClick(w->cell(0), Qt::RightButton);
        w->action(MenuItem::ZClockMenu)->trigger();
        QCOMPARE(w->cell(0)->caption(), QString());
        QCOMPARE(w->cell(cellIndex(3, 0, 0))->caption(), QStringLiteral("O"));
    }

    // A larger window draws a larger board and a status bar that names the opponent; the move list
    // reviews an earlier position from the keyboard and Escape brings the game back; Ctrl+C on the
    // board copies exactly the board.
    void theLargerWindowTellsListsAndCopies()
    {
        auto w = openWindow();
        w->resize(1240, 880);
        QTRY_VERIFY(w->cell(0)->width() >= 45); // 1.8 times the 25 pixels designed
        QVERIFY(w->statusLabel()->accessibleName().contains(QStringLiteral("Opponent: Morvid, depth 3")));
        QTest::mouseClick(w->cell(0), Qt::LeftButton);
        QTest::mouseClick(w->cell(63), Qt::LeftButton);
        QCOMPARE(pieces(*w), 4);
        QCOMPARE(w->moveList()->count(), 4);
        QCOMPARE(w->moveList()->item(0)->text(), QStringLiteral("1. Noughts: layer 1, row 1, column 1"));
        QVERIFY(w->moveList()->item(1)->text().endsWith(QStringLiteral("(computer)")));
        w->activateWindow();
        QTest::keyClick(w.get(), Qt::Key_F8);
        QVERIFY(w->moveList()->hasFocus());
        QTest::keyClick(w->moveList(), Qt::Key_Home);
        QTest::keyClick(w->moveList(), Qt::Key_Down);
        QCOMPARE(pieces(*w), 2);
        QCOMPARE(w->statusLabel()->text(), QStringLiteral("Reviewing placement 2 of 4 — Esc returns"));
        QTest::keyClick(w->moveList(), Qt::Key_Escape);
        QCOMPARE(pieces(*w), 4);
        QTest::keyClick(w.get(), Qt::Key_F8);
        QVERIFY(qobject_cast<CellLabel*>(QApplication::focusWidget()) != nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        QString board;
        for (int c = 0; c < 64; ++c)
            board += w->cell(c)->caption().isEmpty() ? QStringLiteral(".") : w->cell(c)->caption();
        QCOMPARE(QApplication::clipboard()->text(), board);
    }

    // The verdicts are worked out away from the window once the game is over, and go with it.
    void verdictsArriveAfterTheGameAndGoWithIt()
    {
        auto w = openWindow();
        w->game().RanomHvH_Click();
        w->game().NoughtsFirstMenu_Click();
        w->game().NewGameMenu_Click();
        QString said;
        for (int cell : {0, 16, 1, 17, 2, 18})
            QTest::mouseClick(w->cell(cell), Qt::LeftButton);
        answerNextMessage(said);
        QTest::mouseClick(w->cell(3), Qt::LeftButton);
        QCOMPARE(said, QStringLiteral("Noughts win."));
        QTRY_COMPARE_WITH_TIMEOUT(w->moveList()->item(6)->text(),
                                  QStringLiteral("7. Noughts: layer 1, row 1, column 4 — noughts win by force"), 60000);
        w->action(MenuItem::NewGameMenu)->trigger();
        QCOMPARE(w->moveList()->count(), 0);
    }

    void theOptionsDialogRefusesOneThousand()
    {
        auto w = openWindow();
        w->action(MenuItem::EvaluatingOptionsMenu)->trigger();
        QLineEdit* box = w->optionsDialog()->box(0);
        QCOMPARE(box->text(), QStringLiteral("8"));
        box->selectAll();
        QString said;
        answerNextMessage(said);
        QTest::keyClicks(box, QStringLiteral("1000"));
        QCOMPARE(said, QStringLiteral("Thats too big"));
        QCOMPARE(box->text(), QStringLiteral("20"));
        QCOMPARE(w->game().state().weights.OneNoughtWeight, 20);
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("999"));
        QCOMPARE(w->game().state().weights.OneNoughtWeight, 999);
        QTest::mouseClick(w->optionsDialog()->resetButton(), Qt::LeftButton);
        QCOMPARE(box->text(), QStringLiteral("8"));
    }

    void theSecondPlayerMayBeTheSixthPersonaWhoTakesNoDepth()
    {
        auto w = openWindow();
        w->action(MenuItem::EvaluatingOptionsMenu)->trigger();
        QRadioButton* zeddon = w->optionsDialog()->player(5);
        QCOMPARE(zeddon->text(), QStringLiteral("Threat-Spacing &Zeddon"));
        QVERIFY(zeddon->isEnabled());
        QTest::mouseClick(zeddon, Qt::LeftButton);
        QVERIFY(zeddon->isChecked());
        QCOMPARE(w->game().options().Option1, 5);
        QVERIFY(!w->optionsDialog()->depthList()->isEnabled());
    }

    void boardChangingCommandsWaitWhileTheComputerThinks()
    {
        auto w = openWindow();
        w->action(MenuItem::MiniMaxMenu)->trigger();
        bool undoDuring = true;
        bool newGameDuring = false;
        QTimer::singleShot(0, w.get(), [&] {
            undoDuring = w->action(MenuItem::ZClockMenu)->isEnabled();
            newGameDuring = w->action(MenuItem::NewGameMenu)->isEnabled();
        });
        w->action(MenuItem::AnotherGoMenu)->trigger();
        QVERIFY(!undoDuring);
        QVERIFY(newGameDuring);
        QVERIFY(w->action(MenuItem::ZClockMenu)->isEnabled());
    }

    void exitWithTheAboutBoxOpenClosesBoth()
    {
        auto w = openWindow();
        w->action(MenuItem::AboutMenu)->trigger();
        QPointer<qt::AboutBox> about = w->aboutBox();
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->windowTitle(), QStringLiteral("About Vornix"));
        QCOMPARE(about->versionLabel()->text(), QStringLiteral("Version 2.4.0"));
        w->action(MenuItem::ExitMenu)->trigger();
        QVERIFY(!w->isVisible());
        QTRY_VERIFY(about.isNull());
    }

    // The keys stay with About while its System Info message comes and goes, and Escape closes it.
    void aboutKeepsTheKeysAfterItsMessageAndEscapeClosesIt()
    {
        auto w = openWindow();
        w->action(MenuItem::AboutMenu)->trigger();
        QPointer<qt::AboutBox> about = w->aboutBox();
        QApplication::setActiveWindow(about);
        QTRY_COMPARE(QApplication::activeWindow(), about.data());
        QString said;
        answerNextMessage(said);
        const auto buttons = about->findChildren<QPushButton*>();
        const auto systemInfo = std::find_if(buttons.begin(), buttons.end(), [](QPushButton* b) {
            return b->text() == QStringLiteral("&System Info...");
        });
        QVERIFY(systemInfo != buttons.end());
        (*systemInfo)->setFocus();
        QTest::keyClick(*systemInfo, Qt::Key_Space);
        QCOMPARE(said, QStringLiteral("System Information Is Unavailable At This Time"));
        QTRY_COMPARE(QApplication::activeWindow(), about.data());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(about.isNull());
    }

    void aSoundRunningDryForAMomentHasNotEnded()
    {
        constexpr qint64 kSound = 1'040'000;
        QVERIFY(!qt::soundPlayedOut(350'000, kSound, true, false)); // stalled, samples left
        QVERIFY(qt::soundPlayedOut(350'000, kSound, true, true));   // all handed to the sink
        QVERIFY(qt::soundPlayedOut(kSound, kSound, false, false));
        QVERIFY(!qt::soundPlayedOut(kSound - 1, kSound, false, true));
    }

    void theTwoSoundsAreShortAndDifferent()
    {
        const QString folder = QStringLiteral(VORNIX_SOUNDS);
        QByteArray seen;
        for (const char* name : {"/Win.wav", "/lose.wav"}) {
            const auto ms = qt::waveLengthMs(folder + QLatin1String(name));
            QVERIFY(ms && *ms > 300 && *ms < 2000);
            QFile file(folder + QLatin1String(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QVERIFY(bytes != seen);
            seen = bytes;
        }
        QVERIFY(!qt::waveLengthMs(folder + QStringLiteral("/missing.wav")));
    }

    void exitDuringAMatchStopsIt()
    {
        auto w = openWindow();
        w->action(MenuItem::AutoPlayMenu)->trigger();
        QTimer::singleShot(50, w.get(), [&] { w->close(); });
        w->action(MenuItem::NewGameMenu)->trigger();
        QVERIFY(!w->isVisible());
        QVERIFY(!w->game().state().AutoplayInProgress);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

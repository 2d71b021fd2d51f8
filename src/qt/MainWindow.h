// The main window: the staircase of 64 cells, the turn caption, the gauge and the menu bar. It
// holds no rules: every event goes to the game, and the game draws through QtWindow.
#pragma once

#include "game/Game.h"
#include "qt/AboutBox.h"
#include "qt/QtWindow.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <map>
#include <thread>
#include <vector>

class QAction;
class QDockWidget;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;

namespace vornix::qt {

class CellLabel;
class HowToPlay;
class OptionsDialog;
class PuzzleChooser;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;

    Game& game() { return game_; }
    QtWindow& view() { return view_; }
    CellLabel* cell(int index) const { return cells_[index]; }
    QLabel* turnDisplay() const { return turnDisplay_; }
    QProgressBar* progress() const { return progress_; }
    OptionsDialog* optionsDialog() const { return options_; }
    HowToPlay* howToPlay() const { return howToPlay_; }
    AboutBox* aboutBox() const { return about_; }
    PuzzleChooser* puzzleChooser() const { return puzzles_; }
    QAction* action(MenuItem item) const { return actions_.at(item); }

    QLabel* statusLabel() const { return status_; }
    QListWidget* moveList() const { return moves_; }
    QDockWidget* movesDock() const { return movesDock_; }
    QAction* movesAction() const { return movesAction_; }
    QAction* fullScreenAction() const { return fullScreenAction_; }

    void mirrorMenuItem(MenuItem item, bool checked, bool enabled);
    void setBusy(bool busy);
    void showStatus(const QString& text);
    // The move list's rows again from the game, where they changed.
    void refreshMoves();

    // The window's size, place, full screen and panels: read from this file now, written to it on
    // closing. Without a file nothing is remembered.
    void useSettings(const QString& file);

    // Edit menu and keys: the clipboard in and out, and the focus between board and move list.
    void copyPosition();
    void copyGame();
    void paste();
    void switchFocus();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildBoard();
    void buildMoves();
    void buildMenus();
    void placeBoard(QSize area);
    // Starts judging the positions the game wants verdicts on, away from the window, unless that is
    // under way; a job for positions no longer wanted is stopped.
    void judgeWhatIsWanted();
    void stopJudging();
    void reviewRow(int row);
    void choose(MenuItem item);
    void showHowToPlay();
    void showAbout();
    void showPuzzles();
    void refreshEnabled(MenuItem item);

    QtWindow view_{*this};
    Game game_{view_};
    std::array<CellLabel*, 64> cells_{};
    QLabel* turnDisplay_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QDockWidget* movesDock_ = nullptr;
    QListWidget* moves_ = nullptr;
    QAction* movesAction_ = nullptr;
    QAction* fullScreenAction_ = nullptr;
    QString settingsFile_;
    QAction* analysisAction_ = nullptr;
    std::vector<Game::Judging> judging_; // what the running job was asked
    std::jthread judge_;
    int lastCell_ = 0; // the cell that last had the keyboard's focus
    OptionsDialog* options_ = nullptr;
    PuzzleChooser* puzzles_ = nullptr;
    HowToPlay* howToPlay_ = nullptr;
    QPointer<AboutBox> about_;
    std::map<MenuItem, QAction*> actions_;
    std::map<MenuItem, bool> modelEnabled_;
    bool busy_ = false;
};

} // namespace vornix::qt

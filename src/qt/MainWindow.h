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

class QAction;
class QLabel;
class QMenu;
class QProgressBar;

namespace vornix::qt {

class CellLabel;
class HowToPlay;
class OptionsDialog;

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
    QAction* action(MenuItem item) const { return actions_.at(item); }

    void mirrorMenuItem(MenuItem item, bool checked, bool enabled);
    void setBusy(bool busy);

    // Cell geometry in twips, as the layout was designed (15 twips a pixel).
    static QRect cellRect(int index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildBoard();
    void buildMenus();
    void choose(MenuItem item);
    void showHowToPlay();
    void showAbout();
    void refreshEnabled(MenuItem item);

    QtWindow view_{*this};
    Game game_{view_};
    std::array<CellLabel*, 64> cells_{};
    QLabel* turnDisplay_ = nullptr;
    QProgressBar* progress_ = nullptr;
    OptionsDialog* options_ = nullptr;
    HowToPlay* howToPlay_ = nullptr;
    QPointer<AboutBox> about_;
    std::map<MenuItem, QAction*> actions_;
    std::map<MenuItem, bool> modelEnabled_;
    bool busy_ = false;
};

} // namespace vornix::qt

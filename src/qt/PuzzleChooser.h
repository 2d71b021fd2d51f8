// The puzzle chooser: the grades, the puzzles in each and which ones the player has solved; play
// one, go on to the next unsolved one, or go back to the ordinary game.
#pragma once

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace vornix {
class Game;
}

namespace vornix::qt {

class PuzzleChooser : public QDialog {
    Q_OBJECT

public:
    PuzzleChooser(Game& game, QWidget* parent);

    // The list again from the game: after a puzzle is solved, say.
    void refresh();
    QTreeWidget* tree() const { return tree_; }

private:
    void play(int id);
    int chosenId() const;

    Game& game_;
    QTreeWidget* tree_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* back_ = nullptr;
};

} // namespace vornix::qt

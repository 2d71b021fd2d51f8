// "Evaluating Options": the weight boxes of both computer players and the second player's panel.
// The boxes only mirror the game's options; every edit goes to the game's Text1_Change.
#pragma once

#include <QDialog>

#include <array>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vornix {
class Game;
}

namespace vornix::qt {

class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    OptionsDialog(Game& game, QWidget* parent);

    QLineEdit* box(int index) const { return boxes_[index]; }
    QRadioButton* player(int option) const { return players_[option]; }
    QComboBox* depthList() const { return depthList_; }
    QPushButton* resetButton() const { return reset_; }
    QPushButton* reset2Button() const { return reset2_; }

    void showText(int index, const QString& text);
    void showSecondPlayer(int option, int depthListIndex, bool depthListUsable);

protected:
    bool event(QEvent* event) override;

private:
    Game& game_;
    std::array<QLineEdit*, 10> boxes_{};
    std::array<QRadioButton*, 6> players_{};
    QComboBox* depthList_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* reset2_ = nullptr;
};

} // namespace vornix::qt

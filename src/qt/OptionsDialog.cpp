#include "qt/OptionsDialog.h"

#include "game/Game.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vornix::qt {

namespace {

// One frame of rows "1:" to "4:": the boxes given, then the fixed constants.
QGroupBox* frame(const QString& title, const std::vector<QLineEdit*>& boxes, const QStringList& constants)
{
    auto* group = new QGroupBox(title);
    auto* grid = new QGridLayout(group);
    int row = 0;
    for (QLineEdit* box : boxes) {
        grid->addWidget(new QLabel(QStringLiteral("%1:").arg(row + 1)), row, 0);
        grid->addWidget(box, row, 1);
        ++row;
    }
    for (const QString& constant : constants) {
        grid->addWidget(new QLabel(QStringLiteral("%1:").arg(row + 1)), row, 0);
        grid->addWidget(new QLabel(constant), row, 1);
        ++row;
    }
    return group;
}

QLabel* paragraph(const QString& text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

} // namespace

OptionsDialog::OptionsDialog(Game& game, QWidget* parent) : QDialog(parent), game_(game)
{
    setWindowTitle(QStringLiteral("Evaluating Options"));
    for (int n = 0; n < 10; ++n) {
        auto* box = new QLineEdit(this);
        box->setMaximumWidth(70);
        connect(box, &QLineEdit::textEdited, this, [this, n](const QString& text) {
            game_.setOptionText(n, text.toStdString());
        });
        boxes_[n] = box;
    }

    auto* first = new QHBoxLayout;
    first->addWidget(frame(QStringLiteral("&Naughts"), {boxes_[0], boxes_[1], boxes_[2]}, {QStringLiteral("100000")}));
    first->addWidget(frame(QStringLiteral("&Crosses"), {boxes_[3], boxes_[4]},
                           {QStringLiteral("9999"), QStringLiteral("1000000")}));
    auto* second = new QHBoxLayout;
    second->addWidget(frame(QStringLiteral("N&aughts"), {boxes_[7], boxes_[6], boxes_[5]}, {QStringLiteral("100000")}));
    second->addWidget(frame(QStringLiteral("C&rosses"), {boxes_[9], boxes_[8]},
                            {QStringLiteral("9999"), QStringLiteral("1000000")}));

    auto* panel = new QGroupBox(QStringLiteral("&Second Computer Opponent"));
    auto* panelLayout = new QVBoxLayout(panel);
    const QStringList captions{QStringLiteral("Common sense &Tovi"), QStringLiteral("Evaluating &Belwin"),
                               QStringLiteral("MiniMaxing &Quen"), QStringLiteral("Alpha Betaering &Morvid"),
                               QStringLiteral("C++ing &Snibbet"), QStringLiteral("Threat-Spacing &Zeddon")};
    for (int n = 0; n < static_cast<int>(players_.size()); ++n) {
        players_[n] = new QRadioButton(captions[n]);
        panelLayout->addWidget(players_[n]);
        connect(players_[n], &QRadioButton::clicked, this,
                [this, n] { game_.Option1_Click(static_cast<std::int16_t>(n)); });
    }
    players_[4]->setEnabled(false); // the fifth persona is built unavailable
    auto* depthRow = new QHBoxLayout;
    depthRow->addWidget(new QLabel(QStringLiteral(" Search Depth:")));
    depthList_ = new QComboBox;
    for (int depth = 1; depth <= 6; ++depth)
        depthList_->addItem(QString::number(depth));
    connect(depthList_, &QComboBox::activated, this, [this](int index) { game_.setSecondPlayerDepth(index); });
    depthRow->addWidget(depthList_);
    panelLayout->addLayout(depthRow);

    reset_ = new QPushButton(QStringLiteral("&Reset to defaults"));
    reset2_ = new QPushButton(QStringLiteral("Reset to &defaults"));
    auto* done = new QPushButton(QStringLiteral("E&xit"));
    connect(reset_, &QPushButton::clicked, this, [this] { game_.ResetButton_Click(); });
    connect(reset2_, &QPushButton::clicked, this, [this] { game_.Reset2_Click(); });
    connect(done, &QPushButton::clicked, this, &QDialog::hide);
    // Enter in a box ends the typing; it must not press a button that throws the typing away.
    for (QPushButton* button : {reset_, reset2_, done})
        button->setAutoDefault(false);

    auto* left = new QVBoxLayout;
    left->addWidget(paragraph(QStringLiteral("The number of rows in the board containg only:")));
    left->addLayout(first);
    left->addWidget(reset_);
    left->addWidget(paragraph(QStringLiteral(
        "The state of the game is evaluated by adding up these numbers, one for every row of the board that "
        "holds pieces of one side only: the more pieces in the row, the more it counts.")));
    left->addWidget(paragraph(QStringLiteral(
        "Quen (minimax) and Morvid (alpha-beta) judge a move by the best state the opponent can reach after "
        "it; Morvid looks as many moves ahead as the search depth. A program that plays this game perfectly "
        "is known to exist.")));

    auto* right = new QVBoxLayout;
    right->addWidget(paragraph(
        QStringLiteral("When you select auto play the second player uses these values to evaluate the board.")));
    right->addLayout(second);
    right->addWidget(panel);
    right->addWidget(reset2_);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(columns);
    whole->addWidget(done, 0, Qt::AlignRight);
}

void OptionsDialog::showText(int index, const QString& text)
{
    if (boxes_[index]->text() != text)
        boxes_[index]->setText(text);
}

void OptionsDialog::showSecondPlayer(int option, int depthListIndex, bool depthListUsable)
{
    players_[option]->setChecked(true);
    depthList_->setCurrentIndex(depthListIndex);
    depthList_->setEnabled(depthListUsable);
}

bool OptionsDialog::event(QEvent* event)
{
    // Leaving the dialog hands the first set to the evaluation once more.
    if (event->type() == QEvent::WindowDeactivate)
        game_.UpdateVariables();
    return QDialog::event(event);
}

} // namespace vornix::qt

#include "qt/PuzzleChooser.h"

#include "game/Game.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>

namespace vornix::qt {

PuzzleChooser::PuzzleChooser(Game& game, QWidget* parent) : QDialog(parent), game_(game)
{
    setWindowTitle(QStringLiteral("Puzzles"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Find the forced win with noughts: each grade is the number of your "
                                            "placements it takes against the best defence."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    tree_ = new QTreeWidget(this);
    tree_->setAccessibleName(QStringLiteral("Puzzles by grade"));
    tree_->setColumnCount(2);
    tree_->setHeaderLabels({QStringLiteral("Puzzle"), QStringLiteral("Solved")});
    tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    intro->setBuddy(tree_);
    layout->addWidget(tree_);
    auto* buttons = new QDialogButtonBox(this);
    play_ = buttons->addButton(QStringLiteral("&Play"), QDialogButtonBox::AcceptRole);
    next_ = buttons->addButton(QStringLiteral("&Next unsolved"), QDialogButtonBox::ActionRole);
    back_ = buttons->addButton(QStringLiteral("&Back to your game"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { play(chosenId()); });
    connect(next_, &QPushButton::clicked, this, [this] {
        if (const std::optional<int> next = game_.nextUnsolvedPuzzle())
            play(*next);
    });
    connect(back_, &QPushButton::clicked, this, [this] {
        game_.leavePuzzles();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tree_, &QTreeWidget::itemActivated, this, [this] { play(chosenId()); });
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { play_->setEnabled(chosenId() > 0); });
    resize(420, 480);
}

void PuzzleChooser::refresh()
{
    const std::vector<Game::PuzzleEntry> list = game_.puzzleList();
    std::map<int, std::pair<int, int>> counts; // grade: solved, all
    for (const Game::PuzzleEntry& e : list) {
        counts[e.grade].first += e.solved ? 1 : 0;
        ++counts[e.grade].second;
    }
    tree_->clear();
    std::map<int, QTreeWidgetItem*> grades;
    for (const auto& [grade, count] : counts) {
        auto* item = new QTreeWidgetItem(tree_, {QStringLiteral("Grade %1").arg(grade),
                                                 QStringLiteral("%1 of %2").arg(count.first).arg(count.second)});
        item->setData(0, Qt::UserRole, 0);
        grades[grade] = item;
    }
    QTreeWidgetItem* current = nullptr;
    for (const Game::PuzzleEntry& e : list) {
        auto* item = new QTreeWidgetItem(grades[e.grade], {QStringLiteral("Puzzle %1").arg(e.id),
                                                           e.solved ? QStringLiteral("solved") : QString()});
        item->setData(0, Qt::UserRole, e.id);
        if (e.id == game_.puzzleId() || (!current && !e.solved))
            current = item;
    }
    if (current) {
        current->parent()->setExpanded(true);
        tree_->setCurrentItem(current);
    }
    next_->setEnabled(game_.nextUnsolvedPuzzle().has_value());
    back_->setEnabled(game_.puzzleId() != 0);
    play_->setEnabled(chosenId() > 0);
    tree_->setFocus(Qt::OtherFocusReason);
}

int PuzzleChooser::chosenId() const
{
    const QTreeWidgetItem* item = tree_->currentItem();
    return item ? item->data(0, Qt::UserRole).toInt() : 0;
}

void PuzzleChooser::play(int id)
{
    if (id <= 0)
        return;
    accept();
    game_.startPuzzle(id);
}

} // namespace vornix::qt

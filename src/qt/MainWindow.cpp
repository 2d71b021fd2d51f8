#include "qt/MainWindow.h"

#include "qt/AboutBox.h"
#include "qt/Artwork.h"
#include "qt/CellLabel.h"
#include "qt/HowToPlay.h"
#include "qt/OptionsDialog.h"
#include "qt/PuzzleChooser.h"

#include "view/BoardGeometry.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTreeWidget>

#include <algorithm>
#include <functional>
#include <initializer_list>

namespace vornix::qt {

namespace {

QRect rectOf(PixelRect r)
{
    return {r.left, r.top, r.width, r.height};
}

QString caption(MenuItem item)
{
    const std::string_view text = menuCaption(item);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The commands that would change the board under a running search.
constexpr MenuItem kBoardChanging[] = {
    MenuItem::SaveGameMenu, MenuItem::LoadGameMenu, MenuItem::TakeBackMenu, MenuItem::RedoMoveMenu,
    MenuItem::SwapMenu,     MenuItem::AnotherGoMenu, MenuItem::HintMenu,    MenuItem::XClockMenu,  MenuItem::XAClockMenu,
    MenuItem::YClockMenu,   MenuItem::YAClockMenu,   MenuItem::ZClockMenu,  MenuItem::ZAClockMenu,
    MenuItem::MirrorXYMenu, MenuItem::MirrorXZMenu,  MenuItem::MirrorYZMenu};

// The board's background: a pale cyan under a rippled picture, as large as the board is drawn;
// moving over it restores the cell that was last highlighted. Its parts are placed again whenever
// its size changes.
class BoardArea : public QWidget {
public:
    BoardArea(Game& game, std::function<void(QSize)> resized, QWidget* parent)
        : QWidget(parent), game_(game), resized_(std::move(resized)), ripples_(backgroundRipples())
    {
        setMouseTracking(true);
        setMinimumSize(kBoardWidth, kBoardHeight);
    }

    QSize sizeHint() const override { return {kBoardWidth, kBoardHeight}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 255, 255));
        // The ripples cover the whole area at the board's scale or more, centred on it.
        const BoardFit fit = fitBoard(width(), height());
        const double cover = std::max({fit.scale, width() / static_cast<double>(ripples_.width()),
                                       height() / static_cast<double>(ripples_.height())});
        const QSizeF size(ripples_.width() * cover, ripples_.height() * cover);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size), ripples_);
    }
    void mouseMoveEvent(QMouseEvent*) override { game_.Form_MouseMove(); }
    void resizeEvent(QResizeEvent*) override { resized_(size()); }

private:
    Game& game_;
    std::function<void(QSize)> resized_;
    QImage ripples_;
};

} // namespace

MainWindow::MainWindow()
{
    setWindowTitle(QStringLiteral("3D Vornix"));
    setWindowIcon(gameIcon());
    options_ = new OptionsDialog(game_, this);
    buildBoard();
    buildMoves();
    buildMenus();
    status_ = new QLabel(this);
    status_->setAccessibleDescription(QStringLiteral("Who plays, whose turn it is, and how the game went"));
    statusBar()->addWidget(status_, 1);
    statusBar()->setSizeGripEnabled(true);
    game_.setMatchPause(330);
    game_.Form_Load();
    game_.refreshStatus();
    adjustSize();
}

MainWindow::~MainWindow()
{
    stopJudging();
}

void MainWindow::buildBoard()
{
    auto* board = new BoardArea(game_, [this](QSize size) { placeBoard(size); }, this);
    setCentralWidget(board);
    for (int n = 0; n < 64; ++n) {
        auto* cell = new CellLabel(n, board);
        connect(cell, &CellLabel::moved, this, [this](int index, int buttons) { game_.cell_MouseMove(index, buttons); });
        connect(cell, &CellLabel::pressed, this,
                [this](int index, int buttons) { game_.cell_MouseDown(index, buttons); });
        connect(cell, &CellLabel::released, this, [this](int index, int button) {
            game_.cell_MouseUp(index, static_cast<MouseButton>(button));
        });
        connect(cell, &CellLabel::leftTheCells, this, [this] { game_.Form_MouseMove(); });
        // The keyboard's focus highlights its cell as the pointer does.
        connect(cell, &CellLabel::focused, this, [this](int index) {
            lastCell_ = index;
            game_.cell_MouseMove(index, 0);
        });
        connect(cell, &CellLabel::stepped, this,
                [this](int index, FocusStep step) { cells_[focusAfter(index, step)]->setFocus(Qt::OtherFocusReason); });
        cells_[n] = cell;
    }
    cells_[0]->setToolTip(QStringLiteral("Go here"));
    cells_[0]->setFocus(Qt::OtherFocusReason);

    turnDisplay_ = new QLabel(board);
    turnDisplay_->setFont(QFont(QStringLiteral("MS Sans Serif"), 12));
    turnDisplay_->setToolTip(QStringLiteral("Gives out useful information"));
    turnDisplay_->setAttribute(Qt::WA_TranslucentBackground);
    turnDisplay_->setAccessibleDescription(QStringLiteral("Placements so far, and whose turn it is"));

    progress_ = new QProgressBar(board);
    progress_->setAccessibleName(QStringLiteral("Ready gauge"));
    progress_->setAccessibleDescription(QStringLiteral("Full when you may place; fills while the computer thinks"));
    progress_->setRange(0, 16);
    progress_->setTextVisible(false);
    placeBoard(board->size());
}

void MainWindow::placeBoard(QSize area)
{
    const BoardFit fit = fitBoard(area.width(), area.height());
    for (int n = 0; n < 64; ++n) {
        cells_[n]->setGeometry(rectOf(cellBox(n, fit)));
        cells_[n]->setScale(fit.scale);
    }
    turnDisplay_->setGeometry(rectOf(fit.place(0, 4560, 1725, 300)));
    QFont font = turnDisplay_->font();
    font.setPointSizeF(12 * fit.scale);
    turnDisplay_->setFont(font);
    // The gauge runs along the bottom of the whole area.
    const PixelRect gauge = fit.place(0, 4920, 6435, 135);
    progress_->setGeometry(0, gauge.top, area.width(), gauge.height);
}

void MainWindow::buildMoves()
{
    movesDock_ = new QDockWidget(QStringLiteral("Moves"), this);
    movesDock_->setObjectName(QStringLiteral("moves"));
    movesDock_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    moves_ = new QListWidget(movesDock_);
    moves_->setAccessibleName(QStringLiteral("Moves"));
    moves_->setAccessibleDescription(
        QStringLiteral("Every placement of the game; choosing one shows the position after it, Escape returns"));
    moves_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Rows wrap rather than hide their verdicts past the panel's edge.
    moves_->setWordWrap(true);
    moves_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    moves_->setMinimumWidth(QFontMetrics(moves_->font()).horizontalAdvance(QStringLiteral("10. Crosses: layer 2, row 3, column 1 (computer)")) + 24);
    moves_->installEventFilter(this);
    movesDock_->setWidget(moves_);
    addDockWidget(Qt::RightDockWidgetArea, movesDock_);
    connect(moves_, &QListWidget::currentRowChanged, this, &MainWindow::reviewRow);
    connect(moves_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const int placement = game_.firstRowNumber() + moves_->row(item);
        if (!game_.mayPlayFrom(placement)) {
            QApplication::beep();
            return;
        }
        const auto answer = QMessageBox::question(
            this, QStringLiteral("Vornix"),
            QStringLiteral("Play from here? The placements after %1 are taken back, as by undo.").arg(placement),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        if (answer == QMessageBox::Yes) {
            game_.playFrom(placement);
            cells_[lastCell_]->setFocus(Qt::OtherFocusReason);
        }
    });
    auto* f8 = new QShortcut(QKeySequence(Qt::Key_F8), this);
    connect(f8, &QShortcut::activated, this, &MainWindow::switchFocus);
}

void MainWindow::refreshMoves()
{
    if (moves_ == nullptr)
        return;
    const std::vector<std::string> rows = game_.moveRows();
    bool same = moves_->count() == static_cast<int>(rows.size());
    for (int n = 0; same && n < moves_->count(); ++n)
        same = moves_->item(n)->text() == QString::fromStdString(rows[static_cast<std::size_t>(n)]);
    if (same) {
        judgeWhatIsWanted();
        return;
    }
    const QSignalBlocker quiet(moves_);
    judgeWhatIsWanted();
    moves_->clear();
    for (const std::string& row : rows)
        moves_->addItem(QString::fromStdString(row));
    if (!rows.empty())
        moves_->scrollToBottom();
}

void MainWindow::judgeWhatIsWanted()
{
    const std::vector<Game::Judging> wanted = game_.positionsToJudge();
    // A job that was asked every position still wanted goes on: its verdicts are on their way.
    const bool asked = std::all_of(wanted.begin(), wanted.end(), [this](const Game::Judging& position) {
        return std::find(judging_.begin(), judging_.end(), position) != judging_.end();
    });
    if (asked && (judge_.joinable() || wanted.empty()))
        return;
    stopJudging();
    judging_ = wanted;
    if (wanted.empty())
        return;
    // Each verdict comes back to the window's thread with the position it is for; one that arrives
    // after the window has gone is dropped with it.
    judge_ = std::jthread([this, wanted](std::stop_token stop) {
        Judge judge;
        for (const Game::Judging& position : wanted) {
            const Verdict verdict = judge.judge(position.grid, position.toMove, [&] { return !stop.stop_requested(); });
            if (stop.stop_requested())
                return;
            QMetaObject::invokeMethod(this, [this, position, verdict] { game_.setVerdict(position, verdict); },
                                      Qt::QueuedConnection);
        }
    });
}

void MainWindow::stopJudging()
{
    if (judge_.joinable()) {
        judge_.request_stop();
        judge_.join();
    }
    judging_.clear();
}

void MainWindow::reviewRow(int row)
{
    if (row < 0)
        return;
    if (!game_.review(game_.firstRowNumber() + row)) {
        // Refused while the computer thinks, as undo is.
        QApplication::beep();
        const QSignalBlocker quiet(moves_);
        moves_->setCurrentRow(-1);
    }
}

void MainWindow::showStatus(const QString& text)
{
    if (status_ == nullptr || status_->text() == text)
        return;
    status_->setText(text);
    // Screen readers hear the new words as the status bar's name.
    status_->setAccessibleName(text);
    QAccessibleEvent event(status_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void MainWindow::switchFocus()
{
    if (moves_->hasFocus()) {
        cells_[lastCell_]->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    movesDock_->show();
    moves_->setFocus(Qt::ShortcutFocusReason);
    if (moves_->currentRow() < 0 && moves_->count() > 0) {
        const QSignalBlocker quiet(moves_);
        moves_->setCurrentRow(moves_->count() - 1);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == moves_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool last = moves_->currentRow() == moves_->count() - 1;
        if (key->key() == Qt::Key_Escape || (key->key() == Qt::Key_End && last)) {
            game_.endReview();
            const QSignalBlocker quiet(moves_);
            moves_->setCurrentRow(key->key() == Qt::Key_End ? moves_->count() - 1 : -1);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::copyPosition()
{
    QApplication::clipboard()->setText(QString::fromStdString(game_.positionForCopy()));
}

void MainWindow::copyGame()
{
    const std::string text = game_.gameForCopy();
    if (!text.empty() || game_.moveRows().empty())
        QApplication::clipboard()->setText(QString::fromStdString(text));
}

void MainWindow::paste()
{
    game_.endReview();
    game_.paste(QApplication::clipboard()->text().toStdString());
}

void MainWindow::useSettings(const QString& file)
{
    settingsFile_ = file;
    const QSettings settings(file, QSettings::IniFormat);
    if (settings.contains(QStringLiteral("window/geometry")))
        restoreGeometry(settings.value(QStringLiteral("window/geometry")).toByteArray());
    if (settings.contains(QStringLiteral("window/state")))
        restoreState(settings.value(QStringLiteral("window/state")).toByteArray());
    if (settings.value(QStringLiteral("window/fullScreen"), false).toBool())
        setWindowState(windowState() | Qt::WindowFullScreen);
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && fullScreenAction_ != nullptr) {
        const QSignalBlocker quiet(fullScreenAction_);
        fullScreenAction_->setChecked(isFullScreen());
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::buildMenus()
{
    struct Entry {
        MenuItem item;
        bool separatorBefore;
    };
    auto addItems = [this](QMenu* menu, std::initializer_list<Entry> entries) {
        for (const Entry& e : entries) {
            if (e.separatorBefore)
                menu->addSeparator();
            QAction* a = menu->addAction(caption(e.item));
            const std::string_view shortcut = menuShortcut(e.item);
            if (!shortcut.empty())
                a->setShortcuts(QKeySequence::listFromString(
                    QString::fromUtf8(shortcut.data(), static_cast<qsizetype>(shortcut.size())), QKeySequence::PortableText));
            a->setCheckable(isCheckItem(e.item));
            connect(a, &QAction::triggered, this, [this, item = e.item] { choose(item); });
            actions_[e.item] = a;
        }
    };
    auto addSubmenu = [this](QMenu* menu, MenuItem item) {
        QMenu* sub = menu->addMenu(caption(item));
        actions_[item] = sub->menuAction();
        return sub;
    };

    QMenu* gameMenu = menuBar()->addMenu(QStringLiteral("&Game"));
    addItems(gameMenu, {{MenuItem::NewGameMenu, false}});
    QMenu* types = addSubmenu(gameMenu, MenuItem::GameTypeMenu);
    addItems(types, {{MenuItem::HumanFirstMenu, false},
                     {MenuItem::ComputerFirstMenu, false},
                     {MenuItem::RandomFirstMenu, false},
                     {MenuItem::NoughtsFirstMenu, true},
                     {MenuItem::CrossesFirstMenu, false},
                     {MenuItem::RanomHvH, false},
                     {MenuItem::AutoPlayMenu, true}});
    addItems(gameMenu, {{MenuItem::SaveGameMenu, false},
                        {MenuItem::LoadGameMenu, false},
                        {MenuItem::TakeBackMenu, true},
                        {MenuItem::RedoMoveMenu, false},
                        {MenuItem::SwapMenu, false},
                        {MenuItem::AnotherGoMenu, false},
                        {MenuItem::HintMenu, false}});
    // Verdicts on every position during the game: like a hint, that bends the rules.
    analysisAction_ = gameMenu->addAction(QStringLiteral("&Analysis"));
    analysisAction_->setCheckable(true);
    connect(analysisAction_, &QAction::toggled, this, [this](bool on) { game_.setAnalysis(on); });
    QAction* puzzles = gameMenu->addAction(QStringLiteral("&Puzzles..."));
    puzzles->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(puzzles, &QAction::triggered, this, &MainWindow::showPuzzles);
    addItems(gameMenu, {{MenuItem::ExitMenu, true}});

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    auto addEdit = [this, edit](const QString& text, const QKeySequence& keys, void (MainWindow::*handler)()) {
        QAction* a = edit->addAction(text);
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, handler);
    };
    addEdit(QStringLiteral("Copy &position"), QKeySequence(Qt::CTRL | Qt::Key_C), &MainWindow::copyPosition);
    addEdit(QStringLiteral("Copy &game"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &MainWindow::copyGame);
    addEdit(QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V), &MainWindow::paste);

    QMenu* rotate = menuBar()->addMenu(QStringLiteral("&Rotate View"));
    addItems(rotate, {{MenuItem::XClockMenu, false},
                      {MenuItem::XAClockMenu, false},
                      {MenuItem::YClockMenu, true},
                      {MenuItem::YAClockMenu, false},
                      {MenuItem::ZClockMenu, true},
                      {MenuItem::ZAClockMenu, false},
                      {MenuItem::MirrorXYMenu, true},
                      {MenuItem::MirrorXZMenu, false},
                      {MenuItem::MirrorYZMenu, false}});

    QMenu* opponent = menuBar()->addMenu(QStringLiteral("&Opponent"));
    addItems(opponent, {{MenuItem::EvaluateMenu, false},
                        {MenuItem::CommonSenseMenu, false},
                        {MenuItem::MiniMaxMenu, false},
                        {MenuItem::AlphaBetaMenu, false},
                        {MenuItem::CMenu, false},
                        {MenuItem::ZeddonMenu, false},
                        {MenuItem::EvaluatingOptionsMenu, true}});
    QMenu* depth = addSubmenu(opponent, MenuItem::DepthMenu);
    addItems(depth, {{MenuItem::SearchDepthMenu1, false},
                     {MenuItem::SearchDepthMenu2, false},
                     {MenuItem::SearchDepthMenu3, false},
                     {MenuItem::SearchDepthMenu4, false},
                     {MenuItem::SearchDepthMenu5, false},
                     {MenuItem::SearchDepthMenu6, false}});

    QMenu* optionsMenu = menuBar()->addMenu(QStringLiteral("&Options"));
    addItems(optionsMenu, {{MenuItem::FunnyFonts, false}, {MenuItem::StatisticsMenu, true}});

    QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
    movesAction_ = movesDock_->toggleViewAction();
    movesAction_->setText(QStringLiteral("&Moves"));
    window->addAction(movesAction_);
    fullScreenAction_ = window->addAction(QStringLiteral("&Full screen"));
    fullScreenAction_->setCheckable(true);
    fullScreenAction_->setShortcut(QKeySequence(Qt::Key_F11));
    connect(fullScreenAction_, &QAction::toggled, this, [this](bool on) {
        setWindowState(on ? windowState() | Qt::WindowFullScreen : windowState() & ~Qt::WindowFullScreen);
    });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    addItems(help, {{MenuItem::HowToPlayMenu, false}, {MenuItem::AboutMenu, true}});
}

void MainWindow::choose(MenuItem item)
{
    // A check item's mark is the game's to set: put back whatever Qt toggled, then let the rule run.
    mirrorMenuItem(item, game_.menus().checked(item), game_.menus().enabled(item));
    // Any command ends a review first: it acts on the game, not on the position reviewed.
    if (game_.reviewing() > 0 && item != MenuItem::HowToPlayMenu && item != MenuItem::AboutMenu) {
        game_.endReview();
        const QSignalBlocker quiet(moves_);
        moves_->setCurrentRow(-1);
    }
    switch (item) {
    case MenuItem::NewGameMenu: game_.NewGameMenu_Click(); break;
    case MenuItem::HumanFirstMenu: game_.HumanFirstMenu_Click(); break;
    case MenuItem::ComputerFirstMenu: game_.ComputerFirstMenu_Click(); break;
    case MenuItem::RandomFirstMenu: game_.RandomFirstMenu_Click(); break;
    case MenuItem::NoughtsFirstMenu: game_.NoughtsFirstMenu_Click(); break;
    case MenuItem::CrossesFirstMenu: game_.CrossesFirstMenu_Click(); break;
    case MenuItem::RanomHvH: game_.RanomHvH_Click(); break;
    case MenuItem::AutoPlayMenu: game_.AutoPlayMenu_Click(); break;
    case MenuItem::SaveGameMenu: game_.SaveGameMenu_Click(); break;
    case MenuItem::LoadGameMenu: game_.LoadGameMenu_Click(); break;
    case MenuItem::TakeBackMenu: game_.TakeBackMenu_Click(); break;
    case MenuItem::RedoMoveMenu: game_.RedoMoveMenu_Click(); break;
    case MenuItem::SwapMenu: game_.SwapMenu_Click(); break;
    case MenuItem::AnotherGoMenu: game_.AnotherGoMenu_Click(); break;
    case MenuItem::HintMenu: game_.HintMenu_Click(); break;
    case MenuItem::ExitMenu: close(); break;
    case MenuItem::XClockMenu: game_.XClockMenu_Click(); break;
    case MenuItem::XAClockMenu: game_.XAClockMenu_Click(); break;
    case MenuItem::YClockMenu: game_.YClockMenu_Click(); break;
    case MenuItem::YAClockMenu: game_.YAClockMenu_Click(); break;
    case MenuItem::ZClockMenu: game_.ZClockMenu_Click(); break;
    case MenuItem::ZAClockMenu: game_.ZAClockMenu_Click(); break;
    case MenuItem::MirrorXYMenu: game_.MirrorXYMenu_Click(); break;
    case MenuItem::MirrorXZMenu: game_.MirrorXZMenu_Click(); break;
    case MenuItem::MirrorYZMenu: game_.MirrorYZMenu_Click(); break;
    case MenuItem::EvaluateMenu: game_.EvaluateMenu_Click(); break;
    case MenuItem::CommonSenseMenu: game_.CommonSenseMenu_Click(); break;
    case MenuItem::MiniMaxMenu: game_.MiniMaxMenu_Click(); break;
    case MenuItem::AlphaBetaMenu: game_.AlphaBetaMenu_Click(); break;
    case MenuItem::CMenu: break; // built unavailable
    case MenuItem::ZeddonMenu: game_.ZeddonMenu_Click(); break;
    case MenuItem::EvaluatingOptionsMenu:
        options_->show();
        options_->raise();
        options_->activateWindow();
        break;
    case MenuItem::SearchDepthMenu1:
    case MenuItem::SearchDepthMenu2:
    case MenuItem::SearchDepthMenu3:
    case MenuItem::SearchDepthMenu4:
    case MenuItem::SearchDepthMenu5:
    case MenuItem::SearchDepthMenu6:
        game_.SearchDepthMenu_Click(
            static_cast<std::int16_t>(static_cast<int>(item) - static_cast<int>(MenuItem::SearchDepthMenu1) + 1));
        break;
    case MenuItem::FunnyFonts: game_.FunnyFonts_Click(); break;
    case MenuItem::StatisticsMenu: game_.StatisticsMenu_Click(); break;
    case MenuItem::HowToPlayMenu: showHowToPlay(); break;
    case MenuItem::AboutMenu: showAbout(); break;
    case MenuItem::GameTypeMenu:
    case MenuItem::DepthMenu: break;
    }
    game_.refreshStatus();
}

void MainWindow::mirrorMenuItem(MenuItem item, bool checked, bool enabled)
{
    const auto found = actions_.find(item);
    if (found == actions_.end())
        return;
    QAction* a = found->second;
    if (a->isCheckable() && a->isChecked() != checked) {
        const QSignalBlocker quiet(a);
        a->setChecked(checked);
    }
    modelEnabled_[item] = enabled;
    refreshEnabled(item);
}

void MainWindow::refreshEnabled(MenuItem item)
{
    const auto found = actions_.find(item);
    if (found == actions_.end())
        return;
    const auto model = modelEnabled_.find(item);
    bool enabled = model == modelEnabled_.end() || model->second;
    for (MenuItem changing : kBoardChanging)
        if (changing == item && busy_)
            enabled = false;
    found->second->setEnabled(enabled);
}

void MainWindow::setBusy(bool busy)
{
    busy_ = busy;
    for (MenuItem item : kBoardChanging)
        refreshEnabled(item);
}

void MainWindow::showHowToPlay()
{
    if (!howToPlay_)
        howToPlay_ = new HowToPlay(this);
    howToPlay_->show();
    howToPlay_->raise();
}

void MainWindow::showPuzzles()
{
    if (game_.busy())
        return;
    game_.endReview();
    if (game_.puzzleList().empty()) {
        view_.messageBox("No puzzles were found: the file puzzles.txt is missing or damaged.");
        return;
    }
    if (!puzzles_)
        puzzles_ = new PuzzleChooser(game_, this);
    puzzles_->refresh();
    puzzles_->show();
    puzzles_->raise();
    puzzles_->activateWindow();
    puzzles_->tree()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::showAbout()
{
    if (!about_)
        about_ = new AboutBox(view_, this);
    about_->show();
    about_->raise();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Whatever the computer is doing stops at its next look at the flags, and nothing more is shown.
    if (!settingsFile_.isEmpty()) {
        QSettings settings(settingsFile_, QSettings::IniFormat);
        settings.setValue(QStringLiteral("window/geometry"), saveGeometry());
        settings.setValue(QStringLiteral("window/state"), saveState());
        settings.setValue(QStringLiteral("window/fullScreen"), isFullScreen());
    }
    stopJudging();
    view_.close();
    game_.Form_Unload();
    if (about_)
        about_->close();
    if (howToPlay_)
        howToPlay_->close();
    options_->close();
    event->accept();
}

} // namespace vornix::qt

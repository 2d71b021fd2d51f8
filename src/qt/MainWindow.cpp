#include "qt/MainWindow.h"

#include "qt/AboutBox.h"
#include "qt/Artwork.h"
#include "qt/CellLabel.h"
#include "qt/HowToPlay.h"
#include "qt/OptionsDialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>

#include <initializer_list>

namespace vornix::qt {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 6420 / kTwipsPerPixel;
constexpr int kClientHeight = 5025 / kTwipsPerPixel;

QRect twips(int left, int top, int width, int height)
{
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
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

// The board's background: a pale cyan under a rippled picture; moving over it restores the cell
// that was last highlighted.
class BoardArea : public QWidget {
public:
    BoardArea(Game& game, QWidget* parent) : QWidget(parent), game_(game), ripples_(backgroundRipples())
    {
        setMouseTracking(true);
        setFixedSize(kClientWidth, kClientHeight);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 255, 255));
        p.drawImage(0, 0, ripples_);
    }
    void mouseMoveEvent(QMouseEvent*) override { game_.Form_MouseMove(); }

private:
    Game& game_;
    QImage ripples_;
};

} // namespace

QRect MainWindow::cellRect(int index)
{
    static constexpr int kLayerLeft[] = {120, 1680, 3240, 4800};
    static constexpr int kLayerTop[] = {120, 1080, 2040, 2880};
    const Coord c = coordOf(index);
    return twips(kLayerLeft[c.k] + 360 * c.i, kLayerTop[c.k] + 480 * c.j, 375, 495);
}

MainWindow::MainWindow()
{
    setWindowTitle(QStringLiteral("3D Vornix"));
    setWindowIcon(gameIcon());
    options_ = new OptionsDialog(game_, this);
    buildBoard();
    buildMenus();
    game_.setMatchPause(330);
    game_.Form_Load();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildBoard()
{
    auto* board = new BoardArea(game_, this);
    setCentralWidget(board);
    for (int n = 0; n < 64; ++n) {
        auto* cell = new CellLabel(n, board);
        cell->setGeometry(cellRect(n));
        connect(cell, &CellLabel::moved, this, [this](int index, int buttons) { game_.cell_MouseMove(index, buttons); });
        connect(cell, &CellLabel::pressed, this,
                [this](int index, int buttons) { game_.cell_MouseDown(index, buttons); });
        connect(cell, &CellLabel::released, this, [this](int index, int button) {
            game_.cell_MouseUp(index, static_cast<MouseButton>(button));
        });
        connect(cell, &CellLabel::leftTheCells, this, [this] { game_.Form_MouseMove(); });
        // The keyboard's focus highlights its cell as the pointer does.
        connect(cell, &CellLabel::focused, this, [this](int index) { game_.cell_MouseMove(index, 0); });
        connect(cell, &CellLabel::stepped, this,
                [this](int index, FocusStep step) { cells_[focusAfter(index, step)]->setFocus(Qt::OtherFocusReason); });
        cells_[n] = cell;
    }
    cells_[0]->setToolTip(QStringLiteral("Go here"));
    cells_[0]->setFocus(Qt::OtherFocusReason);

    turnDisplay_ = new QLabel(board);
    turnDisplay_->setGeometry(twips(0, 4560, 1725, 300));
    turnDisplay_->setFont(QFont(QStringLiteral("MS Sans Serif"), 12));
    turnDisplay_->setToolTip(QStringLiteral("Gives out useful information"));
    turnDisplay_->setAttribute(Qt::WA_TranslucentBackground);
    turnDisplay_->setAccessibleDescription(QStringLiteral("Placements so far, and whose turn it is"));

    progress_ = new QProgressBar(board);
    progress_->setAccessibleName(QStringLiteral("Ready gauge"));
    progress_->setAccessibleDescription(QStringLiteral("Full when you may place; fills while the computer thinks"));
    progress_->setGeometry(twips(0, 4920, 6435, 135));
    progress_->setRange(0, 16);
    progress_->setTextVisible(false);
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
                        {MenuItem::HintMenu, false},
                        {MenuItem::ExitMenu, true}});

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

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    addItems(help, {{MenuItem::HowToPlayMenu, false}, {MenuItem::AboutMenu, true}});
}

void MainWindow::choose(MenuItem item)
{
    // A check item's mark is the game's to set: put back whatever Qt toggled, then let the rule run.
    mirrorMenuItem(item, game_.menus().checked(item), game_.menus().enabled(item));
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

// The game-type and opponent menus: check marks that decide the next game and the computer's play.
#include "game/Game.h"

namespace vornix {

namespace {

// The index of the checked item of the depth submenu; the last one checked wins.
std::int32_t checkedDepth(const MenuModel& menus, std::int32_t otherwise)
{
    std::int32_t depth = otherwise;
    for (int d = kMinSearchDepth; d <= kMaxSearchDepth; ++d)
        if (menus.checked(searchDepthItem(d)))
            depth = d;
    return depth;
}

} // namespace

void Game::DeCheck()
{
    for (MenuItem item : {MenuItem::RanomHvH, MenuItem::AutoPlayMenu, MenuItem::ComputerFirstMenu,
                          MenuItem::HumanFirstMenu, MenuItem::CrossesFirstMenu, MenuItem::NoughtsFirstMenu,
                          MenuItem::RandomFirstMenu})
        menus_.check(item, false);
}

void Game::HumanFirstMenu_Click()
{
    DeCheck();
    menus_.check(MenuItem::HumanFirstMenu, true);
}

void Game::ComputerFirstMenu_Click()
{
    DeCheck();
    menus_.check(MenuItem::ComputerFirstMenu, true);
}

void Game::RandomFirstMenu_Click()
{
    DeCheck();
    menus_.check(MenuItem::RandomFirstMenu, true);
}

void Game::NoughtsFirstMenu_Click()
{
    DeCheck();
    menus_.check(MenuItem::NoughtsFirstMenu, true);
}

void Game::CrossesFirstMenu_Click()
{
    DeCheck();
    menus_.check(MenuItem::CrossesFirstMenu, true);
}

void Game::RanomHvH_Click()
{
    DeCheck();
    menus_.check(MenuItem::RanomHvH, true);
}

void Game::AutoPlayMenu_Click()
{
    DeCheck();
    menus_.check(MenuItem::AutoPlayMenu, true);
}

void Game::UnCheckMenus()
{
    menus_.check(MenuItem::CommonSenseMenu, false);
    menus_.check(MenuItem::EvaluateMenu, false);
    menus_.check(MenuItem::MiniMaxMenu, false);
    menus_.check(MenuItem::AlphaBetaMenu, false);
    st_.AlphaBetaOpponent = false;
    menus_.enable(MenuItem::DepthMenu, false);
    menus_.check(MenuItem::CMenu, false);
    st_.SnibbetMode = false;
    st_.OpponentRoutine = Routine::None;
    menus_.check(MenuItem::ZeddonMenu, false);
    st_.ZeddonOpponent = false;
}

void Game::EvaluateMenu_Click()
{
    UnCheckMenus();
    menus_.check(MenuItem::EvaluateMenu, true);
    st_.OpponentRoutine = Routine::eval;
    refreshStatus();
}

void Game::CommonSenseMenu_Click()
{
    UnCheckMenus();
    menus_.check(MenuItem::CommonSenseMenu, true);
    st_.OpponentRoutine = Routine::normal;
    refreshStatus();
}

void Game::MiniMaxMenu_Click()
{
    UnCheckMenus();
    menus_.check(MenuItem::MiniMaxMenu, true);
    st_.OpponentRoutine = Routine::Longthink;
    refreshStatus();
}

void Game::AlphaBetaMenu_Click()
{
    // Leaves OpponentRoutine alone: it is simply not consulted while the alpha-beta search plays.
    menus_.check(MenuItem::CommonSenseMenu, false);
    menus_.check(MenuItem::EvaluateMenu, false);
    menus_.check(MenuItem::MiniMaxMenu, false);
    menus_.check(MenuItem::AlphaBetaMenu, true);
    st_.AlphaBetaOpponent = true;
    menus_.enable(MenuItem::DepthMenu, true);
    menus_.check(MenuItem::CMenu, false);
    st_.SnibbetMode = false;
    menus_.check(MenuItem::ZeddonMenu, false);
    st_.ZeddonOpponent = false;
    refreshStatus();
}

void Game::CMenu_Click()
{
    UnCheckMenus();
    st_.AlphaBetaOpponent = true;
    menus_.enable(MenuItem::DepthMenu, true);
    menus_.check(MenuItem::CMenu, true);
    st_.SnibbetMode = true;
    refreshStatus();
}

void Game::ZeddonMenu_Click()
{
    UnCheckMenus();
    menus_.check(MenuItem::ZeddonMenu, true);
    st_.ZeddonOpponent = true;
    refreshStatus();
}

void Game::SearchDepthMenu_Click(std::int16_t Index)
{
    st_.SearchDepth = Index;
    for (int depth = kMinSearchDepth; depth <= kMaxSearchDepth; ++depth)
        menus_.check(searchDepthItem(depth), false);
    menus_.check(searchDepthItem(Index), true);
    refreshStatus();
}

// The opponent checked in the Opponent menu, an alpha-beta one with the depth checked beside it.
void Game::takeOpponentFromMenu()
{
    selectRoutineFromMenu();
    if (menus_.checked(MenuItem::AlphaBetaMenu)) {
        st_.AlphaBetaOpponent = true;
        st_.SearchDepth = checkedDepth(menus_, st_.SearchDepth);
    }
    if (menus_.checked(MenuItem::CMenu)) {
        st_.AlphaBetaOpponent = true;
        st_.SnibbetMode = true;
        st_.SearchDepth = checkedDepth(menus_, st_.SearchDepth);
    }
    st_.ZeddonOpponent = menus_.checked(MenuItem::ZeddonMenu);
}

} // namespace vornix

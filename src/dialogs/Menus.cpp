#include "dialogs/Menus.h"

namespace vornix {

std::string_view menuCaption(MenuItem item)
{
    switch (item) {
    case MenuItem::NewGameMenu: return "&New Game";
    case MenuItem::GameTypeMenu: return "Game &Type (for next game)";
    case MenuItem::HumanFirstMenu: return "H&uman plays first";
    case MenuItem::ComputerFirstMenu: return "&Computer plays first";
    case MenuItem::RandomFirstMenu: return "&Random plays first";
    case MenuItem::NoughtsFirstMenu: return "Human v Human (&0 v X)";
    case MenuItem::CrossesFirstMenu: return "Human v Human (&X v 0)";
    case MenuItem::RanomHvH: return "Human v Human (Rando&m)";
    case MenuItem::AutoPlayMenu: return "Com&puter versus computer";
    case MenuItem::SaveGameMenu: return "Save Game State...";
    case MenuItem::LoadGameMenu: return "Load Game State...";
    case MenuItem::TakeBackMenu: return "&Undo Move";
    case MenuItem::RedoMoveMenu: return "&Redo Move";
    case MenuItem::SwapMenu: return "&Swap our men";
    case MenuItem::AnotherGoMenu: return "&Make computer take another turn";
    case MenuItem::HintMenu: return "&Hint";
    case MenuItem::ExitMenu: return "E&xit";
    case MenuItem::XClockMenu: return "&X axis clockwise";
    case MenuItem::XAClockMenu: return "X axis anti-clockwise";
    case MenuItem::YClockMenu: return "&Y axis clockwise";
    case MenuItem::YAClockMenu: return "Y axis anti-clockwise";
    case MenuItem::ZClockMenu: return "&Z axis clockwise";
    case MenuItem::ZAClockMenu: return "Z axis anti-clockwise";
    case MenuItem::MirrorXYMenu: return "&Mirror X-Y";
    case MenuItem::MirrorXZMenu: return "Mirror X-Z";
    case MenuItem::MirrorYZMenu: return "Mirror Y-Z";
    case MenuItem::EvaluateMenu: return "Evaluating &Belwin";
    case MenuItem::CommonSenseMenu: return "Common Sense &Tovi";
    case MenuItem::MiniMaxMenu: return "MiniMaxing &Quen";
    case MenuItem::AlphaBetaMenu: return "Alpha - Betaering &Morvid";
    case MenuItem::CMenu: return "C++ing &Snibbet";
    case MenuItem::ZeddonMenu: return "Threat-Spacing &Zeddon";
    case MenuItem::EvaluatingOptionsMenu: return "&Evaluating Options";
    case MenuItem::DepthMenu: return "Alpha - Beta search &depth";
    case MenuItem::SearchDepthMenu1: return "&1";
    case MenuItem::SearchDepthMenu2: return "&2";
    case MenuItem::SearchDepthMenu3: return "&3";
    case MenuItem::SearchDepthMenu4: return "&4";
    case MenuItem::SearchDepthMenu5: return "&5";
    case MenuItem::SearchDepthMenu6: return "&6";
    case MenuItem::FunnyFonts: return "&Funny Fonts";
    case MenuItem::StatisticsMenu: return "&Statistics";
    case MenuItem::HowToPlayMenu: return "&How To Play...";
    case MenuItem::AboutMenu: return "&About Vornix...";
    }
    return "";
}

std::string_view menuShortcut(MenuItem item)
{
    switch (item) {
    // The game's own keys first; the desktop's usual ones after them wherever the game left them free.
    case MenuItem::NewGameMenu: return "F2; Ctrl+N";
    case MenuItem::AutoPlayMenu: return "Ctrl+F12";
    case MenuItem::SaveGameMenu: return "Ctrl+Shift+S";
    case MenuItem::LoadGameMenu: return "Ctrl+O";
    case MenuItem::TakeBackMenu: return "Del; Ctrl+Z";
    case MenuItem::RedoMoveMenu: return "Shift+Del; Ctrl+Shift+Z; Ctrl+Y";
    case MenuItem::SwapMenu: return "Ctrl+S";
    case MenuItem::AnotherGoMenu: return "Ctrl+F";
    case MenuItem::HintMenu: return "Ctrl+H";
    case MenuItem::ExitMenu: return "Ctrl+Q";
    case MenuItem::XClockMenu: return "F3";
    case MenuItem::YClockMenu: return "F4";
    case MenuItem::ZClockMenu: return "F5";
    case MenuItem::MirrorXYMenu: return "F6";
    // One letter per persona, clear of the window's other Ctrl shortcuts (S, F, Q, A, N, O, Z, Y).
    case MenuItem::EvaluateMenu: return "Ctrl+B";
    case MenuItem::CommonSenseMenu: return "Ctrl+T";
    case MenuItem::MiniMaxMenu: return "Ctrl+U";
    case MenuItem::AlphaBetaMenu: return "Ctrl+M";
    case MenuItem::CMenu: return "Ctrl+K";
    case MenuItem::ZeddonMenu: return "Ctrl+D";
    case MenuItem::HowToPlayMenu: return "F1";
    case MenuItem::AboutMenu: return "Ctrl+A";
    default: return "";
    }
}

bool isCheckItem(MenuItem item)
{
    switch (item) {
    case MenuItem::HumanFirstMenu:
    case MenuItem::ComputerFirstMenu:
    case MenuItem::RandomFirstMenu:
    case MenuItem::NoughtsFirstMenu:
    case MenuItem::CrossesFirstMenu:
    case MenuItem::RanomHvH:
    case MenuItem::AutoPlayMenu:
    case MenuItem::EvaluateMenu:
    case MenuItem::CommonSenseMenu:
    case MenuItem::MiniMaxMenu:
    case MenuItem::AlphaBetaMenu:
    case MenuItem::CMenu:
    case MenuItem::ZeddonMenu:
    case MenuItem::SearchDepthMenu1:
    case MenuItem::SearchDepthMenu2:
    case MenuItem::SearchDepthMenu3:
    case MenuItem::SearchDepthMenu4:
    case MenuItem::SearchDepthMenu5:
    case MenuItem::SearchDepthMenu6:
    case MenuItem::FunnyFonts:
        return true;
    default:
        return false;
    }
}

MenuModel::MenuModel(Window& window) : window_(window)
{
    enabled_.fill(true);
    // The fifth persona is built unavailable, and unchecked so that the marks agree with the
    // flags the program starts with.
    enabled_[index(MenuItem::CMenu)] = false;
    checked_[index(MenuItem::HumanFirstMenu)] = true;
    checked_[index(MenuItem::AlphaBetaMenu)] = true;
    checked_[index(MenuItem::SearchDepthMenu3)] = true;
}

void MenuModel::check(MenuItem item, bool on)
{
    checked_[index(item)] = on;
    publish(item);
}

void MenuModel::enable(MenuItem item, bool on)
{
    enabled_[index(item)] = on;
    publish(item);
}

void MenuModel::publishAll() const
{
    for (int i = 0; i < kMenuItemCount; ++i)
        publish(static_cast<MenuItem>(i));
}

void MenuModel::publish(MenuItem item) const
{
    window_.showMenuItem(item, checked(item), enabled(item));
}

} // namespace vornix

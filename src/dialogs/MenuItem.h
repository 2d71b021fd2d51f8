// Every item of the main window's menu bar.
#pragma once

#include <cstdint>

namespace vornix {

enum class MenuItem : std::uint8_t {
    // Game
    NewGameMenu,
    GameTypeMenu,
    HumanFirstMenu,
    ComputerFirstMenu,
    RandomFirstMenu,
    NoughtsFirstMenu,
    CrossesFirstMenu,
    RanomHvH,
    AutoPlayMenu,
    SaveGameMenu,
    LoadGameMenu,
    TakeBackMenu,
    RedoMoveMenu,
    SwapMenu,
    AnotherGoMenu,
    HintMenu,
    ExitMenu,
    // Rotate View
    XClockMenu,
    XAClockMenu,
    YClockMenu,
    YAClockMenu,
    ZClockMenu,
    ZAClockMenu,
    MirrorXYMenu,
    MirrorXZMenu,
    MirrorYZMenu,
    // Opponent
    EvaluateMenu,
    CommonSenseMenu,
    MiniMaxMenu,
    AlphaBetaMenu,
    CMenu,
    ZeddonMenu,
    EvaluatingOptionsMenu,
    DepthMenu,
    SearchDepthMenu1,
    SearchDepthMenu2,
    SearchDepthMenu3,
    SearchDepthMenu4,
    SearchDepthMenu5,
    SearchDepthMenu6,
    // Options
    FunnyFonts,
    StatisticsMenu,
    // Help
    HowToPlayMenu,
    AboutMenu,
};

inline constexpr int kMenuItemCount = static_cast<int>(MenuItem::AboutMenu) + 1;

constexpr MenuItem searchDepthItem(int depth)
{
    return static_cast<MenuItem>(static_cast<int>(MenuItem::SearchDepthMenu1) + depth - 1);
}

} // namespace vornix

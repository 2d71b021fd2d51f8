// Swapping the men and extra turns for the computer: liberties of a game against the computer.
#include "game/Game.h"

namespace vornix {

namespace {
constexpr const char* kSinglePlayerOnly = "You can only do that in single player games.";
}

void Game::SwapMenu_Click()
{
    if (busy())
        return;
    if (st_.TwoPlayerGame) {
        window_.messageBox(kSinglePlayerOnly);
        return;
    }
    st_.Cheated = true;
    Swap_Click();
}

void Game::AnotherGoMenu_Click()
{
    if (busy())
        return; // a second computer turn never starts inside the first
    if (st_.TwoPlayerGame) {
        window_.messageBox(kSinglePlayerOnly);
        return;
    }
    st_.Cheated = true;
    Mygo_Click();
}

void Game::Swap_Click()
{
    for (int cell : kVisitOrder) {
        std::int32_t& value = st_.GridContents[cell];
        if (value == kNought || value == kCross) {
            value = value == kNought ? kCross : kNought;
            window_.setCellCaption(cell, captionOf(value));
            window_.setCellPointer(cell, Pointer::Arrow);
        }
    }
    forgetPositionMarks();
    refreshMarks();
}

void Game::Mygo_Click()
{
    exclusively([this] { Play(); });
}

} // namespace vornix

// Fuzzes the readers of typed and pasted games: any text is refused, or read as distinct cells that
// name themselves back the same, whose board is an unfinished game with crosses to move; and a
// paste into a game either starts a new game the text describes or changes nothing at all.
#include "RecordingWindow.h"
#include "game/Notation.h"
#include "review/Paste.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

using namespace vornix;

namespace {

void readsCells(std::string_view text)
{
    const auto cells = readCells(text);
    if (!cells)
        return;
    std::string names;
    for (int cell : *cells) {
        if (cell < 0 || cell >= kCells)
            std::abort();
        names += cellName(cell) + ' ';
    }
    if (readCells(names) != cells)
        std::abort();
    if (const auto grid = boardAfter(*cells)) {
        const auto crosses = std::count(grid->begin(), grid->end(), kCross);
        const auto noughts = std::count(grid->begin(), grid->end(), kNought);
        if (gameFinished(*grid) || noughts + crosses != static_cast<long>(cells->size()) || noughts - crosses > 1
            || noughts < crosses)
            std::abort();
    }
}

void pastes(std::string_view text)
{
    testing::RecordingWindow window;
    window.folder = "/nonexistent";
    Game game(window);
    game.Form_Load();
    game.RanomHvH_Click(); // two humans: nothing answers, so the board is exactly what was pasted
    game.NoughtsFirstMenu_Click();
    game.NewGameMenu_Click();
    game.cell_MouseUp(5, MouseButton::Left);
    const GameState before = game.state();
    game.paste(text);
    const Pasted pasted = readPaste(text);
    if (std::holds_alternative<PasteRefusal>(pasted)) {
        if (!(game.state() == before) || window.messages.empty())
            std::abort();
        return;
    }
    const Grid& board = game.state().GridContents;
    if (gameFinished(board) || game.positionForCopy().size() != kCells)
        std::abort();
    if (const auto* list = std::get_if<PastedPlacements>(&pasted)) {
        if (readPaste(game.gameForCopy()).index() != 0 || piecesOn(board) != static_cast<int>(list->cells.size()))
            std::abort();
    } else if (readPaste(game.positionForCopy()).index() != 1 || board != std::get<PastedPosition>(pasted).grid) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    readsCells(text);
    pastes(text);
    return 0;
}

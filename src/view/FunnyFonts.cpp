// Funny fonts: every cell in a typeface drawn at random from the installed ones, and back.
#include "game/Game.h"

namespace vornix {

void Game::FunnyFonts_Click()
{
    const std::vector<std::string> fonts = window_.installedFonts();
    window_.randomize();
    if (menus_.checked(MenuItem::FunnyFonts)) {
        for (int n = 0; n < kCells; ++n)
            window_.setCellFont(n, "Arial");
        menus_.check(MenuItem::FunnyFonts, false);
        return;
    }
    for (int n = 0; n < kCells; ++n) {
        const double r = window_.rnd();
        if (fonts.empty())
            continue; // nothing to choose from: the cell keeps its face
        const auto pick = static_cast<std::size_t>(r * static_cast<double>(fonts.size()));
        window_.setCellFont(n, fonts[pick < fonts.size() ? pick : fonts.size() - 1]);
    }
    menus_.check(MenuItem::FunnyFonts, true);
}

} // namespace vornix

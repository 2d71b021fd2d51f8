#include "dialogs/EvaluatingOptions.h"

#include "game/LeadingNumber.h"

#include <algorithm>
#include <utility>

namespace vornix {

std::int32_t weightFromText(std::string_view text)
{
    return static_cast<std::int32_t>(
        std::clamp(leadingWhole(text, Rounding::Down), std::int64_t{-kWeightLimit}, std::int64_t{kWeightLimit}));
}

EvalWeights EvaluatingOptions::firstSet() const
{
    return {weightFromText(Text1[0]), weightFromText(Text1[3]), weightFromText(Text1[1]), weightFromText(Text1[4]),
            weightFromText(Text1[2])};
}

EvalWeights EvaluatingOptions::secondSet() const
{
    return {weightFromText(Text1[7]), weightFromText(Text1[9]), weightFromText(Text1[6]), weightFromText(Text1[8]),
            weightFromText(Text1[5])};
}

} // namespace vornix

#include "game/Game.h"

#include <string>

namespace vornix {

void Game::publishOptions() const
{
    for (int n = 0; n < 10; ++n)
        window_.showOptionText(n, options_.Text1[n]);
    window_.showSecondPlayer(options_.Option1, options_.SearcDepth2, options_.depthListUsable);
}

void Game::setOptionText(int index, std::string text)
{
    options_.Text1[index] = std::move(text);
    Text1_Change(index);
}

void Game::Text1_Change(int Index)
{
    std::string& text = options_.Text1[Index];
    const std::int64_t whole = leadingWhole(text, Rounding::Down);
    if (whole > kWeightLimit) {
        window_.beep();
        window_.messageBox("Thats too big");
        text = "20";
    } else if (whole < -kWeightLimit) {
        // Mirrors the upper limit, so that no weight can carry a score out of 32 bits.
        window_.beep();
        window_.messageBox("Thats too small");
        text = "20";
    } else {
        text = std::to_string(whole);
    }
    window_.showOptionText(Index, text);
    UpdateVariables();
}

void Game::UpdateVariables()
{
    st_.weights = options_.firstSet();
}

void Game::ResetButton_Click()
{
    setOptionText(0, "8");
    setOptionText(1, "40");
    setOptionText(2, "300");
    setOptionText(3, "9");
    setOptionText(4, "50");
}

void Game::Reset2_Click()
{
    setOptionText(5, "300");
    setOptionText(6, "40");
    setOptionText(7, "8");
    setOptionText(8, "50");
    setOptionText(9, "9");
    Option1_Click(static_cast<std::int16_t>(SecondPlayer::AlphaBeta));
    setSecondPlayerDepth(2);
}

void Game::Option1_Click(std::int16_t Index)
{
    options_.Option1 = Index;
    options_.depthListUsable = Index == static_cast<std::int16_t>(SecondPlayer::AlphaBeta)
        || Index == static_cast<std::int16_t>(SecondPlayer::Snibbet);
    window_.showSecondPlayer(options_.Option1, options_.SearcDepth2, options_.depthListUsable);
}

void Game::setSecondPlayerDepth(int listIndex)
{
    if (listIndex < 0 || listIndex >= kMaxSearchDepth)
        return;
    options_.SearcDepth2 = listIndex;
    window_.showSecondPlayer(options_.Option1, options_.SearcDepth2, options_.depthListUsable);
}

} // namespace vornix

#include "dialogs/EvaluatingOptions.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>

namespace vornix {

double leadingNumber(std::string_view text)
{
    // Blanks are passed over wherever they stand, as the boxes have always read them.
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            s.push_back(c);

    std::size_t pos = 0;
    auto digit = [&](std::size_t p) { return p < s.size() && std::isdigit(static_cast<unsigned char>(s[p])); };
    bool negative = false;
    if (pos < s.size() && (s[pos] == '-' || s[pos] == '+'))
        negative = s[pos++] == '-';

    double value = 0.0;
    bool any = false;
    while (digit(pos)) {
        value = value * 10.0 + (s[pos++] - '0');
        any = true;
    }
    if (pos < s.size() && s[pos] == '.') {
        ++pos;
        double scale = 0.1;
        while (digit(pos)) {
            value += (s[pos++] - '0') * scale;
            scale /= 10.0;
            any = true;
        }
    }
    if (!any)
        return 0.0;
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E' || s[pos] == 'd' || s[pos] == 'D')) {
        std::size_t p = pos + 1;
        bool negativeExponent = false;
        if (p < s.size() && (s[p] == '-' || s[p] == '+'))
            negativeExponent = s[p++] == '-';
        if (digit(p)) {
            int exponent = 0;
            while (digit(p)) {
                exponent = std::min(exponent * 10 + (s[p++] - '0'), 1000);
            }
            value *= std::pow(10.0, negativeExponent ? -exponent : exponent);
        }
    }
    return negative ? -value : value;
}

std::int32_t weightFromText(std::string_view text)
{
    const double whole = std::floor(leadingNumber(text));
    return static_cast<std::int32_t>(std::clamp(whole, double{-kWeightLimit}, double{kWeightLimit}));
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

namespace {

std::string integerText(double whole)
{
    return std::to_string(static_cast<long long>(whole));
}

} // namespace

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
    const double whole = std::floor(leadingNumber(text));
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
        text = integerText(whole);
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

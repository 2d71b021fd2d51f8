// A window that remembers what the game did to it, answers with scripted values, and can run a
// command whenever the game yields to the event loop.
#pragma once

#include "game/Game.h"
#include "view/Window.h"

#include <array>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vornix::testing {

class RecordingWindow : public Window {
public:
    RecordingWindow()
    {
        pointers.fill(Pointer::Piece);
        visible.fill(true);
    }

    void setCellCaption(int cell, std::string_view caption) override { captions[cell] = caption; }
    std::string cellCaption(int cell) const override { return captions[cell]; }
    void setCellPointer(int cell, Pointer pointer) override { pointers[cell] = pointer; }
    Pointer cellPointer(int cell) const override { return pointers[cell]; }
    void setCellCursor(int cell, PieceCursor cursor) override { cursors[cell] = cursor; }
    void setCellBackground(int cell, Rgb colour) override { backgrounds[cell] = colour; }
    void setCellForeground(int cell, Rgb colour) override { foregrounds[cell] = colour; }
    void setCellFont(int cell, std::string_view face) override { fonts[cell] = face; }
    void setCellVisible(int cell, bool shown) override
    {
        visible[cell] = shown;
        ++visibilityChanges;
    }
    void showMarks(const BoardMarks& shown) override
    {
        marks = shown;
        log.push_back("marks " + std::to_string(shown.lineCells));
    }
    void setTurnCaption(std::string_view caption) override
    {
        turnCaption = caption;
        log.push_back("caption " + turnCaption);
    }
    void showReadyGauge(float value) override { gauge.push_back(value); }
    void showStatus(std::string_view text) override { status = text; }
    void showMenuItem(MenuItem item, bool checked, bool enabled) override { menu[item] = {checked, enabled}; }
    void showOptionText(int index, std::string_view text) override { optionTexts[index] = text; }
    void showSecondPlayer(int option, int depthIndex, bool usable) override
    {
        secondPlayer = {option, depthIndex, usable ? 1 : 0};
    }
    void showBusy(bool busy) override { busyShown = busy; }
    void messageBox(std::string_view text) override
    {
        messages.emplace_back(text);
        log.push_back("message " + messages.back());
    }
    void beep() override { ++beeps; }
    bool ask(std::string_view question) override
    {
        messages.emplace_back(question);
        log.push_back("ask " + messages.back());
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.pop_front();
        return yes;
    }
    void playSound(const std::filesystem::path& wave) override
    {
        sounds.push_back(wave);
        log.push_back("sound " + wave.filename().string());
    }
    void yieldToEvents() override
    {
        ++yields;
        if (onYield)
            onYield(yields);
    }
    void pause(int milliseconds) override
    {
        pauses.push_back(milliseconds);
        if (onPause)
            onPause();
    }
    std::optional<std::filesystem::path> chooseFile(FileDialogForm form) override
    {
        dialogForms.push_back(form);
        return chosenFile;
    }
    void fileWorked(const std::filesystem::path& file) override { filesWorked.push_back(file); }
    std::vector<std::string> installedFonts() const override { return fontList; }
    std::filesystem::path statisticsFile() const override { return folder / "Statistics"; }
    std::filesystem::path soundFile(std::string_view name) const override { return folder / name; }
    void randomize() override { ++reseeds; }
    double rnd() override
    {
        if (draws.empty())
            return 0.0;
        const double r = draws.front();
        draws.pop_front();
        return r;
    }

    std::array<std::string, 64> captions{};
    std::array<Pointer, 64> pointers{};
    std::array<PieceCursor, 64> cursors{};
    std::array<Rgb, 64> backgrounds{};
    std::array<Rgb, 64> foregrounds{};
    std::array<std::string, 64> fonts{};
    std::array<bool, 64> visible{};
    int visibilityChanges = 0;
    BoardMarks marks;
    std::string turnCaption;
    std::string status;
    std::vector<float> gauge;
    std::map<MenuItem, std::pair<bool, bool>> menu;
    std::map<int, std::string> optionTexts;
    std::array<int, 3> secondPlayer{};
    bool busyShown = false;
    std::vector<std::string> messages;
    std::deque<bool> answers; // to the questions asked, in order; No when none is left
    // The marks, captions, sounds and messages in the order they were shown.
    std::vector<std::string> log;
    int beeps = 0;
    std::vector<std::filesystem::path> sounds;
    int yields = 0;
    std::function<void(int)> onYield;
    std::vector<int> pauses;
    std::function<void()> onPause;
    std::vector<FileDialogForm> dialogForms;
    std::optional<std::filesystem::path> chosenFile;
    std::vector<std::filesystem::path> filesWorked; // saved to or loaded from
    std::vector<std::string> fontList;
    std::filesystem::path folder;
    int reseeds = 0;
    std::deque<double> draws;
};

// A full board on which no line is complete.
inline constexpr std::string_view kDrawnBoard = "OXOOOXXOXOXOOOOXXXXOXOOOOXXXXXOOOXOXXOOOXXXOXOOXXOXOXOXXOXOOXOXX";

// Writes a position onto the game's board and the cells' captions, as if it had been played.
inline void setBoard(Game& game, RecordingWindow& window, const Grid& grid)
{
    game.state().GridContents = grid;
    for (int n = 0; n < 64; ++n)
        window.captions[n] = captionOf(grid[n]);
}

// A position from its 64-character text ('.', 'O', 'X' in flat cell order).
inline Grid gridOf(std::string_view text)
{
    Grid grid{};
    for (int n = 0; n < 64; ++n)
        grid[n] = text[n] == 'O' ? kNought : text[n] == 'X' ? kCross : kEmpty;
    return grid;
}

// A position from a list of noughts and crosses.
inline Grid gridWith(std::initializer_list<Coord> noughts, std::initializer_list<Coord> crosses = {})
{
    Grid grid{};
    for (Coord c : noughts)
        grid[cellIndex(c)] = kNought;
    for (Coord c : crosses)
        grid[cellIndex(c)] = kCross;
    return grid;
}

inline int countPieces(const Grid& grid, std::int32_t piece)
{
    int n = 0;
    for (std::int32_t v : grid)
        n += v == piece;
    return n;
}

} // namespace vornix::testing

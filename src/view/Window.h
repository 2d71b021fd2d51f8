// The one door between the game's rules and the screen: every window operation the rules need.
#pragma once

#include "dialogs/MenuItem.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornix {

// A cell's mouse pointer, by the codes the game uses.
enum class Pointer : std::int32_t { Arrow = 0, Busy = 13, Piece = 99 };

// The cursor image a cell offers when its pointer is Pointer::Piece.
enum class PieceCursor : std::uint8_t { Nought, Cross };

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

enum class FileDialogForm : std::uint8_t { Save, Open };

// Marks beyond the plain captions: the cells of completed lines and the computer's latest cross.
struct BoardMarks {
    std::uint64_t lineCells = 0; // bit n set: cell n lies on a completed line
    int latestCross = -1;        // -1: none
    int hint = -1;               // the cell a hint suggests; -1: none
    friend constexpr bool operator==(const BoardMarks&, const BoardMarks&) = default;
};

class Window {
public:
    virtual ~Window() = default;

    // The 64 cell labels.
    virtual void setCellCaption(int cell, std::string_view caption) = 0;
    virtual std::string cellCaption(int cell) const = 0;
    virtual void setCellPointer(int cell, Pointer pointer) = 0;
    virtual Pointer cellPointer(int cell) const = 0;
    virtual void setCellCursor(int cell, PieceCursor cursor) = 0;
    virtual void setCellBackground(int cell, Rgb colour) = 0;
    virtual void setCellForeground(int cell, Rgb colour) = 0;
    virtual void setCellFont(int cell, std::string_view face) = 0;
    virtual void setCellVisible(int cell, bool visible) = 0;
    virtual void showMarks(const BoardMarks& marks) = 0;

    // The status bar's words, and news that the move list's rows may have changed.
    virtual void showStatus(std::string_view /*text*/) {}
    virtual void movesChanged() {}

    // The turn caption and the progress bar that draws ReadyGauge.
    virtual void setTurnCaption(std::string_view caption) = 0;
    virtual void showReadyGauge(float value) = 0;

    // Mirrors of the core's menu and options models.
    virtual void showMenuItem(MenuItem item, bool checked, bool enabled) = 0;
    virtual void showOptionText(int index, std::string_view text) = 0;
    virtual void showSecondPlayer(int option, int depthListIndex, bool depthListUsable) = 0;
    // While the computer thinks or a match runs, commands that would change the board are refused.
    virtual void showBusy(bool busy) = 0;

    // A modal message box with one OK button and the title "Vornix".
    virtual void messageBox(std::string_view text) = 0;
    virtual void beep() = 0;
    // A question with Yes and No; true for Yes.
    virtual bool ask(std::string_view /*question*/) { return false; }
    // Plays a wave file to its end and returns then, or after about a second more at the latest; a
    // missing or unplayable file, or a machine without sound, is silent.
    virtual void playSound(const std::filesystem::path& wave) = 0;
    // Lets pending events run and returns.
    virtual void yieldToEvents() = 0;
    // Lets events run for about this long, so that the user can watch a match.
    virtual void pause(int milliseconds) = 0;

    virtual std::optional<std::filesystem::path> chooseFile(FileDialogForm form) = 0;
    // A game was saved to, or loaded from, this file: the next file dialog may open beside it.
    virtual void fileWorked(const std::filesystem::path& /*file*/) {}
    virtual std::vector<std::string> installedFonts() const = 0;
    // Where the statistics file is kept, and where a sound of the game ("Win.wav", "lose.wav") is found.
    virtual std::filesystem::path statisticsFile() const = 0;
    virtual std::filesystem::path soundFile(std::string_view name) const = 0;
    // Where the player's solved puzzles are kept: beside the statistics.
    virtual std::filesystem::path puzzleProgressFile() const
    {
        return statisticsFile().parent_path() / "PuzzlesSolved";
    }
    // Where other data the game ships is found ("book.txt"): where its sounds are.
    virtual std::filesystem::path dataFile(std::string_view name) const { return soundFile(name); }

    // The random source: reseeded from the clock, then uniform in [0, 1).
    virtual void randomize() = 0;
    virtual double rnd() = 0;
};

} // namespace vornix

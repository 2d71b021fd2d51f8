// A window that shows nothing: for playing matches and analysing positions without a screen.
// Its random source is seeded once and never from the clock, so a seed gives the same games.
#pragma once

#include "storage/DataFiles.h"
#include "view/Window.h"

#include <array>
#include <random>
#include <string>

namespace vornix {

class HeadlessWindow : public Window {
public:
    explicit HeadlessWindow(std::uint64_t seed) : random_(seed) {}

    void setCellCaption(int cell, std::string_view caption) override { captions_[cell] = caption; }
    std::string cellCaption(int cell) const override { return captions_[cell]; }
    void setCellPointer(int cell, Pointer pointer) override { pointers_[cell] = pointer; }
    Pointer cellPointer(int cell) const override { return pointers_[cell]; }
    void setCellCursor(int, PieceCursor) override {}
    void setCellBackground(int, Rgb) override {}
    void setCellForeground(int, Rgb) override {}
    void setCellFont(int, std::string_view) override {}
    void setCellVisible(int, bool) override {}
    void showMarks(const BoardMarks&) override {}
    void setTurnCaption(std::string_view) override {}
    void showReadyGauge(float) override {}
    void showMenuItem(MenuItem, bool, bool) override {}
    void showOptionText(int, std::string_view) override {}
    void showSecondPlayer(int, int, bool) override {}
    void showBusy(bool) override {}
    void messageBox(std::string_view text) override { lastMessage_ = text; }
    void beep() override {}
    void playSound(const std::filesystem::path&) override {}
    void yieldToEvents() override {}
    void pause(int) override {}
    std::optional<std::filesystem::path> chooseFile(FileDialogForm) override { return std::nullopt; }
    std::vector<std::string> installedFonts() const override { return {}; }
    std::filesystem::path statisticsFile() const override { return {}; }
    std::filesystem::path soundFile(std::string_view) const override { return {}; }
    std::filesystem::path dataFile(std::string_view name) const override { return programDataFile(name); }
    void randomize() override {}
    double rnd() override { return std::uniform_real_distribution<double>(0.0, 1.0)(random_); }

    const std::string& lastMessage() const { return lastMessage_; }

private:
    std::array<std::string, 64> captions_{};
    std::array<Pointer, 64> pointers_{};
    std::string lastMessage_;
    std::mt19937_64 random_;
};

} // namespace vornix

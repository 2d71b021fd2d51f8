// The game's window operations carried out on the real widgets of the main window.
#pragma once

#include "game/ClockRandom.h"
#include "qt/SoundPlayer.h"
#include "storage/Statistics.h"
#include "view/Window.h"

#include <QString>

#include <array>
#include <memory>

class QEventLoop;

namespace vornix::qt {

class MainWindow;

class QtWindow : public Window {
public:
    explicit QtWindow(MainWindow& main) : main_(main) {}

    void setCellCaption(int cell, std::string_view caption) override;
    std::string cellCaption(int cell) const override;
    void setCellPointer(int cell, Pointer pointer) override;
    Pointer cellPointer(int cell) const override { return pointers_[cell]; }
    void setCellCursor(int cell, PieceCursor cursor) override;
    void setCellBackground(int cell, Rgb colour) override;
    void setCellForeground(int cell, Rgb colour) override;
    void setCellFont(int cell, std::string_view face) override;
    void setCellVisible(int cell, bool visible) override;
    void showMarks(const BoardMarks& marks) override;
    void showStatus(std::string_view text) override;
    void movesChanged() override;
    void setTurnCaption(std::string_view caption) override;
    void showReadyGauge(float value) override;
    void showMenuItem(MenuItem item, bool checked, bool enabled) override;
    void showOptionText(int index, std::string_view text) override;
    void showSecondPlayer(int option, int depthListIndex, bool depthListUsable) override;
    void showBusy(bool busy) override;
    void messageBox(std::string_view text) override;
    void beep() override;
    bool ask(std::string_view question) override;
    void playSound(const std::filesystem::path& wave) override;
    void yieldToEvents() override;
    void pause(int milliseconds) override;
    std::optional<std::filesystem::path> chooseFile(FileDialogForm form) override;
    void fileWorked(const std::filesystem::path& file) override;
    std::vector<std::string> installedFonts() const override;
    std::filesystem::path statisticsFile() const override;
    std::filesystem::path soundFile(std::string_view name) const override;
    void randomize() override { random_.reseedFromClock(); }
    double rnd() override { return random_.next(); }

    // Once the window closes nothing more is shown, played or waited for.
    void close();
    // For tests: no sound, and no wait for it; or sounds played through another output.
    void setSilent(bool silent) { silent_ = silent; }
    void setSoundOutput(std::unique_ptr<SoundOutput> output);

private:
    void refreshCursor(int cell);
    static CopyKind copyKind();
    QString firstFolderForFiles() const;

    MainWindow& main_;
    std::array<Pointer, 64> pointers_{};
    std::array<PieceCursor, 64> cursors_{};
    ClockRandom random_;
    QEventLoop* pausing_ = nullptr;
    std::unique_ptr<SoundPlayer> sound_ = std::make_unique<SoundPlayer>();
    QString lastFolder_;
    bool closing_ = false;
    bool silent_ = false;
};

} // namespace vornix::qt

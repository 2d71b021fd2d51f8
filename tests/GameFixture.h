// A game started as the program starts it, on a recording window with its own folder.
#pragma once

#include "RecordingWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace vornix::testing {

class GameFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        window.folder = std::filesystem::temp_directory_path() / ("vornix-test-" + name);
        std::filesystem::remove_all(window.folder);
        std::filesystem::create_directories(window.folder);
        game.Form_Load();
    }
    void TearDown() override { std::filesystem::remove_all(window.folder); }

    GameState& st() { return game.state(); }
    void board(const Grid& grid) { setBoard(game, window, grid); }
    bool checked(MenuItem item) const { return game.menus().checked(item); }
    bool enabled(MenuItem item) const { return game.menus().enabled(item); }

    RecordingWindow window;
    Game game{window};
};

// Random positions without a completed line, with about as many crosses as noughts.
inline Grid randomPosition(std::mt19937& random, int pieces)
{
    for (;;) {
        Grid grid{};
        std::array<int, 64> cells{};
        for (int n = 0; n < 64; ++n)
            cells[n] = n;
        std::shuffle(cells.begin(), cells.end(), random);
        for (int n = 0; n < pieces; ++n)
            grid[cells[n]] = n % 2 == 0 ? kNought : kCross;
        bool complete = false;
        for (const Line& line : kLines) {
            const int sum = grid[line[0]] + grid[line[1]] + grid[line[2]] + grid[line[3]];
            complete |= sum == 20 || sum == 28;
        }
        if (!complete)
            return grid;
    }
}

} // namespace vornix::testing

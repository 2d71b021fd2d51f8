// The puzzles the game ships: positions from real games where the side to move has a forced win,
// each with the placements of its game from the empty board, its grade (the attacker's placements in
// the shortest forced win against the best defence, the completing one included) and a winning
// first move. The file is plain text:
//
//   vornix-puzzles 1
//   # id grade unique move placements...
//   1 3 1 42 0 21 5 ...
//
// one puzzle a line: its number, its grade, 1 when no other first move wins within the grade (else
// 0), the winning move and the placements, every cell an index i + 4j + 16k. Lines starting with
// '#' and blank lines are skipped.
#pragma once

#include "ai/Bitboard.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornix {

struct Puzzle {
    int id = 0;
    int grade = 0;
    bool unique = false;
    int move = 0;
    std::vector<int> placements;

    // The board after the placements, the side to move first (it placed first when the count is
    // even).
    Sides position() const;
    friend bool operator==(const Puzzle&, const Puzzle&) = default;
};

inline constexpr int kMaxGrade = 9;

// The puzzles of a file's text, or why it cannot be read (the line and what is wrong there).
struct PuzzleSet {
    std::vector<Puzzle> puzzles;
    std::string error;
};
PuzzleSet readPuzzles(std::string_view text);
std::string writePuzzles(const std::vector<Puzzle>& puzzles);
PuzzleSet readPuzzleFile(const std::filesystem::path& file);

// What a second look finds wrong with a puzzle, each fault a line; empty when it holds: its
// placements make a game that was not over, the move is free, the side to move cannot win in one,
// wins within the grade by that move and not within one fewer, and no other move wins within the
// grade when the puzzle says so. Nothing is said (and false returned in `settled`) where the search
// ran out of budget.
std::string checkPuzzle(const Puzzle& puzzle, bool& settled);

// A position as 64 characters, the side to move's pieces written as crosses.
std::string sidesText(Sides s);

// The same position up to the cube's symmetries, the side to move's pieces first: the key under
// which a player's progress is kept.
std::string puzzleKey(const Puzzle& puzzle);

// The keys of the puzzles a player has solved, one a line; lines that are not keys are skipped.
std::vector<std::string> readSolved(std::string_view text);
std::string writeSolved(const std::vector<std::string>& keys);

} // namespace vornix

#include "puzzles/Puzzles.h"

#include "ai/Prover.h"
#include "ai/BoardSymmetries.h"
#include "puzzles/WinLength.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

namespace vornix {

namespace {

constexpr std::uint64_t kProverNodes = 2'000'000;

// The numbers of a line, or nothing when a word is not a number.
std::optional<std::vector<int>> numbers(std::string_view line)
{
    std::vector<int> values;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t\r", at);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(line.find_first_of(" \t\r", start), line.size());
        int value = 0;
        const auto [stop, ec] = std::from_chars(line.data() + start, line.data() + end, value);
        if (ec != std::errc{} || stop != line.data() + end)
            return std::nullopt;
        values.push_back(value);
        at = end;
    }
    return values;
}

} // namespace

Sides Puzzle::position() const
{
    Sides s;
    // The side to move placed first when the count is even.
    for (std::size_t n = 0; n < placements.size(); ++n)
        ((placements.size() - n) % 2 == 0 ? s.mine : s.theirs) |= cellBit(placements[n]);
    return s;
}

PuzzleSet readPuzzles(std::string_view text)
{
    PuzzleSet set;
    int number = 0;
    bool header = false;
    std::size_t at = 0;
    while (at <= text.size() && set.error.empty()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++number;
        const auto fault = [&](const std::string& why) { set.error = "line " + std::to_string(number) + ": " + why; };
        if (!header) {
            if (line != "vornix-puzzles 1" && line != "vornix-puzzles 1\r")
                fault("not a puzzle file of this version (it begins \"vornix-puzzles 1\")");
            header = true;
            continue;
        }
        if (line.find_first_not_of(" \t\r") == std::string_view::npos || line.front() == '#')
            continue;
        const auto values = numbers(line);
        if (!values || values->size() < 5) {
            fault("expected an id, a grade, 0 or 1, a move and placements, all numbers");
            continue;
        }
        Puzzle p;
        p.id = (*values)[0];
        p.grade = (*values)[1];
        p.move = (*values)[3];
        p.unique = (*values)[2] == 1;
        p.placements.assign(values->begin() + 4, values->end());
        Cells seen = 0;
        bool cellsHold = p.move >= 0 && p.move < kCells && p.placements.size() < kCells;
        for (const int cell : p.placements) {
            cellsHold = cellsHold && cell >= 0 && cell < kCells && (seen & cellBit(cell)) == 0;
            if (cellsHold)
                seen |= cellBit(cell);
        }
        if (p.id < 1 || p.grade < 1 || p.grade > kMaxGrade || (*values)[2] < 0 || (*values)[2] > 1)
            fault("an id from 1, a grade from 1 to " + std::to_string(kMaxGrade) + " and 0 or 1 expected");
        else if (!cellsHold || (seen & cellBit(p.move)) != 0)
            fault("every cell is 0-63, placed once, and the move is a free cell");
        else if (std::any_of(set.puzzles.begin(), set.puzzles.end(), [&](const Puzzle& q) { return q.id == p.id; }))
            fault("puzzle " + std::to_string(p.id) + " comes twice");
        else
            set.puzzles.push_back(std::move(p));
    }
    if (!header && set.error.empty())
        set.error = "the file is empty";
    if (!set.error.empty())
        set.puzzles.clear();
    return set;
}

std::string writePuzzles(const std::vector<Puzzle>& puzzles)
{
    std::ostringstream out;
    out << "vornix-puzzles 1\n# id grade unique move placements...\n";
    for (const Puzzle& p : puzzles) {
        out << p.id << ' ' << p.grade << ' ' << (p.unique ? 1 : 0) << ' ' << p.move;
        for (const int cell : p.placements)
            out << ' ' << cell;
        out << '\n';
    }
    return out.str();
}

PuzzleSet readPuzzleFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {{}, "cannot be opened"};
    std::ostringstream text;
    text << in.rdbuf();
    return readPuzzles(text.str());
}

std::string checkPuzzle(const Puzzle& p, bool& settled)
{
    settled = true;
    std::string faults;
    Grid grid{};
    for (std::size_t n = 0; n < p.placements.size(); ++n) {
        if (gameFinished(grid))
            return "the game was over before placement " + std::to_string(n + 1) + "\n";
        grid[p.placements[n]] = n % 2 == 0 ? kNought : kCross;
    }
    if (gameFinished(grid))
        return "the game is over\n";
    const Sides s = p.position();
    WinLength length;
    if (length.winsWithin(s, 1) == std::optional<bool>(true))
        faults += "the side to move wins in one\n";
    auto settle = [&](std::optional<bool> answer) {
        settled = settled && answer.has_value();
        return answer.value_or(false);
    };
    if (!settle(length.winsWithMove(s, p.move, p.grade)))
        faults += settled ? "the move does not win within the grade\n" : "";
    if (p.grade > 1 && settled && settle(length.winsWithin(s, p.grade - 1)))
        faults += "the side to move wins within one fewer\n";
    // The prover, which shares nothing with the grading but the rules, must find the win too.
    if (settled) {
        Prover prover(std::size_t{32} << 20);
        const Proof proof = prover.prove(s, [](const ProverProgress&) { return true; }, kProverNodes).proof;
        settled = proof != Proof::Unknown;
        if (proof == Proof::NoWin)
            faults += "the prover finds no forced win\n";
    }
    if (p.unique && settled) {
        const auto moves = length.winningMoves(s, p.grade);
        settled = moves.has_value();
        if (moves && std::any_of(moves->begin(), moves->end(), [&](int move) { return move != p.move; }))
            faults += "another first move wins within the grade\n";
    }
    return faults;
}

std::string sidesText(Sides s)
{
    std::string text(kCells, '.');
    for (int cell = 0; cell < kCells; ++cell)
        text[static_cast<std::size_t>(cell)] = (s.mine >> cell & 1U) ? 'X' : (s.theirs >> cell & 1U) ? 'O' : '.';
    return text;
}

std::string puzzleKey(const Puzzle& puzzle)
{
    return sidesText(canonical(puzzle.position()));
}

std::vector<std::string> readSolved(std::string_view text)
{
    std::vector<std::string> keys;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() == kCells && line.find_first_not_of(".OX") == std::string_view::npos
            && std::find(keys.begin(), keys.end(), line) == keys.end())
            keys.emplace_back(line);
    }
    return keys;
}

std::string writeSolved(const std::vector<std::string>& keys)
{
    std::string text;
    for (const std::string& key : keys)
        text += key + '\n';
    return text;
}

} // namespace vornix

#include "PuzzlesCommand.h"

#include "AnalyseArguments.h"
#include "autoplay/CommandLine.h"
#include "puzzles/Generator.h"
#include "puzzles/Puzzles.h"
#include "storage/DataFiles.h"
#include "storage/SafeWrite.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <set>
#include <sstream>

namespace vornix {

namespace {

volatile std::sig_atomic_t stopped = 0;

std::vector<Puzzle> puzzlesFrom(const std::string& file)
{
    const std::filesystem::path path = file.empty() ? programDataFile("puzzles.txt") : std::filesystem::path(file);
    PuzzleSet set = readPuzzleFile(path);
    if (!set.error.empty())
        throw AnalyseUsageError("cannot read the puzzles in " + path.string() + ": " + set.error);
    return std::move(set.puzzles);
}

int generate(const std::vector<CommandLineWord>& words)
{
    int count = 200;
    std::uint64_t seed = 1;
    long games = 1'000'000;
    std::string out;
    for (const CommandLineWord& word : words) {
        const long value = std::strtol(word.value.c_str(), nullptr, 10);
        if (word.option == "count" && value >= 1 && value <= 10'000)
            count = static_cast<int>(value);
        else if (word.option == "seed" && value >= 0)
            seed = static_cast<std::uint64_t>(value);
        else if (word.option == "games" && value >= 1)
            games = value;
        else if (word.option == "out")
            out = word.value;
        else
            throw AnalyseUsageError("puzzles generate takes --count N (1-10000), --seed S, --games G and --out FILE");
    }
    if (out.empty())
        throw AnalyseUsageError("puzzles generate needs --out FILE");
    std::signal(SIGINT, [](int) { stopped = 1; });
    long played = 0;
    const std::vector<Puzzle> puzzles = generatePuzzles(count, seed, [&](const std::string& line) {
        std::fprintf(stderr, "%s\n", line.c_str());
        return stopped == 0 && ++played < games;
    });
    const std::string text = writePuzzles(puzzles);
    if (!writeFileSafely(out, std::vector<std::uint8_t>(text.begin(), text.end())))
        throw AnalyseUsageError("cannot write " + out);
    std::cout << "puzzles " << puzzles.size() << '\n';
    return 0;
}

int verify(const std::vector<Puzzle>& puzzles)
{
    int failed = 0;
    int unsettled = 0;
    std::set<std::string> keys;
    std::set<int> grades;
    for (const Puzzle& p : puzzles) {
        bool settled = true;
        std::string faults = checkPuzzle(p, settled);
        if (!keys.insert(puzzleKey(p)).second)
            faults += "the same position as another puzzle, up to the cube's symmetries\n";
        if (!settled)
            ++unsettled;
        if (!faults.empty()) {
            ++failed;
            std::istringstream lines(faults);
            for (std::string line; std::getline(lines, line);)
                std::cout << "puzzle " << p.id << ": " << line << '\n';
        }
        grades.insert(p.grade);
    }
    std::cout << "puzzles " << puzzles.size() << "\ngrades " << grades.size() << "\nfailed " << failed
              << "\nunsettled " << unsettled << '\n';
    return failed == 0 && unsettled == 0 ? 0 : 1;
}

} // namespace

int puzzlesCommand(const std::vector<std::string_view>& args)
{
    static constexpr CommandLineOption kOptions[] = {{"count", true}, {"seed", true}, {"games", true},
                                                     {"out", true},   {"help", false, 'h'}};
    std::vector<CommandLineWord> words;
    try {
        words = readCommandLine(args, kOptions);
    } catch (const std::invalid_argument& e) {
        throw AnalyseUsageError(e.what());
    }
    std::vector<std::string> operands;
    std::vector<CommandLineWord> options;
    for (const CommandLineWord& word : words) {
        if (word.option == "help") {
            std::cout << "Usage: vornix-analyse puzzles generate --out FILE [--count N] [--seed S] [--games G]\n"
                         "       vornix-analyse puzzles verify [FILE] | puzzles list [FILE]\n";
            return 0;
        }
        if (word.option.empty())
            operands.push_back(word.value);
        else
            options.push_back(word);
    }
    const std::string action = operands.empty() ? "" : operands[0];
    const std::string file = operands.size() > 1 ? operands[1] : "";
    if (action == "generate" && operands.size() == 1)
        return generate(options);
    if ((action == "verify" || action == "list") && operands.size() <= 2 && options.empty()) {
        const std::vector<Puzzle> puzzles = puzzlesFrom(file);
        if (action == "verify")
            return verify(puzzles);
        for (const Puzzle& p : puzzles)
            std::cout << p.id << ' ' << p.grade << ' ' << sidesText(p.position()) << ' ' << p.move << '\n';
        return 0;
    }
    throw AnalyseUsageError("puzzles takes generate, verify [FILE] or list [FILE]");
}

} // namespace vornix

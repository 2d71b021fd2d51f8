// vornix-analyse: the game's own evaluation and strategies on a position, for study and comparison.
//
// Nothing is played and nothing is drawn at random: the output is the position's score and tally,
// and the best value and candidate list of the strategy's visit.
#include "AnalyseArguments.h"
#include "ai/AlphaBeta.h"
#include "ai/CommonSense.h"
#include "ai/MiniMax.h"
#include "ai/OnePly.h"
#include "ai/ThreatSearch.h"
#include "ai/Zeddon.h"
#include "autoplay/MatchRunner.h"
#include "storage/SavedGame.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

using namespace vornix;

namespace {

constexpr std::string_view kUsage =
    "Usage: vornix-analyse [--strategy evalu|turn|minimax|alphabeta|threats|zeddon] [--weights a,b,c,d,e]\n"
    "                      [--depth N]\n"
    "                      [--last-human INDEX] [--snibbet] (POSITION | - | --game FILE.VRNX)\n"
    "       vornix-analyse match --p1 PLAYER --p2 PLAYER [--games N] [--seed S] [--jobs J]\n"
    "\n"
    "POSITION is 64 characters of '.', 'O' and 'X' in flat cell order (index i + 4j + 16k); '-' reads\n"
    "it from standard input. A PLAYER is belwin, tovi, quen, zeddon or morvid:DEPTH, optionally followed by\n"
    "/a,b,c,d,e weights. An option's value may also follow an equals sign: --depth=4.\n";

constexpr int kWriteError = 1;
constexpr int kUsageError = 2;
// A position is 64 characters; more than this on standard input is not one.
constexpr std::size_t kMaxInput = 4096;

std::string joined(const std::array<std::int32_t, 5>& values)
{
    std::string out;
    for (std::int32_t v : values)
        out += " " + std::to_string(v);
    return out;
}

// Whether crosses, to move, can force a win by threats, and the cells of crosses that do it.
int analyseThreats(const Grid& grid)
{
    ThreatSearch search;
    const ThreatSequence sequence = search.find(sidesOf(grid, kCross));
    std::ostringstream out;
    if (sequence.empty()) {
        out << "no forced win\n";
    } else {
        out << "forced win\nsequence";
        for (int n = 0; n < sequence.count; ++n)
            out << ' ' << int{sequence.cells[n]};
        out << '\n';
    }
    std::cout << out.str();
    return 0;
}

// The sixth persona's move for crosses, the first of its equally good cells, and why.
int analyseZeddon(const Grid& grid, const EvalWeights& weights)
{
    Zeddon zeddon;
    const ZeddonChoice choice = zeddon.choose(grid, weights);
    if (choice.candidates.empty()) {
        std::cout << "no move\n"; // the board is full
        return 0;
    }
    std::ostringstream out;
    out << "move " << int{choice.candidates.cells[0]} << "\nreason " << reasonName(choice.reason) << '\n';
    std::cout << out.str();
    return 0;
}

int analyse(const Analysis& a)
{
    const Grid& grid = *a.grid;
    if (a.strategy == "threats")
        return analyseThreats(grid);
    if (a.strategy == "zeddon")
        return analyseZeddon(grid, a.weights);
    LineTally tally;
    const std::int32_t score = Evaluate(grid, a.weights, tally);

    Choice choice;
    std::optional<std::uint64_t> nodes;
    if (a.strategy == "evalu") {
        choice = visitEvalu(grid, a.weights);
    } else if (a.strategy == "turn") {
        choice = visitTurn(grid, a.lastHuman);
    } else if (a.strategy == "minimax") {
        visitMiniMax(grid, a.weights, choice, [](std::int32_t) { return true; }, [] { return true; });
    } else if (a.snibbet) {
        // Every free cell goes to the hook, which answers 0.
        const std::array<std::int32_t, 8> table{};
        visitRoot(
            grid, kRootFloor, choice, [](int) { return true; },
            [&](int cell, std::int32_t best) {
                const Coord c = coordOf(cell);
                return NativeMoveScore(c.i, c.j, c.k, 10, best, grid.data(), a.depth.value_or(3), table.data());
            },
            [] {});
    } else {
        AlphaBetaEngine engine;
        engine.reset(grid, a.weights, a.depth.value_or(3));
        choice = searchRoot(engine, grid);
        nodes = engine.nodes();
    }

    std::ostringstream out;
    out << "score " << score << '\n';
    out << "noughts" << joined(tally.NoughtTally) << '\n';
    out << "crosses" << joined(tally.CrossTally) << '\n';
    out << "best " << choice.BestValue << '\n';
    out << "candidates";
    for (int n = 0; n < choice.candidates.count; ++n)
        out << ' ' << int{choice.candidates.cells[n]};
    out << '\n';
    if (nodes)
        out << "nodes " << *nodes << '\n';
    std::cout << out.str();
    return 0;
}

// Why a saved game cannot be read, in a few words.
std::string whyUnreadable(const std::string& file)
{
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec))
        return "it is a folder";
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (f == nullptr)
        return std::strerror(errno);
    std::fclose(f);
    return "not a game saved by Vornix";
}

Grid positionFromInput()
{
    std::string text(kMaxInput + 1, '\0');
    std::cin.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(std::cin.gcount()));
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    return parsePosition(text);
}

int analyseCommand(const std::vector<std::string_view>& args)
{
    Analysis a = parseAnalysis(args);
    if (a.help) {
        std::cout << kUsage;
        return 0;
    }
    if (a.version) {
        std::cout << "vornix-analyse " VORNIX_VERSION "\n";
        return 0;
    }
    if (a.positionOnInput)
        a.grid = positionFromInput();
    if (a.gameFile) {
        const auto bytes = readSavedGameBytes(*a.gameFile);
        const auto game = bytes ? decode(*bytes) : std::nullopt;
        if (!game) {
            std::cerr << "vornix-analyse: Error opening file " << *a.gameFile << ": " << whyUnreadable(*a.gameFile) << '\n';
            return kUsageError;
        }
        a.grid = game->GridContents;
        if (!a.depth)
            a.depth = game->SearchDepth;
    }
    return analyse(a);
}

int matchCommand(const std::vector<std::string_view>& args)
{
    const MatchArguments run = parseMatchArguments(args);
    if (run.help) {
        std::cout << kUsage;
        return 0;
    }
    return runMatchCommand(run, std::cout);
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    try {
        const int status = !args.empty() && args[0] == "match" ? matchCommand({args.begin() + 1, args.end()})
                                                               : analyseCommand(args);
        // An answer that never arrived is a failure, whatever was computed (a full disk, a closed pipe).
        std::cout.flush();
        if (!std::cout) {
            std::cerr << "vornix-analyse: the answer could not be written\n";
            return kWriteError;
        }
        return status;
    } catch (const AnalyseUsageError& e) {
        std::cerr << "vornix-analyse: " << e.what() << '\n';
        return kUsageError;
    } catch (const MatchUsageError& e) {
        std::cerr << "vornix-analyse: " << e.what() << '\n';
        return kUsageError;
    }
}

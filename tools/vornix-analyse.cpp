// vornix-analyse: the game's own evaluation and strategies on a position, for study and comparison.
//
// Nothing is played and nothing is drawn at random: the output is the position's score and tally,
// and the best value and candidate list of the strategy's visit.
#include "AnalyseArguments.h"
#include "BookCommand.h"
#include "PuzzlesCommand.h"
#include "ReviewCommand.h"
#include "ai/AlphaBeta.h"
#include "ai/CommonSense.h"
#include "ai/MiniMax.h"
#include "ai/OnePly.h"
#include "ai/Prover.h"
#include "ai/ThreatSearch.h"
#include "ai/Zeddon.h"
#include "autoplay/CommandLine.h"
#include "autoplay/MatchRunner.h"
#include "game/Notation.h"
#include "book/Strategy.h"
#include "storage/DataFiles.h"
#include "storage/SavedGame.h"

#include <bit>
#include <cctype>
#include <chrono>
#include <csignal>
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

#include <unistd.h>

using namespace vornix;

namespace {

constexpr std::string_view kUsage =
    "Usage: vornix-analyse [--strategy evalu|turn|minimax|alphabeta|threats|zeddon] [--weights a,b,c,d,e]\n"
    "                      [--depth N]\n"
    "                      [--last-human INDEX] [--snibbet] (POSITION | - | --game FILE.VRNX)\n"
    "       vornix-analyse match --p1 PLAYER --p2 PLAYER [--games N] [--seed S] [--jobs J] [--show-moves]\n"
    "       vornix-analyse prove [--seconds S] [--memory MIB] (POSITION | - | --game FILE.VRNX | --moves CELLS)\n"
    "       vornix-analyse review (--game FILE.VRNX | --moves CELLS)\n"
    "       vornix-analyse puzzles generate --out FILE [--count N] [--seed S] [--games G]\n"
    "       vornix-analyse puzzles verify [FILE] | puzzles list [FILE]\n"
    "       vornix-analyse book build --out FILE [--first CELL] [--seconds-per-position S] [--jobs J]\n"
    "                                 [--memory MIB] [--resume] [--from POSITION]\n"
    "       vornix-analyse book verify [FILE] | book frontier FILE | book merge --out FILE BOOK...\n"
    "\n"
    "POSITION is 64 characters of '.', 'O' and 'X' in flat cell order (index i + 4j + 16k); '-' reads\n"
    "it from standard input. A PLAYER is belwin, tovi, quen, zeddon or morvid:DEPTH, optionally followed by\n"
    "/a,b,c,d,e weights. An option's value may also follow an equals sign: --depth=4. CELLS are placements\n"
    "from the empty board, each three digits 1-4 (layer, row, column) or an index 0-63, crosses to move\n"
    "after the last. Every strategy, and prove, answers for crosses to move.\n";

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

// The sixth persona's move for crosses, the first of its equally good cells, and why; then all of
// them, among which the persona draws at random.
int analyseZeddon(const Grid& grid, const EvalWeights& weights)
{
    Zeddon zeddon;
    const std::optional<Book> book = readBook(programDataFile("book.txt")).first;
    zeddon.setBook(book ? &*book : nullptr);
    const ZeddonChoice choice = zeddon.choose(grid, weights);
    if (choice.candidates.empty()) {
        std::cout << "no move\n"; // the board is full
        return 0;
    }
    std::ostringstream out;
    out << "move " << int{choice.candidates.cells[0]} << "\nreason " << reasonName(choice.reason) << "\ncandidates";
    for (int n = 0; n < choice.candidates.count; ++n)
        out << ' ' << int{choice.candidates.cells[n]};
    out << '\n';
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

volatile std::sig_atomic_t interrupted = 0;

// Whether crosses, to move, can force a win, settled exactly within the time and memory given.
int proveCommand(const std::vector<std::string_view>& args)
{
    static constexpr CommandLineOption kOptions[] = {{"seconds", true}, {"memory", true}, {"game", true},
                                                     {"moves", true},   {"help", false, 'h'}};
    std::vector<CommandLineWord> words;
    try {
        words = readCommandLine(args, kOptions);
    } catch (const std::invalid_argument& e) {
        throw AnalyseUsageError(e.what());
    }
    double seconds = 0; // no limit
    std::size_t memoryMiB = 256;
    std::optional<Grid> grid;
    int given = 0;
    for (const CommandLineWord& word : words) {
        if (word.option == "help") {
            std::cout << kUsage;
            return 0;
        }
        if (word.option == "seconds") {
            seconds = std::strtod(word.value.c_str(), nullptr);
            if (!(seconds > 0) || seconds > 1e7)
                throw AnalyseUsageError("--seconds takes a number of seconds above 0");
        } else if (word.option == "memory") {
            const auto [end, ec] = std::from_chars(word.value.data(), word.value.data() + word.value.size(), memoryMiB);
            if (ec != std::errc{} || end != word.value.data() + word.value.size() || memoryMiB < 1
                || memoryMiB > 65536)
                throw AnalyseUsageError("--memory takes a number of MiB from 1 to 65536");
        } else if (word.option == "game") {
            ++given;
            const auto bytes = readSavedGameBytes(word.value);
            const auto game = bytes ? decode(*bytes) : std::nullopt;
            if (!game)
                throw AnalyseUsageError("Error opening file " + word.value + ": " + whyUnreadable(word.value));
            grid = game->GridContents;
        } else if (word.option == "moves") {
            ++given;
            const auto cells = readCells(word.value);
            grid = cells ? boardAfter(*cells) : std::nullopt;
            if (!grid)
                throw AnalyseUsageError("--moves takes cells of an unfinished game, each once: '" + word.value + "'");
        } else {
            ++given;
            grid = word.value == "-" ? positionFromInput() : parsePosition(word.value);
        }
    }
    if (given != 1)
        throw AnalyseUsageError("prove takes one position, --game or --moves");

    // A position below which the book's strategy is complete is won at once, by the book's move.
    const Sides crosses = sidesOf(*grid, kCross);
    if (const std::optional<Book> book = readBook(programDataFile("book.txt")).first;
        book && std::popcount(crosses.mine) == std::popcount(crosses.theirs)) {
        const std::optional<int> move = book->moveAt(crosses);
        const BookCheck below = move ? checkBook(*book, [](Sides) {}, crosses) : BookCheck{};
        if (move && below.frontier == 0 && below.fault.empty()) {
            std::cout << "result win\nmove " << *move << "\nnodes 0\nseconds 0.0\n";
            return 0;
        }
    }
    Prover prover(memoryMiB << 20);
    const auto start = std::chrono::steady_clock::now();
    auto lastReport = start;
    std::signal(SIGINT, [](int) { interrupted = 1; });
    const auto keepGoing = [&](const ProverProgress& p) {
        const auto now = std::chrono::steady_clock::now();
        const double elapsed = std::chrono::duration<double>(now - start).count();
        if (now - lastReport >= std::chrono::seconds(3)) {
            lastReport = now;
            std::fprintf(stderr, "%.0f s: %llu positions (%.0f a second), root %u/%u, table %.0f%% used\n", elapsed,
                         static_cast<unsigned long long>(p.nodes), static_cast<double>(p.nodes) / elapsed,
                         p.rootProof, p.rootDisproof, 100.0 * static_cast<double>(p.entriesUsed)
                             / static_cast<double>(p.entries));
        }
        return interrupted == 0 && (seconds == 0 || elapsed < seconds);
    };
    const ProofResult result = prover.prove(crosses, keepGoing);
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::ostringstream out;
    out << "result " << (result.proof == Proof::Win ? "win" : result.proof == Proof::NoWin ? "no-win" : "unknown")
        << '\n';
    if (result.proof == Proof::Win)
        out << "move " << result.move << '\n';
    char time[32];
    std::snprintf(time, sizeof time, "%.1f", elapsed);
    out << "nodes " << result.nodes << "\nseconds " << time << '\n';
    std::cout << out.str();
    return 0;
}

int matchCommand(const std::vector<std::string_view>& args)
{
    const MatchArguments run = parseMatchArguments(args);
    if (run.help) {
        std::cout << kUsage;
        return 0;
    }
    return runMatchCommand(run, std::cout, ::isatty(STDERR_FILENO) ? stderr : nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    try {
        const std::string_view command = args.empty() ? "" : args[0];
        const std::vector<std::string_view> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
        const int status = command == "match" ? matchCommand(rest)
            : command == "prove"              ? proveCommand(rest)
            : command == "book"               ? bookCommand(rest)
            : command == "review"             ? reviewCommand(rest)
            : command == "puzzles"            ? puzzlesCommand(rest)
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

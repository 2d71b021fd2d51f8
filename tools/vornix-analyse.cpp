// vornix-analyse: the game's own evaluation and strategies on a position, for study and comparison.
//
//   vornix-analyse [--strategy evalu|turn|minimax|alphabeta] [--weights a,b,c,d,e] [--depth N]
//                  [--last-human INDEX] [--snibbet] (POSITION | --game FILE.VRNX)
//   vornix-analyse match --p1 PLAYER --p2 PLAYER [--games N] [--seed S] [--jobs J]
//
// POSITION is 64 characters of '.', 'O' and 'X' in flat cell order (index i + 4j + 16k).
// Nothing is played and nothing is drawn at random: the output is the position's score and tally,
// and the best value and candidate list of the strategy's visit.
#include "ai/AlphaBeta.h"
#include "ai/CommonSense.h"
#include "ai/MiniMax.h"
#include "ai/OnePly.h"
#include "autoplay/MatchRunner.h"
#include "storage/SavedGame.h"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

using namespace vornix;

namespace {

constexpr int kUsageError = 2;

struct BadInput {
    std::string message;
};

std::int32_t parseInt(std::string_view text, std::string_view what)
{
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size())
        throw BadInput{"bad " + std::string(what) + ": '" + std::string(text) + "'"};
    return value;
}

std::int32_t parseRange(std::string_view text, std::string_view what, std::int32_t low, std::int32_t high)
{
    const std::int32_t value = parseInt(text, what);
    if (value < low || value > high)
        throw BadInput{std::string(what) + " must be " + std::to_string(low) + ".." + std::to_string(high)};
    return value;
}

Grid parsePosition(std::string_view text)
{
    if (text.size() != kCells)
        throw BadInput{"a position is 64 characters of '.', 'O' and 'X', not " + std::to_string(text.size())};
    Grid grid{};
    for (int n = 0; n < kCells; ++n) {
        switch (text[n]) {
        case '.': grid[n] = kEmpty; break;
        case 'O': grid[n] = kNought; break;
        case 'X': grid[n] = kCross; break;
        default: throw BadInput{"a position holds only '.', 'O' and 'X'; found '" + std::string(1, text[n]) + "'"};
        }
    }
    return grid;
}

std::string joined(const std::array<std::int32_t, 5>& values)
{
    std::string out;
    for (std::int32_t v : values)
        out += " " + std::to_string(v);
    return out;
}

struct Analysis {
    std::string strategy = "evalu";
    EvalWeights weights;
    std::optional<std::int32_t> depth;
    Coord lastHuman{};
    bool snibbet = false;
    std::optional<Grid> grid;
};

int analyse(const Analysis& a)
{
    const Grid& grid = *a.grid;
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

EvalWeights parseWeights(std::string_view text)
{
    std::array<std::int32_t, 5> w{};
    std::size_t at = 0;
    for (int n = 0; n < 5; ++n) {
        const std::size_t comma = n < 4 ? text.find(',', at) : text.size();
        if (comma == std::string_view::npos)
            throw BadInput{"--weights takes five numbers: a,b,c,d,e"};
        w[n] = parseRange(text.substr(at, comma - at), "weight", -kWeightLimit, kWeightLimit);
        at = comma + 1;
    }
    if (at < text.size())
        throw BadInput{"--weights takes five numbers: a,b,c,d,e"};
    return {w[0], w[1], w[2], w[3], w[4]};
}

int analyseCommand(const std::vector<std::string_view>& args)
{
    Analysis a;
    std::optional<std::string> gameFile;
    for (std::size_t n = 0; n < args.size(); ++n) {
        const std::string_view arg = args[n];
        auto value = [&]() -> std::string_view {
            if (n + 1 >= args.size())
                throw BadInput{std::string(arg) + " needs a value"};
            return args[++n];
        };
        if (arg == "--strategy") {
            a.strategy = std::string(value());
            if (a.strategy != "evalu" && a.strategy != "turn" && a.strategy != "minimax" && a.strategy != "alphabeta")
                throw BadInput{"unknown strategy '" + a.strategy + "' (evalu, turn, minimax, alphabeta)"};
        } else if (arg == "--weights") {
            a.weights = parseWeights(value());
        } else if (arg == "--depth") {
            a.depth = parseRange(value(), "depth", kMinSearchDepth, kMaxSearchDepth);
        } else if (arg == "--last-human") {
            a.lastHuman = coordOf(parseRange(value(), "cell index", 0, kCells - 1));
        } else if (arg == "--snibbet") {
            a.snibbet = true;
        } else if (arg == "--game") {
            gameFile = std::string(value());
        } else if (arg.starts_with("--")) {
            throw BadInput{"unknown option '" + std::string(arg) + "'"};
        } else if (a.grid) {
            throw BadInput{"more than one position given"};
        } else {
            a.grid = parsePosition(arg);
        }
    }
    if (a.snibbet && a.strategy != "alphabeta")
        throw BadInput{"--snibbet goes with --strategy alphabeta"};
    if (gameFile) {
        if (a.grid)
            throw BadInput{"give a position or --game, not both"};
        const auto bytes = readSavedGameBytes(*gameFile);
        const auto game = bytes ? decode(*bytes) : std::nullopt;
        if (!game) {
            std::cerr << "Error opening file\n";
            return kUsageError;
        }
        a.grid = game->GridContents;
        if (!a.depth)
            a.depth = game->SearchDepth;
    }
    if (!a.grid)
        throw BadInput{"no position given"};
    return analyse(a);
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    try {
        if (!args.empty() && args[0] == "match")
            return runMatchCommand({args.begin() + 1, args.end()}, std::cout);
        return analyseCommand(args);
    } catch (const BadInput& e) {
        std::cerr << "vornix-analyse: " << e.message << '\n';
        return kUsageError;
    } catch (const MatchUsageError& e) {
        std::cerr << "vornix-analyse: " << e.what() << '\n';
        return kUsageError;
    }
}

#include "AnalyseArguments.h"

#include "game/GameState.h"

#include <array>
#include <charconv>
#include <string>

namespace vornix {

namespace {

std::int32_t parseInt(std::string_view text, std::string_view what)
{
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size())
        throw AnalyseUsageError("bad " + std::string(what) + ": '" + std::string(text) + "'");
    return value;
}

std::int32_t parseRange(std::string_view text, std::string_view what, std::int32_t low, std::int32_t high)
{
    const std::int32_t value = parseInt(text, what);
    if (value < low || value > high)
        throw AnalyseUsageError(std::string(what) + " must be " + std::to_string(low) + ".." + std::to_string(high));
    return value;
}

Grid parsePosition(std::string_view text)
{
    if (text.size() != kCells)
        throw AnalyseUsageError("a position is 64 characters of '.', 'O' and 'X', not " + std::to_string(text.size()));
    Grid grid{};
    for (int n = 0; n < kCells; ++n) {
        switch (text[n]) {
        case '.': grid[n] = kEmpty; break;
        case 'O': grid[n] = kNought; break;
        case 'X': grid[n] = kCross; break;
        default: throw AnalyseUsageError("a position holds only '.', 'O' and 'X'; found '" + std::string(1, text[n]) + "'");
        }
    }
    return grid;
}

EvalWeights parseWeights(std::string_view text)
{
    std::array<std::int32_t, 5> w{};
    std::size_t at = 0;
    for (int n = 0; n < 5; ++n) {
        const std::size_t comma = n < 4 ? text.find(',', at) : text.size();
        if (comma == std::string_view::npos)
            throw AnalyseUsageError("--weights takes five numbers: a,b,c,d,e");
        w[n] = parseRange(text.substr(at, comma - at), "weight", -kWeightLimit, kWeightLimit);
        at = comma + 1;
    }
    if (at < text.size())
        throw AnalyseUsageError("--weights takes five numbers: a,b,c,d,e");
    return {w[0], w[1], w[2], w[3], w[4]};
}

} // namespace

Analysis parseAnalysis(const std::vector<std::string_view>& args)
{
    Analysis a;
    for (std::size_t n = 0; n < args.size(); ++n) {
        const std::string_view arg = args[n];
        auto value = [&]() -> std::string_view {
            if (n + 1 >= args.size())
                throw AnalyseUsageError(std::string(arg) + " needs a value");
            return args[++n];
        };
        if (arg == "--strategy") {
            a.strategy = std::string(value());
            if (a.strategy != "evalu" && a.strategy != "turn" && a.strategy != "minimax" && a.strategy != "alphabeta")
                throw AnalyseUsageError("unknown strategy '" + a.strategy + "' (evalu, turn, minimax, alphabeta)");
        } else if (arg == "--weights") {
            a.weights = parseWeights(value());
        } else if (arg == "--depth") {
            a.depth = parseRange(value(), "depth", kMinSearchDepth, kMaxSearchDepth);
        } else if (arg == "--last-human") {
            a.lastHuman = coordOf(parseRange(value(), "cell index", 0, kCells - 1));
        } else if (arg == "--snibbet") {
            a.snibbet = true;
        } else if (arg == "--game") {
            a.gameFile = std::string(value());
        } else if (arg.starts_with("--")) {
            throw AnalyseUsageError("unknown option '" + std::string(arg) + "'");
        } else if (a.grid) {
            throw AnalyseUsageError("more than one position given");
        } else {
            a.grid = parsePosition(arg);
        }
    }
    if (a.snibbet && a.strategy != "alphabeta")
        throw AnalyseUsageError("--snibbet goes with --strategy alphabeta");
    if (a.grid && a.gameFile)
        throw AnalyseUsageError("give a position or --game, not both");
    if (!a.grid && !a.gameFile)
        throw AnalyseUsageError("no position given");
    return a;
}

} // namespace vornix

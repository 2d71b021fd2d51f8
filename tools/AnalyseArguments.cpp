#include "AnalyseArguments.h"

#include "autoplay/CommandLine.h"
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

} // namespace

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

namespace {

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
    static constexpr CommandLineOption kOptions[] = {
        {"strategy", true}, {"weights", true},   {"depth", true},        {"last-human", true},
        {"snibbet", false}, {"game", true},      {"help", false, 'h'}, {"version", false, 'v'},
    };
    std::vector<CommandLineWord> words;
    try {
        words = readCommandLine(args, kOptions);
    } catch (const std::invalid_argument& e) {
        throw AnalyseUsageError(e.what());
    }

    Analysis a;
    bool positionGiven = false;
    for (const CommandLineWord& word : words) {
        const std::string_view value = word.value;
        if (word.option == "strategy") {
            a.strategy = word.value;
            if (a.strategy != "evalu" && a.strategy != "turn" && a.strategy != "minimax" && a.strategy != "alphabeta"
                && a.strategy != "threats" && a.strategy != "zeddon")
                throw AnalyseUsageError("unknown strategy '" + a.strategy
                                        + "' (evalu, turn, minimax, alphabeta, threats, zeddon)");
        } else if (word.option == "weights") {
            a.weights = parseWeights(value);
        } else if (word.option == "depth") {
            a.depth = parseRange(value, "depth", kMinSearchDepth, kMaxSearchDepth);
        } else if (word.option == "last-human") {
            a.lastHuman = coordOf(parseRange(value, "cell index", 0, kCells - 1));
        } else if (word.option == "snibbet") {
            a.snibbet = true;
        } else if (word.option == "game") {
            a.gameFile = word.value;
        } else if (word.option == "help") {
            a.help = true;
        } else if (word.option == "version") {
            a.version = true;
        } else if (positionGiven) {
            throw AnalyseUsageError("more than one position given");
        } else {
            positionGiven = true;
            if (value == "-")
                a.positionOnInput = true;
            else
                a.grid = parsePosition(value);
        }
    }
    if (a.help || a.version)
        return a;
    if (a.snibbet && a.strategy != "alphabeta")
        throw AnalyseUsageError("--snibbet goes with --strategy alphabeta");
    if (positionGiven && a.gameFile)
        throw AnalyseUsageError("give a position or --game, not both");
    if (!positionGiven && !a.gameFile)
        throw AnalyseUsageError("no position given");
    return a;
}

} // namespace vornix

// Fuzzes the analysis tool's command line: any words, read as the tool reads them.
//
// The input is the arguments, separated by NUL bytes. Either the tool refuses them with a usage
// error, or what it read asks for something it can do: one position or one saved game, a known
// strategy, every number in its range.
#include "AnalyseArguments.h"
#include "autoplay/MatchRunner.h"
#include "game/GameState.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

using namespace vornix;

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

bool weightsInRange(const EvalWeights& w)
{
    for (std::int32_t v : {w.OneNoughtWeight, w.OneCrossWeight, w.TwoNoughtsWeight, w.TwoCrossesWeight,
                           w.ThreeNoughtsWeight})
        if (v < -kWeightLimit || v > kWeightLimit)
            return false;
    return true;
}

void checkPlayer(const PlayerSpec& p)
{
    check(weightsInRange(p.weights), "a player's weight out of range");
    check(p.persona != Persona::Morvid || (kMinSearchDepth <= p.depth && p.depth <= kMaxSearchDepth),
          "a player's depth out of range");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> args;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\0', start), text.size());
        args.push_back(text.substr(start, end - start));
        start = end + 1;
    }

    if (!args.empty() && args[0] == "match") {
        try {
            const MatchArguments m = parseMatchArguments({args.begin() + 1, args.end()});
            checkPlayer(m.player1);
            checkPlayer(m.player2);
            check(1 <= m.games && m.games <= 1000000, "number of games out of range");
            check(1 <= m.jobs && m.jobs <= 256, "number of jobs out of range");
        } catch (const MatchUsageError&) {
        }
        return 0;
    }
    try {
        const Analysis a = parseAnalysis(args);
        if (a.help || a.version)
            return 0; // the tool only answers with its usage or version, whatever else was given
        check(a.grid.has_value() + a.positionOnInput + a.gameFile.has_value() == 1, "not exactly one position");
        check(a.strategy == "evalu" || a.strategy == "turn" || a.strategy == "minimax" || a.strategy == "alphabeta"
                  || a.strategy == "threats" || a.strategy == "zeddon",
              "an unknown strategy");
        check(!a.snibbet || a.strategy == "alphabeta", "the hook without the alpha-beta search");
        check(!a.depth || (kMinSearchDepth <= *a.depth && *a.depth <= kMaxSearchDepth), "depth out of range");
        check(weightsInRange(a.weights), "a weight out of range");
        check(0 <= cellIndex(a.lastHuman) && cellIndex(a.lastHuman) < kCells, "the last move off the board");
        if (a.grid)
            for (std::int32_t v : *a.grid)
                check(v == kEmpty || v == kNought || v == kCross, "a position with another piece");
    } catch (const AnalyseUsageError&) {
    }
    return 0;
}

// Speed of the evaluation and of every strategy's whole move on fixed positions.
//   build/bench/vornix_bench --benchmark_counters_tabular=true
#include "ai/AlphaBeta.h"
#include "ai/CommonSense.h"
#include "ai/MiniMax.h"
#include "ai/OnePly.h"
#include "ai/BoardSymmetries.h"
#include "ai/ProofSearch.h"
#include "ai/Prover.h"
#include "ai/ThreatSearch.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <random>
#include <string_view>
#include <vector>

using namespace vornix;

namespace {

Grid gridOf(std::string_view text)
{
    Grid grid{};
    for (int n = 0; n < kCells; ++n)
        grid[n] = text[n] == 'O' ? kNought : text[n] == 'X' ? kCross : kEmpty;
    return grid;
}

const Grid kEmptyBoard{};
const Grid kOneNought = gridOf("O...............................................................");
const Grid kMiddleGame = gridOf("O..............O.....XX..............OX...X........O............");

const Grid& position(int index)
{
    return index == 0 ? kEmptyBoard : index == 1 ? kOneNought : kMiddleGame;
}

void positionArgs(benchmark::internal::Benchmark* b)
{
    b->ArgName("position")->DenseRange(0, 2);
}

// Middle games of random play, 12 to 24 pieces, without a completed line: the crosses to move.
std::vector<Sides> middleGames()
{
    std::mt19937 random(12);
    std::vector<Sides> games;
    while (games.size() < 1000) {
        const int pieces = 12 + static_cast<int>(games.size() % 13);
        Sides s;
        bool complete = false;
        for (int n = 0; n < pieces && !complete; ++n) {
            int cell = 0;
            do
                cell = static_cast<int>(random() % kCells);
            while ((s.mine | s.theirs) & cellBit(cell));
            (n % 2 == 0 ? s.theirs : s.mine) |= cellBit(cell); // noughts began
            complete = hasLine(s.mine) || hasLine(s.theirs);
        }
        if (!complete)
            games.push_back(pieces % 2 == 0 ? s : s.swapped());
    }
    return games;
}

void BM_ThreatSearch(benchmark::State& state)
{
    static const std::vector<Sides> games = middleGames();
    ThreatSearch search;
    std::size_t next = 0;
    std::int64_t wins = 0;
    for (auto _ : state) {
        wins += !search.find(games[next]).empty();
        next = (next + 1) % games.size();
    }
    state.counters["wins"] = benchmark::Counter(static_cast<double>(wins) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_ThreatSearch);

// The same positions one by one: the median, the slowest hundredth and the slowest, in microseconds.
void BM_ThreatSearchSpread(benchmark::State& state)
{
    static const std::vector<Sides> games = middleGames();
    ThreatSearch search;
    std::vector<double> micros(games.size());
    for (auto _ : state) {
        for (std::size_t n = 0; n < games.size(); ++n) {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(search.find(games[n]));
            micros[n] = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
        }
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    state.counters["max_us"] = micros.back();
}
BENCHMARK(BM_ThreatSearchSpread)->Unit(benchmark::kMillisecond);

// The proof search on the middle games of 12 to 14 pieces, with the sixth persona's budget of
// 65,536 nodes: how many it settles, and the time per position.
void BM_ProofSearch(benchmark::State& state)
{
    static const std::vector<Sides> games = [] {
        std::vector<Sides> early;
        for (const Sides& s : middleGames())
            if (std::popcount(s.mine | s.theirs) <= 14)
                early.push_back(s);
        return early;
    }();
    static ProofSearch search(std::size_t{1} << 16);
    std::size_t next = 0;
    std::int64_t settled = 0;
    for (auto _ : state) {
        settled += search.solve(games[next]).proof != Proof::Unknown;
        next = (next + 1) % games.size();
    }
    state.counters["settled"] =
        benchmark::Counter(static_cast<double>(settled) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_ProofSearch)->Unit(benchmark::kMillisecond);

// The least of a middle game's 192 images: what the prover does at every position it visits.
void BM_Canonical(benchmark::State& state)
{
    static const std::vector<Sides> games = middleGames();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(canonical(games[next]));
        next = (next + 1) % games.size();
    }
}
BENCHMARK(BM_Canonical);

// The prover from scratch on a position of seven pieces that crosses win (11,942 positions).
void BM_Prover(benchmark::State& state)
{
    const Sides s = sidesOf(gridOf("...X...........O.....O...X............O.O..........X............"), kCross);
    static Prover prover(std::size_t{32} << 20);
    for (auto _ : state) {
        prover.clear();
        benchmark::DoNotOptimize(prover.prove(s));
    }
}
BENCHMARK(BM_Prover)->Unit(benchmark::kMillisecond);

void BM_Evaluate(benchmark::State& state)
{
    const Grid& g = kMiddleGame;
    LineTally tally;
    for (auto _ : state)
        benchmark::DoNotOptimize(Evaluate(g, EvalWeights{}, tally));
}
BENCHMARK(BM_Evaluate);

void BM_evalu(benchmark::State& state)
{
    const Grid& g = position(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(visitEvalu(g, EvalWeights{}));
}
BENCHMARK(BM_evalu)->Apply(positionArgs);

void BM_Turn(benchmark::State& state)
{
    const Grid& g = position(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(visitTurn(g, Coord{}));
}
BENCHMARK(BM_Turn)->Apply(positionArgs);

void BM_MiniMax(benchmark::State& state)
{
    const Grid& g = position(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Choice choice;
        visitMiniMax(g, EvalWeights{}, choice, [](std::int32_t) { return true; }, [] { return true; });
        benchmark::DoNotOptimize(choice);
    }
}
BENCHMARK(BM_MiniMax)->Apply(positionArgs)->Unit(benchmark::kMicrosecond);

// A whole alpha-beta move; counters: plies searched per second, and the slowest single root
// candidate (the longest the window waits between two pauses).
void BM_AlphaBetaMove(benchmark::State& state)
{
    const Grid& g = position(static_cast<int>(state.range(0)));
    const auto depth = static_cast<std::int32_t>(state.range(1));
    AlphaBetaEngine engine;
    std::uint64_t nodes = 0;
    double slowest = 0;
    for (auto _ : state) {
        engine.reset(g, EvalWeights{}, depth);
        Choice choice;
        visitRoot(
            g, kRootFloor, choice, [](int) { return true; },
            [&](int cell, std::int32_t best) {
                const auto start = std::chrono::steady_clock::now();
                const std::int32_t v = engine.CrossPly(cell, best);
                slowest = std::max(slowest, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
                return v;
            },
            [] {});
        benchmark::DoNotOptimize(choice);
        nodes += engine.nodes();
    }
    state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
    state.counters["slowest_candidate_ms"] = slowest * 1000.0;
}
BENCHMARK(BM_AlphaBetaMove)
    ->ArgNames({"position", "depth"})
    ->ArgsProduct({{0, 1, 2}, {1, 2, 3, 4, 5, 6}})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

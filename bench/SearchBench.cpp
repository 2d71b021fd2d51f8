// Speed of the evaluation and of every strategy's whole move on fixed positions.
//   build/bench/vornix_bench --benchmark_counters_tabular=true
#include "ai/AlphaBeta.h"
#include "ai/CommonSense.h"
#include "ai/MiniMax.h"
#include "ai/OnePly.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string_view>

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

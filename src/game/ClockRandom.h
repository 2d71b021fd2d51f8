// The program's random source: uniform in [0, 1), reseeded from the clock whenever the game asks.
#pragma once

#include <chrono>
#include <cstdint>
#include <random>

namespace vornix {

class ClockRandom {
public:
    ClockRandom() { reseedFromClock(); }

    void reseedFromClock()
    {
        const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        // Two reseeds within one tick would repeat themselves; the counter keeps them apart.
        engine_.seed(static_cast<std::uint64_t>(ticks) ^ (0x9E3779B97F4A7C15ULL * ++reseeds_));
    }
    double next() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

private:
    std::mt19937_64 engine_;
    std::uint64_t reseeds_ = 0;
};

} // namespace vornix

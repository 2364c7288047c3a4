#pragma once
// Each benchmark reports its time beside a baseline measured in the same run, so that
// the ratio stays meaningful on a shared machine whose speed drifts.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace lumivane::bench {

// Seconds per call of work, the best of several rounds of at least min_seconds each.
template <typename Work>
double seconds_per_call(Work&& work, double min_seconds = 0.05, int rounds = 5) {
    using clock = std::chrono::steady_clock;
    double best = 1e300;
    for (int round = 0; round < rounds; ++round) {
        long calls = 0;
        const auto start = clock::now();
        double elapsed = 0.0;
        do {
            work();
            ++calls;
            elapsed = std::chrono::duration<double>(clock::now() - start).count();
        } while (elapsed < min_seconds);
        best = std::min(best, elapsed / static_cast<double>(calls));
    }
    return best;
}

// Seconds for one memcpy of bytes between two buffers whose pages are already in use:
// the baseline of operations that write that many bytes.
inline double memcpy_seconds(std::size_t bytes) {
    auto from = std::make_unique<std::uint8_t[]>(bytes);
    auto to = std::make_unique<std::uint8_t[]>(bytes);
    std::memset(from.get(), 1, bytes);
    std::memset(to.get(), 2, bytes);
    return seconds_per_call([&] {
        std::memcpy(to.get(), from.get(), bytes);
        benchmark::DoNotOptimize(to.get());
    });
}

// Runs work in the benchmark loop, timing each iteration itself, and reports the
// mean time per iteration divided by baseline_seconds as the counter "ratio".
template <typename Work>
void run_against_baseline(benchmark::State& state, double baseline_seconds, Work&& work) {
    using clock = std::chrono::steady_clock;
    double total = 0.0;
    long iterations = 0;
    for (auto _ : state) {
        const auto start = clock::now();
        work();
        const double elapsed = std::chrono::duration<double>(clock::now() - start).count();
        state.SetIterationTime(elapsed);
        total += elapsed;
        ++iterations;
    }
    if (iterations > 0 && baseline_seconds > 0.0) {
        state.counters["ratio"] = total / static_cast<double>(iterations) / baseline_seconds;
        state.counters["baseline_ms"] = baseline_seconds * 1e3;
    }
}

}  // namespace lumivane::bench

// Writing key frame lines: the program's formatter against the C library's snprintf
// producing the same digits.

#include <cstdio>
#include <string>

#include "bench_support.h"
#include "platform/value_formatter.h"

namespace {

constexpr int lines = 10000;

void BM_FormatFrameLines(benchmark::State& state) {
    const double baseline = lumivane::bench::seconds_per_call([] {
        char buffer[200];
        for (int i = 0; i < lines; ++i) {
            std::snprintf(buffer, sizeof buffer, "frame %d %d %.4f %.4f %.4f %.4f %.4f", i, 0, -1.0, 0.125,
                          0.0783, 0.875, 0.9217);
            benchmark::DoNotOptimize(buffer);
        }
    });
    std::u16string out;
    lumivane::bench::run_against_baseline(state, baseline, [&] {
        for (int i = 0; i < lines; ++i) {
            lumivane::format_text(out, u"frame %d %d %4zf %4zf %4zf %4zf %4zf", i, 0, -1.0, 0.125, 0.0783, 0.875,
                                  0.9217);
            benchmark::DoNotOptimize(out.data());
        }
    });
}
BENCHMARK(BM_FormatFrameLines)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// Rendering a displayed picture from a 24-megapixel photograph (6000 x 4000) at a
// path's midpoint straight into the window's 32-bit picture, in exact and in smooth
// motion, and one step of each transition, at 1920 x 1080 and 3840 x 2160. Each is
// measured against one memcpy of the bytes it writes, in the same run; smooth motion
// also against exact motion's rendering of the same picture ("vs_exact").

#include <cstdint>
#include <map>
#include <vector>

#include "support/silent_ui.h"
#include "bench_show.h"
#include "bench_support.h"
#include "document/slide_show.h"
#include "imaging/frame_bitmap.h"
#include "imaging/memory_bitmap.h"
#include "playback/pan_zoom.h"
#include "playback/transitions.h"

namespace {

using namespace lumivane;

const SlideShow& show() { return bench::path_show(); }

FrameBitmap frame_of(std::int32_t width, std::int32_t height) {
    testing::SilentUi ui;  // a frame of these sizes is always allocated
    FrameBitmap frame;
    static_cast<void>(frame_create(frame, width, height));
    return frame;
}

double frame_memcpy_seconds(const FrameBitmap& frame) {
    static std::map<std::int32_t, double> seconds;
    auto [it, added] = seconds.try_emplace(frame.image_size, 0.0);
    if (added) it->second = bench::memcpy_seconds(static_cast<std::size_t>(frame.image_size));
    return it->second;
}

void BM_Render(benchmark::State& state) {
    const auto width = static_cast<std::int32_t>(state.range(0));
    const auto height = static_cast<std::int32_t>(state.range(1));
    const auto motion = static_cast<Motion>(state.range(2));
    std::vector<std::uint8_t> pixels(4 * static_cast<std::size_t>(width) * height);
    MemoryBitmap picture{pixels.data(), width, height, 4 * std::int64_t{width}};
    const auto render = [&](Motion m) { static_cast<void>(render_slide_picture(show(), 0, 0, 0.5, m, picture)); };
    const double exact = bench::seconds_per_call([&] { render(Motion::Exact); });
    render(motion);
    bench::run_against_baseline(state, bench::memcpy_seconds(pixels.size()), [&] { render(motion); });
    state.counters["vs_exact"] = state.counters["ratio"] * state.counters["baseline_ms"] / (exact * 1e3);
}
BENCHMARK(BM_Render)
    ->Name("render_slide_picture path midpoint")
    ->ArgNames({"w", "h", "motion"})
    ->Args({1920, 1080, static_cast<std::int64_t>(Motion::Exact)})
    ->Args({1920, 1080, static_cast<std::int64_t>(Motion::Smooth)})
    ->Args({3840, 2160, static_cast<std::int64_t>(Motion::Exact)})
    ->Args({3840, 2160, static_cast<std::int64_t>(Motion::Smooth)})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

template <TransitionKind Kind>
void BM_Transition(benchmark::State& state) {
    const auto width = static_cast<std::int32_t>(state.range(0));
    const auto height = static_cast<std::int32_t>(state.range(1));
    FrameBitmap outgoing = frame_of(width, height);
    FrameBitmap incoming = frame_of(width, height);
    FrameBitmap output = frame_of(width, height);
    static_cast<void>(render_slide_frame(show(), 0, 0, 0.0, Motion::Exact, outgoing));
    static_cast<void>(render_slide_frame(show(), 0, 1, 0.0, Motion::Exact, incoming));
    static_cast<void>(compose_transition(Kind, outgoing, incoming, output, 0.3));
    bench::run_against_baseline(state, frame_memcpy_seconds(output),
                                [&] { static_cast<void>(compose_transition(Kind, outgoing, incoming, output, 0.3)); });
}
BENCHMARK(BM_Transition<TransitionKind::FadeToBlack>)
    ->Name("compose_transition fade to black")
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Transition<TransitionKind::Crossfade>)
    ->Name("compose_transition crossfade")
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Transition<TransitionKind::Curtain>)
    ->Name("compose_transition curtain")
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

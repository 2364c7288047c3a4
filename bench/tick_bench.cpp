// One playback tick at 1920 x 1080 and 3840 x 2160, stage by stage: a path frame
// rendered from a 24-megapixel picture into the output frame and the window's picture
// in one pass (in exact and in smooth motion), a crossfade step composed straight into
// the window's picture, and the caption drawn over it. Reports the whole tick in
// milliseconds and each stage against one memcpy of the window picture's bytes,
// measured in the same run; and the copy of a frame into the window's picture on its
// own, against the same baseline.

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <chrono>

#include "bench_show.h"
#include "bench_support.h"
#include "imaging/frame_bitmap.h"
#include "imaging/memory_bitmap.h"
#include "playback/pan_zoom.h"
#include "playback/transitions.h"
#include "support/silent_ui.h"
#include "ui/captions.h"
#include "ui/image_drawing.h"

namespace {

using namespace lumivane;

const SlideShow& show() { return bench::path_show(); }

struct Window {
    FrameBitmap output, outgoing, incoming;
    QImage picture;
    MemoryBitmap memory;

    Window(std::int32_t width, std::int32_t height) : picture(width, height, QImage::Format_RGB32) {
        testing::SilentUi ui;  // frames of these sizes are always allocated
        static_cast<void>(frame_create(output, width, height));
        static_cast<void>(frame_create(outgoing, width, height));
        static_cast<void>(frame_create(incoming, width, height));
        static_cast<void>(render_slide_frame(show(), 0, 0, 0.0, Motion::Exact, outgoing));
        static_cast<void>(render_slide_frame(show(), 0, 1, 0.0, Motion::Exact, incoming));
        picture.fill(Qt::black);
        memory = {picture.bits(), width, height, picture.bytesPerLine()};
    }
    double picture_memcpy_seconds() const {
        return bench::memcpy_seconds(static_cast<std::size_t>(picture.sizeInBytes()));
    }
};

void BM_Tick(benchmark::State& state) {
    Window window(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
    const auto motion = static_cast<Motion>(state.range(2));
    const CaptionFonts fonts = make_caption_fonts(base_font_height(nullptr));
    const double baseline = window.picture_memcpy_seconds();

    using clock = std::chrono::steady_clock;
    double stages[3] = {};
    auto timed = [](double& total, auto&& work) {
        const auto start = clock::now();
        work();
        const double seconds = std::chrono::duration<double>(clock::now() - start).count();
        total += seconds;
        return seconds;
    };
    for (auto _ : state) {
        double tick = 0.0;
        tick += timed(stages[0], [&] { static_cast<void>(render_slide_picture(show(), 0, 0, 0.5, motion, window.memory)); });
        tick += timed(stages[1], [&] {
            static_cast<void>(
                compose_transition(TransitionKind::Crossfade, window.outgoing, window.incoming, window.memory, 0.5));
        });
        tick += timed(stages[2], [&] {
            QPainter painter(&window.picture);
            draw_caption(painter, window.picture.rect(), show().slides[0].caption, CaptionSize::Medium, fonts);
        });
        state.SetIterationTime(tick);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["tick_ms"] = (stages[0] + stages[1] + stages[2]) / n * 1e3;
    state.counters["render_ratio"] = stages[0] / n / baseline;
    state.counters["crossfade_ratio"] = stages[1] / n / baseline;
    state.counters["caption_ratio"] = stages[2] / n / baseline;
    state.counters["baseline_ms"] = baseline * 1e3;
}
BENCHMARK(BM_Tick)
    ->Name("tick")
    ->ArgNames({"w", "h", "motion"})
    ->Args({1920, 1080, static_cast<std::int64_t>(Motion::Exact)})
    ->Args({1920, 1080, static_cast<std::int64_t>(Motion::Smooth)})
    ->Args({3840, 2160, static_cast<std::int64_t>(Motion::Exact)})
    ->Args({3840, 2160, static_cast<std::int64_t>(Motion::Smooth)})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_Copy(benchmark::State& state) {
    Window window(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
    static_cast<void>(render_slide_frame(show(), 0, 0, 0.5, Motion::Exact, window.output));
    bench::run_against_baseline(state, window.picture_memcpy_seconds(),
                                [&] { static_cast<void>(frame_draw(window.memory, window.output)); });
}
BENCHMARK(BM_Copy)
    ->Name("frame_draw into the window picture")
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// One playback tick at 1920 x 1080 and 3840 x 2160, stage by stage: rendering a path
// frame from a full-size photograph, a crossfade step, the copy into the window's
// picture and the caption over it. Reports the whole tick in milliseconds and each
// stage's share of it.

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <chrono>

#include "bench_support.h"
#include "document/slide_show.h"
#include "imaging/frame_bitmap.h"
#include "imaging/image_loader.h"
#include "platform/text_encoding.h"
#include "playback/pan_zoom.h"
#include "playback/transitions.h"
#include "support/silent_ui.h"
#include "ui/captions.h"
#include "ui/image_drawing.h"

namespace {

using namespace lumivane;

SlideShow& show() {
    static SlideShow instance = [] {
        SlideShow s;
        s.settings.show_captions = captions_medium;
        s.slides.resize(1);
        Slide& slide = s.slides[0];
        testing::SilentUi ui;
        std::vector<std::uint8_t> profile;
        image_load(ui, utf8_to_utf16("/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg"), slide.image,
                   profile);
        slide.caption = u"Elephants at the water hole";
        slide.style = style_path;
        slide.interpolation = interpolation_nonlinear;
        slide.frames = {{-1.0, 0.0, 0.0, 1.0, 1.0}, {-1.0, 0.3, 0.2, 0.8, 0.7}};
        return s;
    }();
    return instance;
}

void BM_Tick(benchmark::State& state) {
    const auto width = static_cast<std::int32_t>(state.range(0));
    const auto height = static_cast<std::int32_t>(state.range(1));
    if (show().slides[0].image.empty()) {
        state.SkipWithError("the photograph did not load");
        return;
    }
    testing::SilentUi ui;
    FrameBitmap output, outgoing, incoming;
    frame_create(ui, output, width, height);
    frame_create(ui, outgoing, width, height);
    frame_create(ui, incoming, width, height);
    render_slide_frame(show(), 0, 0, 0.0, outgoing);
    render_slide_frame(show(), 0, 1, 0.0, incoming);
    const CaptionFonts fonts = make_caption_fonts(base_font_height(nullptr));
    QImage picture;

    using clock = std::chrono::steady_clock;
    double stages[4] = {};
    auto timed = [](double& total, auto&& work) {
        const auto start = clock::now();
        work();
        const double seconds = std::chrono::duration<double>(clock::now() - start).count();
        total += seconds;
        return seconds;
    };
    for (auto _ : state) {
        double tick = 0.0;
        tick += timed(stages[0], [&] { render_slide_frame(show(), 0, 0, 0.5, output); });
        tick += timed(stages[1], [&] { compose_transition(transition_crossfade, outgoing, incoming, output, 0.5); });
        tick += timed(stages[2], [&] { frame_draw(picture, output); });
        tick += timed(stages[3], [&] {
            QPainter painter(&picture);
            draw_caption(painter, picture.rect(), show().slides[0].caption, captions_medium, fonts);
        });
        state.SetIterationTime(tick);
    }
    const double total = stages[0] + stages[1] + stages[2] + stages[3];
    const auto n = static_cast<double>(state.iterations());
    state.counters["tick_ms"] = total / n * 1e3;
    state.counters["render_share"] = stages[0] / total;
    state.counters["crossfade_share"] = stages[1] / total;
    state.counters["copy_share"] = stages[2] / total;
    state.counters["caption_share"] = stages[3] / total;
}
BENCHMARK(BM_Tick)->Name("tick")->Args({1920, 1080})->Args({3840, 2160})->UseManualTime()->Unit(
    benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

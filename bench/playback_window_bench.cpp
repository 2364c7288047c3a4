// The show played end to end in the real playback window, full screen at 1920 x 1080
// and 3840 x 2160, in exact and in smooth motion, drawn by the processor or on the
// graphics processor: a path across a 24-megapixel photograph that crossfades into
// itself, with its caption, paced by the window itself (its precise timer, or the
// display's refresh). One more run plays a 60-second pan.
// Reports the frames a second achieved (pictures shown: the window's paints), the
// refreshes of 60 a second that got no picture of their own (missed), the median and 99th
// percentile of the time a tick takes (the timeline's work: the picture and its caption,
// or only its description on the graphics processor's path), of the time the window
// takes to paint it, and of the two together: the time on the user interface thread a
// picture costs. The graphics processor's path needs a display with OpenGL 3.3
// (QT_QPA_PLATFORM=xcb under Xvfb and Mesa's llvmpipe); the offscreen platform, the
// default, has none, and the gpu counter then says 0: it ran on the processor.

#include <QApplication>
#include <QOpenGLWindow>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "bench_show.h"
#include "bench_support.h"
#include "app/app_context.h"
#include "playback/timeline.h"
#include "support/silent_ui.h"
#include "ui/captions.h"
#include "ui/gl_playback_view.h"
#include "ui/playback_widget.h"

namespace {

using namespace lumivane;
using Clock = std::chrono::steady_clock;

// Times every tick of a playback timer and every paint of the window while recording.
class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        const bool tick = event->type() == QEvent::Timer && qobject_cast<QTimer*>(receiver);
        // The graphics processor's path paints in an OpenGL window of its own.
        const bool paint = event->type() == QEvent::UpdateRequest &&
                           (receiver == window || qobject_cast<QOpenGLWindow*>(receiver));
        if (!window || (!tick && !paint)) return QApplication::notify(receiver, event);
        const auto start = Clock::now();
        const bool handled = QApplication::notify(receiver, event);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (tick) {
            tick_seconds.push_back(seconds);
        } else {
            paint_starts.push_back(start);
            paint_seconds.push_back(seconds);
        }
        return handled;
    }

    QWidget* window = nullptr;
    std::vector<Clock::time_point> paint_starts;  // a picture shown each
    std::vector<double> tick_seconds;
    std::vector<double> paint_seconds;
};

TimedApplication* application = nullptr;

class ClockUi : public testing::SilentUi {
public:
    std::int64_t now_milliseconds() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
    }
};

double percentile_ms(std::vector<double> seconds, double p) {
    if (seconds.empty()) return 0.0;
    std::sort(seconds.begin(), seconds.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(seconds.size() - 1));
    return seconds[i] * 1e3;
}

void BM_PlayWindow(benchmark::State& state) {
    const auto ticks = static_cast<std::size_t>(state.range(4));  // at 60 a second
    ClockUi ui;
    AppContext context(ui);
    context.show = bench::make_path_show();
    ShowSettings& settings = context.show.settings;
    settings.size = 0;  // full screen
    settings.default_delay = 2.0;
    settings.transition = TransitionKind::Crossfade;
    settings.transition_time = 1.0;
    settings.loop = 1;
    settings.autorun = AutorunMode::Run;
    const CaptionFonts fonts = make_caption_fonts(base_font_height(nullptr));

    context.motion = static_cast<Motion>(state.range(2));
    context.drawing = static_cast<Drawing>(state.range(3));
    for (auto _ : state) {
        const QRect screen(0, 0, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
        auto* widget = new PlaybackWidget(context, fonts, screen);
        state.counters["gpu"] = widget->draws_scenes() ? 1 : 0;
        widget->show();
        QCoreApplication::processEvents();
        application->paint_starts.clear();
        application->tick_seconds.clear();
        application->paint_seconds.clear();
        application->window = widget;
        context.playback.from_black = true;
        go_to_slide(context.player, 0, true);
        run_show(context.player);
        // A path that cannot keep up stops at the show's time, not its count of ticks.
        const auto end = Clock::now() + std::chrono::milliseconds(1000 * ticks / 60 + 1000);
        while (application->paint_starts.size() < ticks && context.playback.running && Clock::now() < end) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        stop_show(context.player, false);
        application->window = nullptr;
        delete widget;

        const auto& starts = application->paint_starts;
        const double elapsed = std::chrono::duration<double>(starts.back() - starts.front()).count();
        state.SetIterationTime(elapsed);
        state.counters["fps"] = static_cast<double>(starts.size() - 1) / elapsed;
        // The refreshes of 60 a second the span holds that got no picture of their own
        // (negative: pictures more than refreshes).
        state.counters["missed"] = std::round(elapsed * 60.0) - static_cast<double>(starts.size() - 1);
        state.counters["tick_p99_ms"] = percentile_ms(application->tick_seconds, 0.99);
        state.counters["tick_median_ms"] = percentile_ms(application->tick_seconds, 0.5);
        state.counters["paint_p99_ms"] = percentile_ms(application->paint_seconds, 0.99);
        state.counters["paint_median_ms"] = percentile_ms(application->paint_seconds, 0.5);
        state.counters["ui_median_ms"] = state.counters["tick_median_ms"] + state.counters["paint_median_ms"];
    }
}
constexpr auto exact = static_cast<std::int64_t>(Motion::Exact);
constexpr auto smooth = static_cast<std::int64_t>(Motion::Smooth);
constexpr auto processor = static_cast<std::int64_t>(Drawing::Processor);
constexpr auto graphics = static_cast<std::int64_t>(Drawing::GraphicsProcessor);

BENCHMARK(BM_PlayWindow)
    ->Name("playback window, full screen")
    ->ArgNames({"w", "h", "motion", "drawing", "ticks"})
    // Six seconds: two paths and two crossfades.
    ->Args({1920, 1080, exact, processor, 360})
    ->Args({1920, 1080, exact, graphics, 360})
    ->Args({1920, 1080, smooth, processor, 360})
    ->Args({1920, 1080, smooth, graphics, 360})
    ->Args({3840, 2160, exact, processor, 360})
    ->Args({3840, 2160, exact, graphics, 360})
    ->Args({3840, 2160, smooth, processor, 360})
    ->Args({3840, 2160, smooth, graphics, 360})
    // The 60-second pan, full screen and on a screen of a fifth of the size, where the
    // graphics processor's path keeps up even under llvmpipe.
    ->Args({1920, 1080, exact, processor, 3600})
    ->Args({1920, 1080, exact, graphics, 3600})
    ->Args({384, 216, exact, processor, 3600})
    ->Args({384, 216, exact, graphics, 3600})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication app(argc, argv);
    application = &app;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

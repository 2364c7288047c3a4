// Exporting the first 10 seconds of the demo show (resources/demo with Debian's
// mate-backgrounds nature photographs) at 1920 x 1080 and 30 frames a second with the
// default settings (H.264, CRF 20, Exact motion, captions). Reports the speed as a
// multiple of real time (the video's 10 seconds over the time the export took: at least
// 2 is the target), the shares of the time spent making the pictures and writing them,
// and the memory the export added over the show's pictures, in frames of 1920 x 1080.
// Once with the pictures loaded in sRGB, as the command line loads them, once in
// Adobe RGB (1998), the main window's default monitor profile, whose frames the export
// converts to sRGB.

#include <QGuiApplication>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

#include "bench_support.h"
#include "app/app_context.h"
#include "app/show_folder.h"
#include "app/show_images.h"
#include "document/show_index.h"
#include "imaging/colour_transform.h"
#include "imaging/memory_bitmap.h"
#include "platform/text_encoding.h"
#include "support/silent_ui.h"
#include "ui/captions.h"
#include "video/show_export.h"

namespace {

using namespace lumivane;

namespace fs = std::filesystem;

// The demo show as scripts/run makes it: its index beside links to the photographs.
std::string make_demo_folder() {
    const std::string folder = "/tmp/lumivane-export-bench-" + std::to_string(::getpid());
    fs::create_directories(folder);
    fs::copy_file(LUMIVANE_SOURCE_DIR "/resources/demo/index.ssi", folder + "/index.ssi",
                  fs::copy_options::overwrite_existing);
    for (const auto& entry : fs::directory_iterator("/usr/share/backgrounds/mate/nature")) {
        if (entry.path().extension() == ".jpg") fs::create_symlink(entry.path(), folder + "/" + entry.path().filename().string());
    }
    return folder;
}

// The processor time of all the program's threads, in seconds: on a machine shared with
// other work it says what the export needs where the wall clock says how busy others were.
double processor_seconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double resident_bytes() {
    std::ifstream statm("/proc/self/statm");
    double pages = 0.0;
    double resident = 0.0;
    statm >> pages >> resident;
    return resident * static_cast<double>(::sysconf(_SC_PAGESIZE));
}

void BM_Export(benchmark::State& state) {
    const auto profile = static_cast<MonitorProfile>(state.range(0));
    const std::string folder = make_demo_folder();
    testing::SilentUi ui;
    AppContext context(ui);
    context.monitor_profile = profile;
    context.show.show_folder = utf8_to_utf16(folder);
    static_cast<void>(read_show(context, context.show.show_folder, u"index.ssi"));
    load_show_images(context);
    double picture_bytes = 0.0;
    for (const Slide& slide : context.show.slides) picture_bytes += double(slide.image.stride) * slide.image.height;

    const CaptionFonts fonts = video_caption_fonts();
    const CaptionDrawer draw = [&fonts](MemoryBitmap& picture, const std::u16string& caption, CaptionSize size) {
        draw_video_caption(picture, caption, size, fonts);
    };
    ExportOptions options;
    options.output = utf8_to_utf16(folder + "/demo.mp4");
    options.frame_limit = 300;
    options = resolved_export_options(context.show.settings, options);
    const double frame_bytes = 4.0 * options.width * options.height;

    for (auto _ : state) {
        ExportProgress progress;
        std::atomic<bool> done{false};
        const double before = resident_bytes();
        double peak = before;
        std::thread sampler([&] {
            while (!done) {
                peak = std::max(peak, resident_bytes());
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
        std::u16string message;
        const double processor_before = processor_seconds();
        const auto start = std::chrono::steady_clock::now();
        const ExportResult result = export_show_video(context.show, profile, options, draw, progress, message);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        done = true;
        sampler.join();
        if (result != ExportResult::Done) state.SkipWithError(utf16_to_utf8(message).c_str());
        state.SetIterationTime(seconds);
        const double video_seconds = static_cast<double>(progress.frames_total) / options.frames_per_second;
        state.counters["x_real_time"] = video_seconds / seconds;
        // Below 1, two free cores make the video at least twice as fast as it plays.
        state.counters["cpu_s_per_video_s"] = (processor_seconds() - processor_before) / video_seconds;
        state.counters["render_share"] = progress.render_seconds / seconds;
        state.counters["encode_share"] = progress.encode_seconds / seconds;
        state.counters["added_MB"] = (peak - before) / 1e6;
        state.counters["added_frames"] = (peak - before) / frame_bytes;
        state.counters["pictures_MB"] = picture_bytes / 1e6;
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_Export)
    ->Name("export 10 s of the demo show, 1920x1080 30 fps, pictures in sRGB / Adobe RGB")
    ->Arg(static_cast<std::int64_t>(MonitorProfile::Srgb))
    ->Arg(static_cast<std::int64_t>(MonitorProfile::AdobeRgb))
    ->Iterations(1)
    ->Repetitions(2)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

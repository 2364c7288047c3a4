// Opening shows (read_show_index + load_show_images), each beside bare libjpeg-turbo
// decodes of the same files one after another in the same run:
// - the twelve photographs in Debian's mate-backgrounds nature folder;
// - forty distinct 6000 x 4000 photographs made from them, kept in the build tree;
// - ten thousand slides of one small JPEG.
// Each also reports the process's peak memory while the show opened, against the bytes
// of the slides' pictures.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench_support.h"
#include "app/app_context.h"
#include "app/show_folder.h"
#include "app/show_images.h"
#include "document/show_index.h"
#include "platform/text_encoding.h"
#include "support/jpeg_files.h"
#include "support/silent_ui.h"

namespace {

using namespace lumivane;

const std::string photographs = "/usr/share/backgrounds/mate/nature";

std::vector<std::string> photograph_paths() {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(photographs)) {
        if (entry.path().extension() == ".jpg") paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

// Peak resident memory since the last reset, in bytes.
double peak_memory() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) * 1024.0;
    }
    return 0.0;
}

void reset_peak_memory() { std::ofstream("/proc/self/clear_refs") << "5"; }

// A show folder holding links to the files and an index naming them as slides, in order.
class ShowFolder {
public:
    explicit ShowFolder(const std::vector<std::string>& files)
        : folder_("/tmp/lumivane-show-bench-" + std::to_string(::getpid())) {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        std::ofstream index(folder_ + "/index.ssi");
        index << "SlideShow 1.0\nproportions 16 9\nn_slides " << files.size() << "\n";
        for (std::size_t i = 0; i < files.size(); ++i) {
            const std::string name = std::filesystem::path(files[i]).filename().string();
            const std::string link = folder_ + "/" + name;
            if (!std::filesystem::exists(link)) std::filesystem::create_symlink(files[i], link);
            index << "slide " << i << " 1 0 1 \"" << name << "\" \"" << name << "\"\nframe " << i << " 0 -1 0 0 1 1\n";
        }
        index << "end\n";
    }
    ~ShowFolder() { std::filesystem::remove_all(folder_); }

    void open(AppContext& context) const {
        context.show.show_folder = utf8_to_utf16(folder_);
        static_cast<void>(read_show(context, context.show.show_folder, u"index.ssi"));
        load_show_images(context);
    }

private:
    std::string folder_;
};

// Opens the show once to measure its peak memory, then times it against the decodes.
void open_show(benchmark::State& state, const std::vector<std::string>& files, double baseline_seconds) {
    const ShowFolder folder(files);
    testing::SilentUi ui;
    double picture_bytes = 0.0;
    reset_peak_memory();
    {
        AppContext context(ui);
        folder.open(context);
        for (const Slide& slide : context.show.slides) {
            picture_bytes += 3.0 * picture_width(slide.picture) * picture_height(slide.picture);
        }
        state.counters["peak_MB"] = peak_memory() / 1e6;
        state.counters["peak_ratio"] = peak_memory() / picture_bytes;
    }
    // The machine is shared: the best opening shows what the work itself costs.
    double best = 1e300;
    bench::run_against_baseline(state, baseline_seconds, [&] {
        const auto start = std::chrono::steady_clock::now();
        AppContext context(ui);
        folder.open(context);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    });
    state.counters["best_ratio"] = best / baseline_seconds;
    state.counters["pictures_MB"] = picture_bytes / 1e6;
    state.counters["slides"] = static_cast<double>(files.size());
}

double decode_seconds(const std::vector<std::string>& files, double min_seconds, int rounds) {
    return bench::seconds_per_call(
        [&] {
            for (const std::string& file : files) benchmark::DoNotOptimize(testing::libjpeg_decode(file).width);
        },
        min_seconds, rounds);
}

void BM_OpenNatureShow(benchmark::State& state) {
    const std::vector<std::string> files = photograph_paths();
    open_show(state, files, decode_seconds(files, 1.0, 2));
}
BENCHMARK(BM_OpenNatureShow)->Name("open show of mate nature photographs")->UseManualTime()
    ->Unit(benchmark::kMillisecond)->Iterations(10);

// Writes rows of blue, green, red bytes, top row first, as a JPEG of quality 92.
void write_bgr_jpeg(const std::string& path, int width, int height, const std::vector<std::uint8_t>& bgr) {
    testing::write_jpeg_rows(
        path, width, height, false,
        [&](int y, std::uint8_t* row) {
            const std::uint8_t* from = bgr.data() + static_cast<std::size_t>(y) * width * 3;
            for (int x = 0; x < 3 * width; x += 3) row[x] = from[x + 2], row[x + 1] = from[x + 1], row[x + 2] = from[x];
        },
        {}, 92, false);
}

// Forty 6000 x 4000 photographs, each a different part of a nature photograph enlarged
// with bilinear interpolation (every fourth mirrored), made once and kept in the build tree.
std::vector<std::string> large_photographs() {
    constexpr int width = 6000, height = 4000, count = 40;
    const std::string folder = LUMIVANE_BENCH_PICTURES;
    std::filesystem::create_directories(folder);
    const std::vector<std::string> sources = photograph_paths();
    std::vector<std::string> paths;
    for (int k = 0; k < count; ++k) {
        paths.push_back(folder + "/large-" + std::to_string(k) + ".jpg");
        if (std::filesystem::exists(paths.back())) continue;
        const testing::JpegPicture source = testing::libjpeg_decode(sources[static_cast<std::size_t>(k) % sources.size()]);
        const int variant = k / static_cast<int>(sources.size());
        // A window of the source 1, 0.85, 0.7 or 0.55 times its size, at a corner of its own.
        const double part = 1.0 - 0.15 * variant;
        const double left = (variant & 1) * (1.0 - part) * source.width;
        const double top = (variant >> 1) * (1.0 - part) * source.height;
        const double step_x = part * (source.width - 1) / (width - 1);
        const double step_y = part * (source.height - 1) / (height - 1);
        std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * height * 3);
        for (int y = 0; y < height; ++y) {
            const double sy = top + y * step_y;
            const int y0 = std::min(static_cast<int>(sy), source.height - 2);
            const double fy = sy - y0;
            for (int x = 0; x < width; ++x) {
                const double sx = left + (k % 4 == 3 ? width - 1 - x : x) * step_x;
                const int x0 = std::min(static_cast<int>(sx), source.width - 2);
                const double fx = sx - x0;
                const std::uint8_t* a = source.bgr.data() + (static_cast<std::size_t>(y0) * source.width + x0) * 3;
                const std::uint8_t* b = a + static_cast<std::size_t>(source.width) * 3;
                for (int c = 0; c < 3; ++c) {
                    const double v = (a[c] * (1 - fx) + a[c + 3] * fx) * (1 - fy) + (b[c] * (1 - fx) + b[c + 3] * fx) * fy;
                    bgr[(static_cast<std::size_t>(y) * width + x) * 3 + c] = static_cast<std::uint8_t>(std::lround(v));
                }
            }
        }
        write_bgr_jpeg(paths.back() + ".part", width, height, bgr);
        std::filesystem::rename(paths.back() + ".part", paths.back());
    }
    return paths;
}

void BM_OpenLargeShow(benchmark::State& state) {
    const std::vector<std::string> files = large_photographs();
    open_show(state, files, decode_seconds(files, 0.1, 2));
}
BENCHMARK(BM_OpenLargeShow)->Name("open show of 40 photographs of 6000x4000")->UseManualTime()
    ->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenManySlides(benchmark::State& state) {
    const std::string small = std::string(LUMIVANE_BENCH_PICTURES) + "/small.jpg";
    if (!std::filesystem::exists(small)) {
        std::filesystem::create_directories(LUMIVANE_BENCH_PICTURES);
        const testing::JpegPicture source = testing::libjpeg_decode(photograph_paths().front());
        std::vector<std::uint8_t> bgr(320 * 240 * 3);
        for (int y = 0; y < 240; ++y) {
            for (int x = 0; x < 320; ++x) {
                const std::size_t sample = static_cast<std::size_t>(y * source.height / 240) * source.width +
                                           static_cast<std::size_t>(x * source.width / 320);
                const std::uint8_t* from = source.bgr.data() + 3 * sample;
                std::copy(from, from + 3, bgr.begin() + (y * 320 + x) * 3);
            }
        }
        write_bgr_jpeg(small, 320, 240, bgr);
    }
    const std::vector<std::string> files(10000, small);
    open_show(state, files, decode_seconds(files, 0.1, 2));
}
BENCHMARK(BM_OpenManySlides)->Name("open show of 10000 slides of one 320x240 JPEG")->UseManualTime()
    ->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();

// A show of large photographs, opened, played through and exported, each measurement in
// a process of its own whose peak memory (ru_maxrss) the parent reads:
// - bare libjpeg-turbo decodes of the show's files one after another: the baseline;
// - opening the show with an empty thumbnail cache, and a second opening from the cache;
// - playing it through off screen at 1920 x 1080 on the export's clock, held to real
//   time (each frame no earlier than its moment), in exact and in smooth motion, counting
//   the pictures needed before they were ready;
// - the twelve mate-backgrounds nature photographs opened, against their bare decodes;
// - the program's own video export at 1280 x 720.
// Playing and exporting run with the process's data limited to 2 GiB (RLIMIT_DATA), which
// the picture cache's memory check honours; without a limit it keeps as many pictures as
// the machine has free memory for.
//
// The photographs (default 300, or the count given as the first argument) are made once
// from the mate-backgrounds photographs, enlarged to 6000 x 4000 and each varied in colour
// and direction, and kept under the build folder. A second argument picks the steps:
// "open" (the baseline and the openings of both shows), "play" or "export"; "all", the
// default, runs every one.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/app_context.h"
#include "app/show_folder.h"
#include "app/show_images.h"
#include "imaging/image_loader.h"
#include "imaging/resample.h"
#include "platform/text_encoding.h"
#include "playback/offscreen_playback.h"
#include "playback/pan_zoom.h"
#include "support/jpeg_files.h"
#include "support/silent_ui.h"

namespace {

using namespace lumivane;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string nature = "/usr/share/backgrounds/mate/nature";
const std::string pictures = LUMIVANE_BENCH_PICTURES;
constexpr rlim_t data_limit = rlim_t{2} << 30;

std::vector<std::string> nature_paths() {
    std::vector<std::string> paths;
    for (const auto& entry : fs::directory_iterator(nature)) {
        if (entry.path().extension() == ".jpg") paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::string photo_name(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "photo_%03d.jpg", i);
    return name;
}

// Makes the photographs not made yet: photograph i is nature photograph i mod 12 at
// 6000 x 4000, its colours scaled by a factor of its own and every other round mirrored.
void make_photographs(int count) {
    fs::create_directories(pictures);
    const std::vector<std::string> sources = nature_paths();
    for (int i = 0; i < count; ++i) {
        const std::string path = pictures + "/" + photo_name(i);
        if (fs::exists(path)) continue;
        ImageBuffer source, large;
        std::vector<std::uint8_t> profile;
        LoadReport report;
        if (image_read(utf8_to_utf16(sources[static_cast<std::size_t>(i) % sources.size()]), source, profile, report) ||
            image_resample(source, large, 6000, 4000, 300.0, ResampleFilter::Linear)) {
            std::fprintf(stderr, "cannot make %s\n", path.c_str());
            std::exit(1);
        }
        const int scale[3] = {70 + (i * 7) % 30, 70 + (i * 11) % 30, 70 + (i * 13) % 30};
        const bool mirrored = (i / 12) % 2 == 1;
        testing::write_jpeg_rows(
            path + ".part", 6000, 4000, false,
            [&](int y, std::uint8_t* row) {
                const std::uint8_t* from = large.rows[static_cast<std::size_t>(3999 - y)];
                for (int x = 0; x < 6000; ++x) {
                    const std::uint8_t* p = from + 3 * (mirrored ? 5999 - x : x);
                    for (int c = 0; c < 3; ++c) row[3 * x + c] = static_cast<std::uint8_t>(p[2 - c] * scale[c] / 100);
                }
            },
            {}, 90, false);
        fs::rename(path + ".part", path);
    }
}

// The show: the first count photographs, a second each, crossfades of half a second.
void write_index(const std::string& folder, const std::vector<std::string>& names) {
    std::ofstream index(folder + "/index.ssi");
    index << "SlideShow 1.0\nproportions 16 9\nshow_captions 2\nloop 0\nautorun 0\nn_slides " << names.size()
          << "\ndefault_style 1\ndefault_delay 1\ntransition 2\ntransition_time 0.5\n";
    for (std::size_t i = 0; i < names.size(); ++i) {
        index << "slide " << i << " 1 0 1 \"" << names[i] << "\" \"" << names[i] << "\"\nframe " << i
              << " 0 -1 0 0 1 1\n";
    }
    index << "end\n";
}

// A show folder of links to the files.
std::string link_folder(const std::string& name, const std::vector<std::string>& files) {
    const std::string folder = pictures + "/" + name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::vector<std::string> names;
    for (const std::string& file : files) {
        names.push_back(fs::path(file).filename().string());
        fs::create_symlink(file, folder + "/" + names.back());
    }
    write_index(folder, names);
    return folder;
}

struct Measured {
    double seconds = 0.0;
    double peak_mb = 0.0;  // the process's peak resident memory
    double value = 0.0;    // what the measurement counts besides
    double cpu_seconds = 0.0;  // processor time of all its threads, which a busy machine disturbs less
};

// Runs work in a child process, optionally under the data limit; work returns its value.
Measured in_child(bool limited, const std::function<double()>& work) {
    int pipe_ends[2];
    if (::pipe(pipe_ends) != 0) std::exit(1);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe_ends[0]);
        if (limited) {
            const rlimit limit{data_limit, data_limit};
            ::setrlimit(RLIMIT_DATA, &limit);
        }
        const auto start = Clock::now();
        const double value = work();
        const double result[2] = {std::chrono::duration<double>(Clock::now() - start).count(), value};
        if (::write(pipe_ends[1], result, sizeof result) != static_cast<ssize_t>(sizeof result)) ::_exit(1);
        ::_exit(0);
    }
    ::close(pipe_ends[1]);
    double result[2] = {-1.0, -1.0};
    if (::read(pipe_ends[0], result, sizeof result) != static_cast<ssize_t>(sizeof result)) result[0] = -1.0;
    ::close(pipe_ends[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return {result[0], static_cast<double>(usage.ru_maxrss) / 1024.0, result[1],
            seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

double bare_decodes(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        if (testing::libjpeg_decode(file).width == 0) std::exit(1);
    }
    return 0.0;
}

// Opens the show; the thumbnail cache is folder's.
void open_show(AppContext& context, const std::string& folder, const std::string& thumbnails) {
    context.thumbnail_folder = utf8_to_utf16(thumbnails);
    context.show.show_folder = utf8_to_utf16(folder);
    if (read_show(context, context.show.show_folder, u"index.ssi")) std::exit(1);
    load_show_images(context);
}

// Plays the show through at 1920 x 1080 and 30 frames a second, no frame before its
// moment; the pictures late while it played, the first one (needed at once) left out.
double play(const std::string& folder, const std::string& thumbnails, Motion motion) {
    testing::SilentUi ui;
    AppContext context(ui);
    open_show(context, folder, thumbnails);
    OffscreenPlayback playback(context.show, 1920, 1080, 30, motion);
    std::u16string message;
    if (playback.start(message)) std::exit(1);
    const std::int64_t first = context.pictures.late_count();
    const auto start = Clock::now();
    while (playback.next_frame(message)) {
        std::this_thread::sleep_until(start + std::chrono::microseconds(playback.frame() * 1000000 / 30));
    }
    return static_cast<double>(context.pictures.late_count() - first);
}

double export_video(const std::string& folder, const std::string& thumbnails) {
    const std::string home = pictures + "/export-home";
    fs::create_directories(home);
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CACHE_HOME", fs::path(thumbnails).parent_path().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string output = pictures + "/export.mp4";
    const pid_t program = ::fork();
    if (program == 0) {
        ::execl(LUMIVANE_PROGRAM, LUMIVANE_PROGRAM, "--export", folder.c_str(), "-o", output.c_str(), "--size",
                "1280x720", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(program, &status, 0, &usage);
    // The program's peak memory in MB, or its exit status negated.
    const bool done = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return done ? static_cast<double>(usage.ru_maxrss) / 1024.0 : -(WIFEXITED(status) ? WEXITSTATUS(status) : 128);
}

// Opening the show in folder, its thumbnails kept in thumbnails, as a measured step.
auto opening_of(const std::string& folder, const std::string& thumbnails) {
    return [folder, thumbnails] {
        testing::SilentUi ui;
        AppContext context(ui);
        open_show(context, folder, thumbnails);
        return 0.0;
    };
}

// The baseline, and the show opened with an empty thumbnail cache and again from it.
void show_openings(const std::vector<std::string>& files, const std::string& show, const std::string& thumbnails) {
    const Measured bare = in_child(false, [&] { return bare_decodes(files); });
    std::printf("bare decodes              %8.2f s  peak %6.0f MB  processor %.2f s\n", bare.seconds, bare.peak_mb,
                bare.cpu_seconds);
    fs::remove_all(thumbnails);
    const auto opening = opening_of(show, thumbnails);
    const Measured first = in_child(false, opening);
    std::printf("first opening             %8.2f s  peak %6.0f MB  ratio %.3f  processor %.2f s\n", first.seconds,
                first.peak_mb, first.seconds / bare.seconds, first.cpu_seconds);
    const Measured second = in_child(false, opening);
    std::printf("second opening            %8.2f s  peak %6.0f MB  ratio %.4f\n", second.seconds, second.peak_mb,
                second.seconds / bare.seconds);
}

// The twelve nature photographs opened, against their bare decodes.
void nature_openings() {
    const std::vector<std::string> twelve = nature_paths();
    const std::string demo = link_folder("nature", twelve);
    const Measured demo_bare = in_child(false, [&] { return bare_decodes(twelve); });
    const std::string demo_thumbnails = pictures + "/nature-cache/thumbnails";
    fs::remove_all(demo_thumbnails);
    const auto demo_opening = opening_of(demo, demo_thumbnails);
    const Measured demo_first = in_child(false, demo_opening);
    const Measured demo_second = in_child(false, demo_opening);
    std::printf("nature show: bare %.3f s, first opening %.3f s (ratio %.2f), second %.3f s (ratio %.3f)\n",
                demo_bare.seconds, demo_first.seconds, demo_first.seconds / demo_bare.seconds, demo_second.seconds,
                demo_second.seconds / demo_bare.seconds);
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 300;
    const std::string steps = argc > 2 ? argv[2] : "all";
    if (count <= 0 || (steps != "all" && steps != "open" && steps != "play" && steps != "export")) {
        std::fprintf(stderr, "usage: large_show_bench [COUNT [all|open|play|export]]\n");
        return 2;
    }
    const auto runs = [&](const char* step) { return steps == "all" || steps == step; };
    make_photographs(count);
    std::vector<std::string> files;
    for (int i = 0; i < count; ++i) files.push_back(pictures + "/" + photo_name(i));
    const std::string show = link_folder("show-" + std::to_string(count), files);
    const std::string thumbnails = pictures + "/cache/thumbnails";

    std::printf("%d photographs of 6000 x 4000\n", count);
    if (runs("open")) show_openings(files, show, thumbnails);
    const std::vector<Motion> motions = runs("play") ? std::vector{Motion::Exact, Motion::Smooth} : std::vector<Motion>{};
    for (const Motion motion : motions) {
        const Measured played = in_child(true, [&] { return play(show, thumbnails, motion); });
        std::printf("play through, %s      %8.2f s  peak %6.0f MB  late %.0f\n", motion == Motion::Exact ? "exact " : "smooth",
                    played.seconds, played.peak_mb, played.value);
    }

    if (runs("open")) nature_openings();
    if (!runs("export")) return 0;
    const Measured exported = in_child(true, [&] { return export_video(show, thumbnails); });
    std::printf("export 1280 x 720         %8.2f s  peak %6.0f MB (negative: the export failed)\n", exported.seconds,
                exported.value);
    return 0;
}

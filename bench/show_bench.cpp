// Opening a show of the twelve photographs in Debian's mate-backgrounds nature folder
// (read_show_index + load_show_images), beside bare libjpeg-turbo decodes of the same
// files in the same run. Also reports the process's peak memory against the sum of the
// slides' pictures.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench_support.h"
#include "document/app_context.h"
#include "document/show_images.h"
#include "document/show_index.h"
#include "platform/text_encoding.h"
#include "support/jpeg_files.h"
#include "support/silent_ui.h"

namespace {

using namespace lumivane;

const char* const photographs = "/usr/share/backgrounds/mate/nature";

std::vector<std::string> photograph_names() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(photographs)) {
        if (entry.path().extension() == ".jpg") names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}


// Peak resident memory of the process so far, in bytes.
double peak_memory() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) * 1024.0;
    }
    return 0.0;
}

void BM_OpenShow(benchmark::State& state) {
    const std::vector<std::string> names = photograph_names();
    // A show folder of links to the photographs, and its index.
    const std::string folder = "/tmp/lumivane-show-bench-" + std::to_string(::getpid());
    std::filesystem::create_directories(folder);
    std::ofstream index(folder + "/index.ssi");
    index << "SlideShow 1.0\nproportions 16 9\nn_slides " << names.size() << "\n";
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::filesystem::create_symlink(std::string(photographs) + "/" + names[i], folder + "/" + names[i]);
        index << "slide " << i << " 1 0 1 \"" << names[i] << "\" \"" << names[i] << "\"\nframe " << i
              << " 0 -1 0 0 1 1\n";
    }
    index << "end\n";
    index.close();

    testing::SilentUi ui;
    double picture_bytes = 0.0;
    double peak = 0.0;
    {
        // Measured first, in a process that has held nothing large yet.
        AppContext context(ui);
        context.show.show_folder = utf8_to_utf16(folder);
        read_show_index(context, context.show.show_folder, u"index.ssi");
        load_show_images(context);
        peak = peak_memory();
        for (const Slide& slide : context.show.slides) {
            picture_bytes += static_cast<double>(slide.image.stride) * slide.image.height;
        }
    }
    const double baseline = bench::seconds_per_call(
        [&] {
            for (const std::string& name : names) testing::libjpeg_decode(std::string(photographs) + "/" + name);
        },
        1.0, 2);
    bench::run_against_baseline(state, baseline, [&] {
        AppContext context(ui);
        context.show.show_folder = utf8_to_utf16(folder);
        read_show_index(context, context.show.show_folder, u"index.ssi");
        load_show_images(context);
    });
    state.counters["pictures_MB"] = picture_bytes / 1e6;
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["slides"] = static_cast<double>(names.size());
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_OpenShow)->Name("open show of mate nature photographs")->UseManualTime()->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();

// Loading a large real photograph with image_load, beside a bare libjpeg-turbo decode
// of the same file into one buffer in the same run.

#include <cstdio>
#include <vector>


#include "bench_support.h"
#include "imaging/image_loader.h"
#include "platform/text_encoding.h"
#include "support/jpeg_files.h"
#include "support/silent_ui.h"

namespace {

using namespace lumivane;

const char* const photograph = "/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg";


void BM_ImageLoad(benchmark::State& state) {
    const double baseline = bench::seconds_per_call([] { testing::libjpeg_decode(photograph); }, 0.5, 3);
    testing::SilentUi ui;
    ImageBuffer image;
    std::vector<std::uint8_t> profile;
    const std::u16string path = utf8_to_utf16(photograph);
    bench::run_against_baseline(state, baseline, [&] { static_cast<void>(image_load(ui, path, image, profile)); });
    if (image.width != 5640) state.SkipWithError("the photograph did not load");
}
BENCHMARK(BM_ImageLoad)->Name("image_load Elephants 5640x3172")->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

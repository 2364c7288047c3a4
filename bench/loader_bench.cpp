// Loading a large real photograph with image_load, beside a bare libjpeg-turbo decode
// of the same file into one buffer in the same run.

#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "bench_support.h"
#include "imaging/image_loader.h"
#include "platform/text_encoding.h"
#include "support/silent_ui.h"

namespace {

using namespace lumivane;

const char* const photograph = "/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg";

void bare_decode(const char* path, std::vector<unsigned char>& pixels) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return;
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    const std::size_t row_bytes = static_cast<std::size_t>(info.output_width) * 3;
    pixels.resize(row_bytes * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.data() + row_bytes * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
}

void BM_ImageLoad(benchmark::State& state) {
    std::vector<unsigned char> pixels;
    const double baseline = bench::seconds_per_call([&] { bare_decode(photograph, pixels); }, 0.5, 3);
    testing::SilentUi ui;
    ImageBuffer image;
    std::vector<std::uint8_t> profile;
    const std::u16string path = utf8_to_utf16(photograph);
    bench::run_against_baseline(state, baseline, [&] { image_load(ui, path, image, profile); });
    if (image.width != 5640) state.SkipWithError("the photograph did not load");
}
BENCHMARK(BM_ImageLoad)->Name("image_load Elephants 5640x3172")->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

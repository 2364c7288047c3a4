// Copies and orientation changes of a 24-megapixel picture (6000 x 4000 Colour8,
// 72 MB), each against one memcpy of the same bytes in the same run.

#include <cstring>
#include <random>

#include "bench_support.h"
#include "imaging/image_copy.h"
#include "imaging/orientation.h"
#include "imaging/preview.h"

namespace {

using namespace lumivane;

const ImageBuffer& photograph() {
    static const ImageBuffer image = [] {
        ImageBuffer picture;
        static_cast<void>(image_allocate(picture, PixelFormat::Colour8, 6000, 4000, 300.0));
        std::mt19937 random(1);
        for (std::uint8_t* row : picture.rows) {
            for (int i = 0; i < picture.stride; i += 4) {
                const std::uint32_t v = random();
                std::memcpy(row + i, &v, 4);
            }
        }
        return picture;
    }();
    return image;
}

double memcpy_seconds() {
    static const double seconds =
        bench::memcpy_seconds(static_cast<std::size_t>(photograph().stride) * photograph().height);
    return seconds;
}

template <bool (*Operation)(const ImageBuffer&, ImageBuffer&)>
void BM_Picture(benchmark::State& state) {
    const ImageBuffer& source = photograph();
    ImageBuffer destination;
    static_cast<void>(Operation(source, destination));  // the destination's storage is warm, as when a loader reuses it
    bench::run_against_baseline(state, memcpy_seconds(), [&] { static_cast<void>(Operation(source, destination)); });
}

BENCHMARK(BM_Picture<image_copy>)->Name("image_copy")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Picture<image_rotate_cw>)->Name("image_rotate_cw")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Picture<image_rotate_180>)->Name("image_rotate_180")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Picture<image_transpose>)->Name("image_transpose")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Picture<image_rotate_ccw>)->Name("image_rotate_ccw")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Picture<image_transverse>)->Name("image_transverse")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Picture<image_mirror_left_right>)
    ->Name("image_mirror_left_right")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Picture<image_mirror_top_bottom>)
    ->Name("image_mirror_top_bottom")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_Preview(benchmark::State& state) {
    ImageBuffer thumbnail;
    bench::run_against_baseline(state, memcpy_seconds(),
                                [&] { static_cast<void>(image_make_preview(photograph(), thumbnail, 200, 200, 5)); });
}
BENCHMARK(BM_Preview)->Name("image_make_preview 200x200")->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// Converting a 6000 x 4000 picture from an embedded Adobe RGB (1998) profile to sRGB:
// colour_transform_apply on the worker pool, beside the same transform applied by one
// cmsDoTransform call over all pixels on one thread in the same run.

#include <cstring>
#include <random>
#include <vector>

#include <lcms2.h>

#include "bench_support.h"
#include "imaging/colour_transform.h"
#include "imaging/monitor_profiles.h"
#include "support/silent_ui.h"

namespace {

using namespace lumivane;

constexpr std::int32_t width = 6000;
constexpr std::int32_t height = 4000;

void BM_ColourTransformApply(benchmark::State& state) {
    ImageBuffer picture;
    static_cast<void>(image_allocate(picture, PixelFormat::Colour8, width, height, 300.0));
    std::mt19937 random(3);
    for (std::uint8_t* row : picture.rows) {
        for (std::int32_t i = 0; i < 3 * width; ++i) row[i] = static_cast<std::uint8_t>(random());
    }
    const std::vector<std::uint8_t>& adobe = adobe_rgb_profile();

    // The baseline: one call over one contiguous buffer of the same pixels.
    cmsHPROFILE input = cmsOpenProfileFromMem(adobe.data(), static_cast<cmsUInt32Number>(adobe.size()));
    cmsHPROFILE output = cmsCreate_sRGBProfile();
    cmsHTRANSFORM single = cmsCreateTransform(input, TYPE_BGR_8, output, TYPE_BGR_8, INTENT_PERCEPTUAL, cmsFLAGS_NOCACHE);
    std::vector<std::uint8_t> from(static_cast<std::size_t>(width) * height * 3), to(from.size());
    for (std::int32_t r = 0; r < height; ++r) std::memcpy(from.data() + static_cast<std::size_t>(r) * width * 3, picture.rows[r], 3 * width);
    const double baseline = bench::seconds_per_call(
        [&] { cmsDoTransform(single, from.data(), to.data(), static_cast<cmsUInt32Number>(width) * height); }, 0.5, 3);
    cmsDeleteTransform(single);
    cmsCloseProfile(input);
    cmsCloseProfile(output);

    testing::SilentUi ui;
    ColourTransformHandle transform;
    static_cast<void>(colour_transform_create(adobe, picture, MonitorProfile::Srgb, transform));
    ImageBuffer converted;
    bench::run_against_baseline(state, baseline, [&] { static_cast<void>(colour_transform_apply(picture, converted, transform.get())); });
}
BENCHMARK(BM_ColourTransformApply)
    ->Name("colour_transform_apply 6000x4000 Adobe RGB to sRGB")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

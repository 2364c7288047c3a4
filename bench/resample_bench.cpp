// Scaling a 24-megapixel picture (6000 x 4000 Colour8): linear to 1920 x 1280, and
// nearest to the slide dialog's preview size. Each is measured against one memcpy of
// the destination's bytes; the linear filter also against Qt's smooth scaling of the
// same picture, as 32-bit pixels (the format Qt decodes photographs into) and as the
// same 24-bit bytes.

#include <QImage>

#include <cstdint>
#include <cstring>

#include "bench_support.h"
#include "imaging/resample.h"

namespace {

using namespace lumivane;

constexpr std::int32_t source_width = 6000;
constexpr std::int32_t source_height = 4000;

const ImageBuffer& photograph() {
    static const ImageBuffer image = [] {
        ImageBuffer picture;
        image_allocate(picture, PixelFormat::Colour8, source_width, source_height, 300.0);
        for (std::int32_t y = 0; y < picture.height; ++y) {
            std::uint8_t* row = picture.rows[static_cast<std::size_t>(y)];
            for (std::int32_t x = 0; x < picture.width; ++x) {
                row[3 * x] = static_cast<std::uint8_t>(x ^ y);
                row[3 * x + 1] = static_cast<std::uint8_t>(x / 24 + y / 16);
                row[3 * x + 2] = static_cast<std::uint8_t>((x * 7 + y * 3) >> 4);
            }
        }
        return picture;
    }();
    return image;
}

// The same picture as Qt holds it, top row first.
QImage qt_picture(QImage::Format format) {
    QImage picture(source_width, source_height, QImage::Format_BGR888);
    const ImageBuffer& image = photograph();
    for (std::int32_t y = 0; y < source_height; ++y) {
        std::memcpy(picture.scanLine(y), image.rows[static_cast<std::size_t>(source_height - 1 - y)],
                    static_cast<std::size_t>(source_width) * 3);
    }
    return picture.convertToFormat(format);
}

double qt_seconds(QImage::Format format, std::int32_t width, std::int32_t height) {
    const QImage picture = qt_picture(format);
    return bench::seconds_per_call(
        [&] {
            QImage scaled = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            benchmark::DoNotOptimize(scaled.constBits());
        },
        0.3, 3);
}

void BM_Resample(benchmark::State& state) {
    const auto filter = static_cast<ResampleFilter>(state.range(0));
    const auto width = static_cast<std::int32_t>(state.range(1));
    const auto height = static_cast<std::int32_t>(state.range(2));
    ImageBuffer destination;
    image_resample(photograph(), destination, width, height, 100.0, filter);  // warm destination
    const double baseline = bench::memcpy_seconds(static_cast<std::size_t>(destination.stride) * height);
    bench::run_against_baseline(state, baseline,
                                [&] { image_resample(photograph(), destination, width, height, 100.0, filter); });
    if (filter == ResampleFilter::Linear) {
        const double seconds = state.iterations() > 0 ? state.counters["ratio"] * baseline : 0.0;
        const double qt32 = qt_seconds(QImage::Format_RGB32, width, height);
        const double qt24 = qt_seconds(QImage::Format_BGR888, width, height);
        state.counters["qt_rgb32_ms"] = qt32 * 1e3;
        state.counters["vs_qt_rgb32"] = seconds / qt32;
        state.counters["qt_bgr888_ms"] = qt24 * 1e3;
        state.counters["vs_qt_bgr888"] = seconds / qt24;
    }
}

BENCHMARK(BM_Resample)
    ->Name("image_resample linear 1920x1280")
    ->Args({1, 1920, 1280})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resample)
    ->Name("image_resample nearest 960x640")
    ->Args({0, 960, 640})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

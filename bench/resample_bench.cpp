// Scaling a 24-megapixel picture (6000 x 4000 Colour8): linear to 1920 x 1280, and
// nearest to the slide dialog's preview size. Each is measured against one memcpy of
// the destination's bytes; the linear filter also against Qt's smooth scaling of the
// same picture, as 32-bit pixels (the format Qt decodes photographs into), and on its
// own as the same 24-bit bytes.

#include <QImage>

#include <chrono>
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
        static_cast<void>(image_allocate(picture, PixelFormat::Colour8, source_width, source_height, 300.0));
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

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Linear, each call followed by Qt's smooth scaling of the same picture as RGB32, so
// that both see the same machine; vs_qt is the ratio of their mean times.
void BM_Linear(benchmark::State& state) {
    const auto width = static_cast<std::int32_t>(state.range(0));
    const auto height = static_cast<std::int32_t>(state.range(1));
    ImageBuffer destination;
    static_cast<void>(image_resample(photograph(), destination, width, height, 100.0, ResampleFilter::Linear));  // warm destination
    const double baseline = bench::memcpy_seconds(static_cast<std::size_t>(destination.stride) * height);
    const QImage picture = qt_picture(QImage::Format_RGB32);
    double ours = 0.0, qt = 0.0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        static_cast<void>(image_resample(photograph(), destination, width, height, 100.0, ResampleFilter::Linear));
        const double elapsed = seconds_since(start);
        state.SetIterationTime(elapsed);
        ours += elapsed;
        start = std::chrono::steady_clock::now();
        QImage scaled = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(scaled.constBits());
        qt += seconds_since(start);
    }
    const auto n = static_cast<double>(state.iterations());
    if (n > 0) {
        state.counters["ratio"] = ours / n / baseline;
        state.counters["baseline_ms"] = baseline * 1e3;
        state.counters["qt_rgb32_ms"] = qt / n * 1e3;
        state.counters["vs_qt"] = ours / qt;
    }
}
BENCHMARK(BM_Linear)->Name("image_resample linear 1920x1280")->Args({1920, 1280})->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Nearest(benchmark::State& state) {
    const auto width = static_cast<std::int32_t>(state.range(0));
    const auto height = static_cast<std::int32_t>(state.range(1));
    ImageBuffer destination;
    static_cast<void>(image_resample(photograph(), destination, width, height, 100.0, ResampleFilter::Nearest));
    const double baseline = bench::memcpy_seconds(static_cast<std::size_t>(destination.stride) * height);
    bench::run_against_baseline(state, baseline, [&] {
        static_cast<void>(image_resample(photograph(), destination, width, height, 100.0, ResampleFilter::Nearest));
    });
}
BENCHMARK(BM_Nearest)->Name("image_resample nearest 960x640")->Args({960, 640})->UseManualTime()->Unit(benchmark::kMillisecond);

// Qt's smooth scaling of the same 24-bit bytes, which it widens to 32 bits first.
void BM_QtBgr888(benchmark::State& state) {
    const QImage picture = qt_picture(QImage::Format_BGR888);
    const double baseline = bench::memcpy_seconds(static_cast<std::size_t>(1920) * 1280 * 3);
    bench::run_against_baseline(state, baseline, [&] {
        QImage scaled = picture.scaled(1920, 1280, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(scaled.constBits());
    });
}
BENCHMARK(BM_QtBgr888)->Name("QImage::scaled smooth, BGR888, 1920x1280")->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

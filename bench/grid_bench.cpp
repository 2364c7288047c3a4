// The main window's thumbnail grid with 1,000 slides, drawn off screen at 1920 x 1080:
// each iteration scrolls one row and paints the whole grid with its tool buttons. The
// baseline is one fill of the same picture.

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "bench_support.h"
#include "app/app_context.h"
#include "support/silent_ui.h"
#include "ui/thumbnail_grid.h"

namespace {

using namespace lumivane;

// A landscape thumbnail as the loader makes them for a cell with a margin of 8.
ImageBuffer thumbnail(std::int32_t seed) {
    ImageBuffer picture;
    static_cast<void>(image_allocate(picture, PixelFormat::Colour8, 184, 123, 96.0));
    for (std::int32_t y = 0; y < picture.height; ++y) {
        for (std::int32_t x = 0; x < picture.stride; ++x) picture.rows[y][x] = static_cast<std::uint8_t>(x + y + seed);
    }
    return picture;
}

void BM_GridScroll(benchmark::State& state) {
    testing::SilentUi ui;
    AppContext context(ui);
    context.show.slides.resize(1000);
    for (std::int32_t i = 0; i < context.show.slide_count(); ++i) {
        context.show.slides[static_cast<std::size_t>(i)].thumbnail = std::make_shared<const ImageBuffer>(thumbnail(i));
        context.show.slides[static_cast<std::size_t>(i)].selected = i % 3 == 0;
    }
    ThumbnailGrid grid(context, ui, nullptr);
    grid.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    grid.update_layout();
    QImage picture(grid.size(), QImage::Format_RGB32);

    const double baseline = bench::seconds_per_call([&] {
        QPainter painter(&picture);
        painter.fillRect(picture.rect(), QColor(128, 128, 128));
    });
    int row = 0;
    bench::run_against_baseline(state, baseline, [&] {
        row = row + 1 > grid.scroll().maximum ? 0 : row + 1;
        grid.scroll_bar()->setValue(row);
        grid.render(&picture);
    });
    state.counters["cells"] = static_cast<double>(grid_columns(grid.area()) * grid_rows(grid.area()));
}
BENCHMARK(BM_GridScroll)
    ->Name("thumbnail grid, scroll a row and paint")
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

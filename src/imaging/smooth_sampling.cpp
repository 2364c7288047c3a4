#include "imaging/smooth_sampling.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "imaging/frame_bitmap.h"
#include "imaging/memory_bitmap.h"
#include "imaging/smooth_sampling_x86.h"
#include "imaging/vector_code.h"
#include "imaging/worker_pool.h"

namespace lumivane {

namespace {

// Row sums are read up to this many values past the last pixel a column names.
constexpr std::int32_t sum_padding = 16;

// Box edges come from files and may be huge or not numbers at all.
constexpr double edge_limit = 1073741824.0;  // 2^30
double hold(double v) { return std::isnan(v) ? 0.0 : std::clamp(v, -edge_limit, edge_limit); }

double axis_scale(double from, double to, std::int32_t count) {
    return count > 1 ? std::abs(to - from) / static_cast<double>(count - 1) : 1.0;
}

// What one rendering needs: the level, the taps of every frame row and column, and
// the level columns the row sums cover.
struct Plan {
    const ImageBuffer* level = nullptr;
    std::unique_ptr<AxisTaps[]> rows;     // frame rows from the top
    std::unique_ptr<std::int32_t[]> first;  // per frame column, from span_first
    std::unique_ptr<std::int16_t[]> pairs01;
    std::unique_ptr<std::int16_t[]> pairs23;
    std::int32_t span_first = 0;
    std::int32_t span_count = 0;  // sums per row, in pixels
    std::int32_t span_valid = 0;  // of them inside the level
};

// False when memory runs out.
bool make_plan(const ImageBuffer& picture, const std::vector<ImageBuffer>& levels, const PictureBox& box,
               std::int32_t width, std::int32_t height, Plan& plan) {
    const double left = hold(box.left), right = hold(box.right);
    // Level rows are stored bottom row first, like the picture's.
    const double bottom_row = picture.height - 1.0;
    const double top = bottom_row - hold(box.top), bottom = bottom_row - hold(box.bottom);
    const double scale = std::max(axis_scale(left, right, width), axis_scale(top, bottom, height));
    const std::int32_t n = sampling_level(scale, static_cast<std::int32_t>(levels.size()));
    const ImageBuffer& level = n == 0 ? picture : levels[static_cast<std::size_t>(n) - 1];
    plan.level = &level;

    std::unique_ptr<AxisTaps[]> columns(new (std::nothrow) AxisTaps[static_cast<std::size_t>(width)]);
    plan.rows.reset(new (std::nothrow) AxisTaps[static_cast<std::size_t>(height)]);
    plan.first.reset(new (std::nothrow) std::int32_t[static_cast<std::size_t>(width)]);
    plan.pairs01.reset(new (std::nothrow) std::int16_t[8 * static_cast<std::size_t>(width) + 16]);
    plan.pairs23.reset(new (std::nothrow) std::int16_t[8 * static_cast<std::size_t>(width) + 16]);
    if (!columns || !plan.rows || !plan.first || !plan.pairs01 || !plan.pairs23) return false;
    axis_taps(left, right, width, picture.width, n, level.width, column_one, columns.get());
    axis_taps(top, bottom, height, picture.height, n, level.height, row_one, plan.rows.get());

    std::int32_t lowest = columns[0].first, highest = columns[0].first;
    for (std::int32_t j = 0; j < width; ++j) {
        lowest = std::min(lowest, columns[j].first);
        highest = std::max(highest, columns[j].first);
    }
    plan.span_first = lowest;
    plan.span_count = highest + 4 - lowest;
    plan.span_valid = std::min(highest + 4, level.width) - lowest;
    for (std::int32_t j = 0; j < width; ++j) {
        const AxisTaps& t = columns[j];
        plan.first[j] = t.first - lowest;
        for (int k = 0; k < 8; k += 2) {
            plan.pairs01[8 * j + k] = static_cast<std::int16_t>(t.weights[0]);
            plan.pairs01[8 * j + k + 1] = static_cast<std::int16_t>(t.weights[1]);
            plan.pairs23[8 * j + k] = static_cast<std::int16_t>(t.weights[2]);
            plan.pairs23[8 * j + k + 1] = static_cast<std::int16_t>(t.weights[3]);
        }
    }
    return true;
}

// Chosen once, by what the processor running the program offers.
const SmoothFunctions& chosen_functions();

// The row sums of frame rows first..last (from the top), each handed to put(i, sums);
// sums is null for a row wholly outside the picture.
template <typename Put>
bool sum_rows(const Plan& plan, std::int32_t first, std::int32_t last, Put&& put) {
    const RowSumFunction row_sum = chosen_functions().row_sum;
    const std::size_t sum_count = 3 * static_cast<std::size_t>(plan.span_count) + sum_padding;
    std::unique_ptr<std::int16_t[]> sums(new (std::nothrow) std::int16_t[sum_count]());
    if (!sums) return true;
    const ImageBuffer& level = *plan.level;
    const std::size_t offset = 3 * static_cast<std::size_t>(plan.span_first);
    for (std::int32_t i = first; i <= last; ++i) {
        const AxisTaps& t = plan.rows[i];
        const std::uint8_t* rows[4];
        std::int16_t weights[4];
        std::int32_t taps = 0;
        for (std::int32_t k = 0; k < 4; ++k) {
            if (t.weights[k] == 0) continue;
            rows[taps] = level.rows[static_cast<std::size_t>(t.first + k)] + offset;
            weights[taps++] = static_cast<std::int16_t>(t.weights[k]);
        }
        if (taps == 0) {
            put(i, nullptr);
            continue;
        }
        row_sum(rows, weights, taps, 3 * plan.span_valid, sums.get());
        put(i, sums.get());
    }
    return false;
}

// The columns of one frame row, from its row sums.
void sum_columns(const Plan& plan, const std::int16_t* sums, std::int32_t width, std::uint8_t* out) {
    chosen_functions().column_sum(sums, plan.first.get(), plan.pairs01.get(), plan.pairs23.get(), width, out);
}

const SmoothFunctions& chosen_functions() {
    static const SmoothFunctions functions = smooth_functions().back();
    return functions;
}

}  // namespace

void row_sum_plain(const std::uint8_t* const* rows, const std::int16_t* weights, std::int32_t tap_count,
                   std::int32_t bytes, std::int16_t* out) {
    for (std::int32_t b = 0; b < bytes; ++b) {
        std::int32_t sum = 0;
        for (std::int32_t k = 0; k < tap_count; ++k) sum += weights[k] * rows[k][b];
        out[b] = static_cast<std::int16_t>(sum);
    }
}

void column_sum_plain(const std::int16_t* sums, const std::int32_t* first, const std::int16_t* pairs01,
                      const std::int16_t* pairs23, std::int32_t count, std::uint8_t* out) {
    for (std::int32_t j = 0; j < count; ++j, out += 4) {
        const std::int16_t* p = sums + 3 * static_cast<std::ptrdiff_t>(first[j]);
        const std::int32_t w[4] = {pairs01[8 * j], pairs01[8 * j + 1], pairs23[8 * j], pairs23[8 * j + 1]};
        for (int c = 0; c < 3; ++c) {
            const std::int32_t v = w[0] * p[c] + w[1] * p[3 + c] + w[2] * p[6 + c] + w[3] * p[9 + c];
            out[c] = static_cast<std::uint8_t>(std::clamp((v + result_round) >> result_shift, 0, 255));
        }
        out[3] = 255;
    }
}

std::vector<SmoothFunctions> smooth_functions() {
    std::vector<SmoothFunctions> functions{{row_sum_plain, column_sum_plain}};
#ifdef LUMIVANE_X86
    if (vector_level() >= VectorLevel::Avx2) functions.push_back({row_sum_avx2, column_sum_avx2});
#endif
    return functions;
}

std::int32_t sampling_level(double scale, std::int32_t level_count) {
    if (!(scale >= 2.0)) return 0;
    return std::clamp(static_cast<std::int32_t>(std::floor(std::log2(std::min(scale, edge_limit)))), 0, level_count);
}

void axis_taps(double from, double to, std::int32_t count, std::int32_t picture_size, std::int32_t level,
               std::int32_t level_size, std::int32_t one, AxisTaps* taps) {
    const double scale = axis_scale(from, to, count);
    const double unit = std::ldexp(1.0, level);  // picture pixels per level pixel
    // 0: bilinear from this level; 1: bilinear from the next coarser one.
    const double blend = scale > 0.0 ? std::clamp(std::log2(scale) - level, 0.0, 1.0) : 0.0;
    const double reach = std::max(scale, 1e-6) / 2.0;
    const double picture_end = picture_size - 0.5;
    for (std::int32_t i = 0; i < count; ++i) {
        const double x = count > 1 ? from + (to - from) * i / (count - 1) : from;
        const double cover =
            std::clamp((std::min(x + reach, picture_end) - std::max(x - reach, -0.5)) / (2.0 * reach), 0.0, 1.0);
        // Level pixel k is centred on picture position (k + 0.5) unit - 0.5; pixel k of
        // the next coarser level on level positions 2k and 2k + 1.
        const double p = (x + 0.5) / unit - 0.5;
        const double q = (p - 0.5) / 2.0;
        const double k0 = std::floor(q);
        const double b = q - k0;
        const double i0 = std::floor(p);
        const double a = p - i0;
        const auto base = static_cast<std::int64_t>(2.0 * k0);
        double w[4] = {(1.0 - b) / 2.0 * blend, (1.0 - b) / 2.0 * blend, b / 2.0 * blend, b / 2.0 * blend};
        const auto at = std::clamp<std::int64_t>(static_cast<std::int64_t>(i0) - base, 0, 2);
        w[at] += (1.0 - a) * (1.0 - blend);
        w[at + 1] += a * (1.0 - blend);

        // Neighbours past the level's ends take its edge pixels' place.
        AxisTaps& t = taps[i];
        t = AxisTaps{};
        t.first = static_cast<std::int32_t>(std::clamp<std::int64_t>(base, 0, std::max(level_size - 4, 0)));
        double folded[4] = {};
        for (std::int64_t m = 0; m < 4; ++m) {
            folded[std::clamp<std::int64_t>(base + m, 0, level_size - 1) - t.first] += w[m];
        }
        // Rounded to the unit, the weights keep their exact total.
        const auto total = static_cast<std::int32_t>(std::lround(cover * one));
        std::int32_t sum = 0, largest = 0;
        for (int m = 0; m < 4; ++m) {
            t.weights[m] = static_cast<std::int32_t>(std::lround(folded[m] * cover * one));
            sum += t.weights[m];
            if (t.weights[m] > t.weights[largest]) largest = m;
        }
        t.weights[largest] += total - sum;
    }
}

bool smooth_render(const ImageBuffer& picture, const std::vector<ImageBuffer>& levels, const PictureBox& box,
                   MemoryBitmap& target) {
    if (picture.kind != PixelFormat::Colour8 || picture.empty()) return true;
    if (target.width <= 0 || target.height <= 0 || !fits_memory_bitmap(target, target.width, target.height)) {
        return true;
    }
    Plan plan;
    if (!make_plan(picture, levels, box, target.width, target.height, plan)) return true;
    const std::int32_t width = target.width;
    return pool_run_rows(
        processor_count(),
        [&](std::int32_t first, std::int32_t last) {
            return sum_rows(plan, first, last, [&](std::int32_t i, const std::int16_t* sums) {
                std::uint8_t* out = target.row(i);
                if (sums) {
                    sum_columns(plan, sums, width, out);
                    return;
                }
                const std::uint32_t black = 0xFF000000u;
                for (std::int32_t j = 0; j < width; ++j) std::memcpy(out + 4 * static_cast<std::size_t>(j), &black, 4);
            });
        },
        target.height);
}

bool smooth_render(const ImageBuffer& picture, const std::vector<ImageBuffer>& levels, const PictureBox& box,
                   FrameBitmap& frame) {
    if (picture.kind != PixelFormat::Colour8 || picture.empty()) return true;
    if (!frame.pixels || frame.width <= 0 || frame.height <= 0) return true;
    Plan plan;
    if (!make_plan(picture, levels, box, frame.width, frame.height, plan)) return true;
    const std::int32_t width = frame.width;
    return pool_run_rows(
        processor_count(),
        [&](std::int32_t first, std::int32_t last) {
            // Frame rows are 24-bit and stored bottom row first; the pixels are made as
            // 32-bit ones and narrowed.
            std::unique_ptr<std::uint8_t[]> wide(new (std::nothrow) std::uint8_t[4 * static_cast<std::size_t>(width)]);
            if (!wide) return true;
            return sum_rows(plan, first, last, [&](std::int32_t i, const std::int16_t* sums) {
                std::uint8_t* out = frame.row(frame.height - 1 - i);
                if (!sums) {
                    std::fill_n(out, frame.stride, std::uint8_t{0});
                    return;
                }
                sum_columns(plan, sums, width, wide.get());
                // Four bytes a pixel, the fourth overwritten by the next pixel.
                for (std::int32_t j = 0; j + 1 < width; ++j) {
                    std::memcpy(out + 3 * static_cast<std::size_t>(j), &wide[4 * static_cast<std::size_t>(j)], 4);
                }
                const auto last = static_cast<std::size_t>(width - 1);
                std::memcpy(out + 3 * last, &wide[4 * last], 3);
            });
        },
        frame.height);
}

}  // namespace lumivane

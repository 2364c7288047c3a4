#include "imaging/resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "imaging/byte_lanes.h"
#include "imaging/image_copy.h"
#include "imaging/lookup_tables.h"
#include "imaging/worker_pool.h"

namespace lumivane {

namespace {

double triangle(double x) {
    const double a = std::abs(x);
    return a <= 1.0 ? 1.0 - a : 0.0;
}

// 8-bit samples are filtered sixteen at a time in single precision, exactly: weights
// are at most 255 and a weight sum T at most single_sum_limit, so every sum of
// samples times weights (at most 255 * T) is an integer below 2^24, which a float
// holds exactly. The quotient of such a sum n by T equals n div T when truncated:
// n / T is an integer k or lies at least 1 / T below the next one, and as k * T < 2^24
// that gap is wider than half a float's spacing near k, so rounding never reaches
// k + 1. Larger sums (reductions by more than about 250 times), 16-bit samples, and
// processors without SSE2 use double-precision sums, exact as well.
constexpr std::int64_t single_sum_limit = 65535;

// The source samples along one axis that make one destination sample: count
// consecutive samples from first, whose weights start at offset in a weight list.
struct Taps {
    std::int32_t first = 0;
    std::int32_t count = 0;
    std::int64_t sum = 1;  // the weights' sum, the divisor; 1 when they add up to 0
    std::size_t offset = 0;
};

// One axis of the linear filter.
struct Axis {
    std::int32_t source_size = 0;
    std::int32_t destination_size = 0;
    double step = 0.0;        // source samples from one destination sample to the next
    std::int32_t reach = 0;   // whole steps: reductions look reach + 1 samples either side
    double ratio = 1.0;       // source size / destination size, the kernel's stretch when reducing
};

Axis make_axis(std::int32_t source_size, std::int32_t destination_size, double single_step) {
    Axis axis;
    axis.source_size = source_size;
    axis.destination_size = destination_size;
    axis.step = destination_size < 2 ? single_step
                                     : static_cast<double>(source_size - 1) / static_cast<double>(destination_size - 1);
    axis.reach = static_cast<std::int32_t>(axis.step);
    axis.ratio = static_cast<double>(source_size) / static_cast<double>(destination_size);
    return axis;
}

// Destination sample index lies at index * step in the source. Enlarging weighs the
// four samples around it with the triangle; reducing stretches the triangle by the
// ratio over every sample it reaches. Samples outside the picture weigh nothing; the
// kernel's support is one interval, so the samples it keeps are consecutive.
Taps linear_taps(const Axis& axis, std::int32_t index, std::vector<std::int32_t>& weights) {
    const double x = index * axis.step;
    const auto start = static_cast<std::int32_t>(x);
    const double g = x - start;
    const bool reducing = axis.source_size > axis.destination_size;
    const std::int32_t low = reducing ? -(axis.reach + 1) : -1;
    const std::int32_t high = reducing ? axis.reach + 1 : 2;
    const double stretch = reducing ? axis.ratio : 1.0;

    Taps taps;
    taps.offset = weights.size();
    std::int64_t sum = 0;
    for (std::int32_t k = low; k <= high; ++k) {
        const std::int64_t sample = std::int64_t{start} + k;
        if (sample < 0 || sample >= axis.source_size) continue;
        const double value = triangle((k - g) / stretch);
        if (value == 0.0) continue;
        if (taps.count == 0) taps.first = static_cast<std::int32_t>(sample);
        ++taps.count;
        const std::int32_t weight = clamp8(static_cast<std::int32_t>(255.0 * value));
        weights.push_back(weight);
        sum += weight;
    }
    taps.sum = sum == 0 ? 1 : sum;
    return taps;
}

struct LinearContext {
    const ImageBuffer* source = nullptr;  // in the working kind
    ImageBuffer* destination = nullptr;
    bool sixteen_bit = false;
    std::int32_t channels = 1;
    Axis rows;
    Axis columns;
    // The horizontal tables, when the width changes.
    std::vector<Taps> column_taps;
    std::vector<std::int32_t> column_weights;
    std::vector<std::uint16_t> column_weights16;  // the same, when every column sum allows lanes

    std::size_t samples_in() const { return static_cast<std::size_t>(columns.source_size) * channels; }
    std::size_t samples_out() const { return static_cast<std::size_t>(columns.destination_size) * channels; }
    // Destination rows go sixteen at a time through the byte lanes.
    bool in_lanes() const {
#if defined(__SSE2__)
        return !sixteen_bit && (column_taps.empty() || !column_weights16.empty());
#else
        return false;
#endif
    }
};

// What one worker needs besides the context.
struct Scratch {
    std::vector<std::int32_t> weights;
    std::vector<const std::uint8_t*> tap_rows;
    std::vector<std::uint16_t> tap_weights;
    std::vector<double> sums;
    std::vector<std::uint8_t> intermediate;  // one intermediate row, or sixteen for the lanes
    std::vector<std::uint8_t> across;        // sixteen intermediate rows, sample by sample
    std::vector<std::uint8_t> results;       // sixteen destination rows, sample by sample
};

template <typename Sample>
Sample clamp_sample(double quotient) {
    const auto v = std::clamp<double>(quotient, -1.0, 65536.0);
    if constexpr (sizeof(Sample) == 1) {
        return static_cast<Sample>(clamp8(static_cast<std::int32_t>(v)));
    } else {
        return static_cast<Sample>(clamp16(static_cast<std::int32_t>(v)));
    }
}

// The intermediate row with double-precision sums.
template <typename Sample>
void vertical_double(const LinearContext& c, const Taps& taps, Scratch& scratch, Sample* out) {
    const std::size_t n = c.samples_in();
    scratch.sums.assign(n, 0.0);
    double* s = scratch.sums.data();
    for (std::int32_t k = 0; k < taps.count; ++k) {
        const double w = scratch.weights[taps.offset + static_cast<std::size_t>(k)];
        if (w == 0.0) continue;
        const auto* row = reinterpret_cast<const Sample*>(c.source->rows[taps.first + k]);
        for (std::size_t x = 0; x < n; ++x) s[x] += w * row[x];
    }
    const auto divisor = static_cast<double>(taps.sum);
    for (std::size_t x = 0; x < n; ++x) out[x] = clamp_sample<Sample>(s[x] / divisor);
}

#if defined(__SSE2__)
// The intermediate row from 8-bit source rows, 32 or 16 samples at a time.
void vertical_lanes(const LinearContext& c, const Taps& taps, Scratch& scratch, std::uint8_t* out) {
    scratch.tap_rows.clear();
    scratch.tap_weights.clear();
    for (std::int32_t k = 0; k < taps.count; ++k) {
        const std::int32_t w = scratch.weights[taps.offset + static_cast<std::size_t>(k)];
        if (w == 0) continue;
        scratch.tap_rows.push_back(c.source->rows[taps.first + k]);
        scratch.tap_weights.push_back(static_cast<std::uint16_t>(w));
    }
    const std::uint8_t* const* rows = scratch.tap_rows.data();
    const std::uint16_t* weights = scratch.tap_weights.data();
    const std::size_t count = scratch.tap_rows.size();
    const std::size_t n = c.samples_in();
    const auto divisor = static_cast<float>(taps.sum);
    auto at = [&](std::size_t x) { return [=](std::size_t k) { return rows[k] + x; }; };
    std::size_t x = 0;
    if (wide_byte_lanes()) {
        for (; x + 2 * byte_lanes <= n; x += 2 * byte_lanes) weighted_sum_wide(at(x), weights, count, divisor, out + x);
    }
    for (; x + byte_lanes <= n; x += byte_lanes) weighted_sum(at(x), weights, count, divisor, out + x);
    for (; x < n; ++x) {
        std::int32_t sum = 0;
        for (std::size_t k = 0; k < count; ++k) sum += weights[k] * rows[k][x];
        out[x] = static_cast<std::uint8_t>(static_cast<float>(sum) / divisor);
    }
}
#endif

// Destination row j's intermediate row: a source row itself when the height stays or
// one row alone makes it, else filtered into out.
const std::uint8_t* vertical_pass(const LinearContext& c, std::int32_t j, Scratch& scratch, std::uint8_t* out) {
    if (c.rows.source_size == c.rows.destination_size) return c.source->rows[j];
    scratch.weights.clear();
    const Taps taps = linear_taps(c.rows, j, scratch.weights);
    if (taps.count == 1 && scratch.weights[0] == taps.sum) return c.source->rows[taps.first];
    if (c.sixteen_bit) {
        vertical_double(c, taps, scratch, reinterpret_cast<std::uint16_t*>(out));
        return out;
    }
#if defined(__SSE2__)
    if (taps.sum <= single_sum_limit) {
        vertical_lanes(c, taps, scratch, out);
        return out;
    }
#endif
    vertical_double(c, taps, scratch, out);
    return out;
}

template <typename Sample, int Channels>
void horizontal_double(const LinearContext& c, const Sample* in, Sample* out) {
    const std::int32_t width = c.columns.destination_size;
    for (std::int32_t i = 0; i < width; ++i, out += Channels) {
        const Taps& taps = c.column_taps[static_cast<std::size_t>(i)];
        const std::int32_t* w = c.column_weights.data() + taps.offset;
        const Sample* p = in + static_cast<std::size_t>(taps.first) * Channels;
        double s[Channels] = {};
        for (std::int32_t k = 0; k < taps.count; ++k, p += Channels) {
            for (int ch = 0; ch < Channels; ++ch) s[ch] += static_cast<double>(w[k]) * p[ch];
        }
        const auto divisor = static_cast<double>(taps.sum);
        for (int ch = 0; ch < Channels; ++ch) out[ch] = clamp_sample<Sample>(s[ch] / divisor);
    }
}

// One destination row at a time, with double-precision sums across.
void linear_rows_double(const LinearContext& c, std::int32_t first, std::int32_t last, Scratch& scratch) {
    const std::size_t bytes = c.samples_out() * (c.sixteen_bit ? 2 : 1);
    for (std::int32_t j = first; j <= last; ++j) {
        const std::uint8_t* row = vertical_pass(c, j, scratch, scratch.intermediate.data());
        std::uint8_t* out = c.destination->rows[j];
        if (c.column_taps.empty()) {
            std::memcpy(out, row, bytes);
        } else if (c.sixteen_bit) {
            const auto* from = reinterpret_cast<const std::uint16_t*>(row);
            auto* to = reinterpret_cast<std::uint16_t*>(out);
            c.channels == 3 ? horizontal_double<std::uint16_t, 3>(c, from, to)
                            : horizontal_double<std::uint16_t, 1>(c, from, to);
        } else {
            c.channels == 3 ? horizontal_double<std::uint8_t, 3>(c, row, out)
                            : horizontal_double<std::uint8_t, 1>(c, row, out);
        }
    }
}

#if defined(__SSE2__)
// Sixteen destination rows at a time. Their intermediate rows are turned into columns,
// the sixteen rows' values of one sample side by side, so that the horizontal pass
// works sixteen rows at once with one column's weights, as the vertical pass works
// sixteen samples of one row with one row's weights; the results are turned back.
void linear_rows_lanes(const LinearContext& c, std::int32_t first, std::int32_t last, Scratch& scratch) {
    constexpr std::size_t lanes = byte_lanes;
    const std::size_t in = c.samples_in();
    const std::size_t out = c.samples_out();
    const auto channels = static_cast<std::size_t>(c.channels);
    const auto stride = static_cast<std::size_t>(c.source->stride);
    const bool wide_lanes = wide_byte_lanes();
    for (std::int32_t j0 = first; j0 <= last; j0 += static_cast<std::int32_t>(lanes)) {
        const auto rows = static_cast<std::size_t>(std::min<std::int32_t>(lanes, last - j0 + 1));
        const std::uint8_t* intermediate[lanes];
        for (std::size_t r = 0; r < rows; ++r) {
            intermediate[r] =
                vertical_pass(c, j0 + static_cast<std::int32_t>(r), scratch, scratch.intermediate.data() + r * stride);
        }
        if (c.column_taps.empty()) {
            for (std::size_t r = 0; r < rows; ++r) std::memcpy(c.destination->rows[j0 + r], intermediate[r], in);
            continue;
        }
        for (std::size_t r = rows; r < lanes; ++r) intermediate[r] = intermediate[0];  // lanes nobody reads

        std::uint8_t* across = scratch.across.data();
        std::size_t x = 0;
        for (; x + lanes <= in; x += lanes) {
            __m128i block[lanes];
            for (std::size_t r = 0; r < lanes; ++r) {
                block[r] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(intermediate[r] + x));
            }
            transpose(block);
            std::memcpy(across + x * lanes, block, sizeof block);
        }
        for (; x < in; ++x) {
            for (std::size_t r = 0; r < lanes; ++r) across[x * lanes + r] = intermediate[r][x];
        }

        std::uint8_t* results = scratch.results.data();
        for (std::int32_t i = 0; i < c.columns.destination_size; ++i) {
            const Taps& taps = c.column_taps[static_cast<std::size_t>(i)];
            const std::uint16_t* weights = c.column_weights16.data() + taps.offset;
            const auto count = static_cast<std::size_t>(taps.count);
            const auto divisor = static_cast<float>(taps.sum);
            const std::uint8_t* pixel = across + static_cast<std::size_t>(taps.first) * channels * lanes;
            std::uint8_t* to = results + static_cast<std::size_t>(i) * channels * lanes;
            const std::size_t tap_bytes = channels * lanes;
            std::size_t ch = 0;
            if (wide_lanes && channels == 3) {  // blue and green side by side
                weighted_sum_wide([=](std::size_t k) { return pixel + k * tap_bytes; }, weights, count, divisor, to);
                ch = 2;
            }
            for (; ch < channels; ++ch) {
                weighted_sum([=](std::size_t k) { return pixel + ch * lanes + k * tap_bytes; }, weights, count, divisor,
                             to + ch * lanes);
            }
        }

        for (x = 0; x + lanes <= out; x += lanes) {
            __m128i block[lanes];
            std::memcpy(block, results + x * lanes, sizeof block);
            transpose(block);
            for (std::size_t r = 0; r < rows; ++r) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(c.destination->rows[j0 + r] + x), block[r]);
            }
        }
        for (; x < out; ++x) {
            for (std::size_t r = 0; r < rows; ++r) c.destination->rows[j0 + r][x] = results[x * lanes + r];
        }
    }
}
#endif

// Destination rows first..last of one worker.
bool linear_rows(const LinearContext& c, std::int32_t first, std::int32_t last) {
    const bool lanes = c.in_lanes();
    Scratch scratch;
    try {
        scratch.weights.reserve(2 * static_cast<std::size_t>(c.rows.reach) + 5);
        scratch.intermediate.resize(static_cast<std::size_t>(c.source->stride) * (lanes ? byte_lanes : 1));
#if defined(__SSE2__)
        if (lanes) {
            if (!c.column_taps.empty()) {
                scratch.across.resize(c.samples_in() * byte_lanes);
                scratch.results.resize(c.samples_out() * byte_lanes);
            }
            linear_rows_lanes(c, first, last, scratch);
            return false;
        }
#endif
        linear_rows_double(c, first, last, scratch);
    } catch (const std::bad_alloc&) {
        return true;
    }
    return false;
}

bool resample_linear(const ImageBuffer& source, ImageBuffer& destination, std::int32_t width, std::int32_t height,
                     double resolution) {
    LinearContext c;
    c.source = &source;
    c.destination = &destination;
    c.sixteen_bit = source.kind == PixelFormat::Grey16 || source.kind == PixelFormat::Colour16;
    c.channels = source.kind == PixelFormat::Colour8 || source.kind == PixelFormat::Colour16 ? 3 : 1;
    // A single destination column sits at the first source column; a single row too,
    // but with the reach of a one-row step.
    c.columns = make_axis(source.width, width, 0.0);
    c.rows = make_axis(source.height, height, 1.0);
    // The destination first: a width it cannot hold is refused before any table is made.
    if (image_allocate(destination, source.kind, width, height, resolution)) return true;
    try {
        if (width != source.width) {
            c.column_taps.reserve(static_cast<std::size_t>(width));
            std::int64_t largest_sum = 0;
            for (std::int32_t i = 0; i < width; ++i) {
                c.column_taps.push_back(linear_taps(c.columns, i, c.column_weights));
                largest_sum = std::max(largest_sum, c.column_taps.back().sum);
            }
            if (largest_sum <= single_sum_limit) {
                c.column_weights16.assign(c.column_weights.begin(), c.column_weights.end());
            }
        }
    } catch (const std::bad_alloc&) {
        image_free(destination);
        return true;
    }
    return pool_run_rows(
        processor_count(), [&](std::int32_t first, std::int32_t last) { return linear_rows(c, first, last); }, height);
}

// Nearest: position i of a destination axis takes the source sample on a grid whose
// first and last samples line up with the source's.
bool nearest_map(std::int32_t source_size, std::int32_t destination_size, std::vector<std::int32_t>& map) {
    try {
        map.resize(static_cast<std::size_t>(destination_size));
    } catch (const std::bad_alloc&) {
        return true;
    }
    if (destination_size == 1) {
        map[0] = 0;
        return false;
    }
    const std::int64_t span = destination_size - 1;
    for (std::int64_t i = 0; i < destination_size; ++i) {
        map[static_cast<std::size_t>(i)] = static_cast<std::int32_t>((i * (source_size - 1) + span / 2) / span);
    }
    return false;
}

template <int Bytes>
void nearest_row(const std::uint8_t* from, std::uint8_t* to, const std::vector<std::int32_t>& columns) {
    for (const std::int32_t c : columns) {
        std::memcpy(to, from + static_cast<std::size_t>(c) * Bytes, Bytes);
        to += Bytes;
    }
}

bool resample_nearest(const ImageBuffer& source, ImageBuffer& destination, std::int32_t width, std::int32_t height,
                      double resolution) {
    std::vector<std::int32_t> columns, rows;
    if (nearest_map(source.width, width, columns) || nearest_map(source.height, height, rows)) return true;
    if (image_allocate(destination, source.kind, width, height, resolution)) return true;
    if (destination.empty()) return false;
    return pool_run_rows(
        processor_count(),
        [&](std::int32_t first, std::int32_t last) {
            for (std::int32_t j = first; j <= last; ++j) {
                const std::uint8_t* from = source.rows[rows[static_cast<std::size_t>(j)]];
                std::uint8_t* to = destination.rows[j];
                switch (source.kind) {
                case PixelFormat::Bilevel:
                    for (std::int32_t i = 0; i < width; ++i) {
                        if (bit_get(from, columns[static_cast<std::size_t>(i)])) bit_set(to, i);
                    }
                    break;
                case PixelFormat::Grey8: nearest_row<1>(from, to, columns); break;
                case PixelFormat::Grey16: nearest_row<2>(from, to, columns); break;
                case PixelFormat::Colour8: nearest_row<3>(from, to, columns); break;
                case PixelFormat::Colour16: nearest_row<6>(from, to, columns); break;
                default: break;
                }
            }
            return false;
        },
        height);
}

// A Bilevel picture as Grey8: 255 for a set bit, 0 for a clear one.
bool unpack_bits(const ImageBuffer& source, ImageBuffer& grey) {
    if (image_allocate(grey, PixelFormat::Grey8, source.width, source.height, source.resolution)) return true;
    return pool_run_rows(
        processor_count(),
        [&](std::int32_t first, std::int32_t last) {
            for (std::int32_t r = first; r <= last; ++r) {
                for (std::int32_t x = 0; x < source.width; ++x) grey.rows[r][x] = bit_get(source.rows[r], x);
            }
            return false;
        },
        source.height);
}

}  // namespace

bool image_resample(const ImageBuffer& source, ImageBuffer& destination, std::int32_t width, std::int32_t height,
                    double resolution, ResampleFilter filter) {
    if (&source == &destination) return true;
    // Linear works a Bilevel picture as Grey8, at its own size too, so that its result
    // is always a kind the screen can show.
    if (filter == ResampleFilter::Linear && source.kind == PixelFormat::Bilevel && !source.empty()) {
        ImageBuffer grey;
        return unpack_bits(source, grey) || image_resample(grey, destination, width, height, resolution, filter);
    }
    if ((width == source.width && height == source.height) || source.empty() || !is_pixel_kind(source.kind)) {
        if (image_copy(source, destination)) return true;
        destination.resolution = resolution;
        return false;
    }
    if (width <= 0 || height <= 0) return image_allocate(destination, source.kind, width, height, resolution);
    if (filter == ResampleFilter::Nearest) return resample_nearest(source, destination, width, height, resolution);
    return resample_linear(source, destination, width, height, resolution);
}

}  // namespace lumivane

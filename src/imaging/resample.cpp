#include "imaging/resample.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "imaging/image_copy.h"
#include "imaging/lookup_tables.h"
#include "imaging/worker_pool.h"

namespace lumivane {

namespace {

double triangle(double x) {
    const double a = std::abs(x);
    return a <= 1.0 ? 1.0 - a : 0.0;
}

// The 8-bit path works in single precision, exactly: weights are at most 255 and a
// weight sum T at most single_sum_limit, so every product and sum of 8-bit samples
// (at most 255 * T) is an integer below 2^24, which a float holds exactly. The
// quotient of such a sum n by T equals n div T when truncated: n / T is an integer k
// or lies at least 1 / T below the next one, and as k * T < 2^24 that gap is wider
// than half a float's spacing near k, so rounding never reaches k + 1. Larger sums
// (reductions by more than about 250 times) and 16-bit samples use double precision.
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
    bool wide = false;  // 16-bit samples
    std::int32_t channels = 1;
    Axis rows;
    Axis columns;
    // The horizontal tables, when the width changes.
    std::vector<Taps> column_taps;
    std::vector<std::int32_t> column_weights;
    std::vector<std::uint16_t> column_weights16;  // the same, for the 8-bit path
    bool columns_in_single = false;               // every column's sum allows the 8-bit path

    std::size_t samples_in() const { return static_cast<std::size_t>(columns.source_size) * channels; }
    std::size_t samples_out() const { return static_cast<std::size_t>(columns.destination_size) * channels; }
};

// What one worker needs besides the context.
struct Scratch {
    std::vector<std::int32_t> weights;
    std::vector<const std::uint8_t*> tap_rows;
    std::vector<std::uint16_t> tap_weights;
    std::vector<double> sums;
    std::vector<std::uint8_t> intermediate;  // lanes intermediate rows
    std::vector<std::uint8_t> across;        // the intermediate rows, sample by sample
    std::vector<std::uint8_t> results;       // the destination rows, sample by sample
};

// Sixteen 8-bit samples at a time, as plain SSE2 instructions do them: widened to 16
// bits for the product with a weight, to 32 bits for the sum.
static_assert(std::endian::native == std::endian::little, "lanes are widened by interleaving with zero bytes");
using Bytes = std::uint8_t __attribute__((vector_size(16)));
using Words = std::uint16_t __attribute__((vector_size(16)));
using Ints = std::int32_t __attribute__((vector_size(16)));
using Floats = float __attribute__((vector_size(16)));
constexpr std::size_t lanes = 16;

inline Ints quotient(Ints sum, Floats divisor) {
    return __builtin_convertvector(__builtin_convertvector(sum, Floats) / divisor, Ints);
}

// Σ weights[k] * (the 16 bytes at at(k)) div divisor, lane by lane.
template <typename At>
Bytes weighted_sum(At at, const std::uint16_t* weights, std::size_t count, float divisor) {
    const Bytes zero = {};
    const Words zero_words = {};
    Ints s0 = {}, s1 = {}, s2 = {}, s3 = {};
    for (std::size_t k = 0; k < count; ++k) {
        Bytes v;
        std::memcpy(&v, at(k), sizeof v);
        const Words low = (Words)__builtin_shufflevector(v, zero, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23) *
                          weights[k];
        const Words high = (Words)__builtin_shufflevector(v, zero, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14,
                                                          30, 15, 31) *
                           weights[k];
        s0 += (Ints)__builtin_shufflevector(low, zero_words, 0, 8, 1, 9, 2, 10, 3, 11);
        s1 += (Ints)__builtin_shufflevector(low, zero_words, 4, 12, 5, 13, 6, 14, 7, 15);
        s2 += (Ints)__builtin_shufflevector(high, zero_words, 0, 8, 1, 9, 2, 10, 3, 11);
        s3 += (Ints)__builtin_shufflevector(high, zero_words, 4, 12, 5, 13, 6, 14, 7, 15);
    }
    const Floats d = {divisor, divisor, divisor, divisor};
    // Every quotient is below 256: its low byte is the whole value.
    const Words q01 = __builtin_shufflevector((Words)quotient(s0, d), (Words)quotient(s1, d), 0, 2, 4, 6, 8, 10, 12, 14);
    const Words q23 = __builtin_shufflevector((Words)quotient(s2, d), (Words)quotient(s3, d), 0, 2, 4, 6, 8, 10, 12, 14);
    return __builtin_shufflevector((Bytes)q01, (Bytes)q23, 0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
}

// A 16 x 16 block of bytes turned about its diagonal: v[r][c] becomes v[c][r]. Each
// round interleaves vector i with vector i + 8, which rotates the eight bits of the
// position r * 16 + c left by one; four rounds swap r and c.
void transpose(Bytes (&v)[lanes]) {
    for (int round = 0; round < 4; ++round) {
        Bytes t[lanes];
        for (std::size_t i = 0; i < lanes / 2; ++i) {
            t[2 * i] = __builtin_shufflevector(v[i], v[i + 8], 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
            t[2 * i + 1] =
                __builtin_shufflevector(v[i], v[i + 8], 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31);
        }
        std::memcpy(v, t, sizeof t);
    }
}

// The intermediate row from 8-bit source rows.
void vertical_8bit(const LinearContext& c, const Taps& taps, Scratch& scratch, std::uint8_t* out) {
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
    std::size_t x = 0;
    for (; x + lanes <= n; x += lanes) {
        const Bytes v = weighted_sum([&](std::size_t k) { return rows[k] + x; }, weights, count, divisor);
        std::memcpy(out + x, &v, sizeof v);
    }
    for (; x < n; ++x) {
        std::int32_t sum = 0;
        for (std::size_t k = 0; k < count; ++k) sum += weights[k] * rows[k][x];
        out[x] = static_cast<std::uint8_t>(static_cast<float>(sum) / divisor);
    }
}

template <typename Sample>
Sample clamp_sample(double quotient) {
    const auto v = static_cast<std::int64_t>(quotient);
    if constexpr (sizeof(Sample) == 1) {
        return static_cast<Sample>(clamp8(static_cast<std::int32_t>(std::clamp<std::int64_t>(v, -1, 256))));
    } else {
        return static_cast<Sample>(clamp16(static_cast<std::int32_t>(std::clamp<std::int64_t>(v, -1, 65536))));
    }
}

// The intermediate row with double-precision sums: 16-bit samples, and 8-bit ones
// whose weight sum is too large for the single-precision path.
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

// Destination row j's intermediate row: a source row itself when the height stays or
// one row alone makes it, else filtered into out.
const std::uint8_t* vertical_pass(const LinearContext& c, std::int32_t j, Scratch& scratch, std::uint8_t* out) {
    if (c.rows.source_size == c.rows.destination_size) return c.source->rows[j];
    scratch.weights.clear();
    const Taps taps = linear_taps(c.rows, j, scratch.weights);
    if (taps.count == 1 && scratch.weights[0] == taps.sum) return c.source->rows[taps.first];
    if (c.wide) {
        vertical_double(c, taps, scratch, reinterpret_cast<std::uint16_t*>(out));
    } else if (taps.sum > single_sum_limit) {
        vertical_double(c, taps, scratch, out);
    } else {
        vertical_8bit(c, taps, scratch, out);
    }
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

// One destination row at a time, in double precision across.
void linear_rows_double(const LinearContext& c, std::int32_t first, std::int32_t last, Scratch& scratch) {
    const std::size_t bytes = c.samples_out() * (c.wide ? 2 : 1);
    for (std::int32_t j = first; j <= last; ++j) {
        const std::uint8_t* row = vertical_pass(c, j, scratch, scratch.intermediate.data());
        std::uint8_t* out = c.destination->rows[j];
        if (c.column_taps.empty()) {
            std::memcpy(out, row, bytes);
        } else if (c.wide) {
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

// Sixteen destination rows at a time. Their intermediate rows are laid out sample by
// sample, the sixteen rows' values of one sample side by side, so that the horizontal
// pass works sixteen rows at once with the same weights, as the vertical pass works
// sixteen samples of one row.
void linear_rows_8bit(const LinearContext& c, std::int32_t first, std::int32_t last, Scratch& scratch) {
    const std::size_t in = c.samples_in();
    const std::size_t out = c.samples_out();
    const auto channels = static_cast<std::size_t>(c.channels);
    const auto stride = static_cast<std::size_t>(c.source->stride);
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
            Bytes block[lanes];
            for (std::size_t r = 0; r < lanes; ++r) std::memcpy(&block[r], intermediate[r] + x, lanes);
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
            for (std::size_t ch = 0; ch < channels; ++ch) {
                const std::uint8_t* base = across + (static_cast<std::size_t>(taps.first) * channels + ch) * lanes;
                const Bytes v = weighted_sum([&](std::size_t k) { return base + k * channels * lanes; }, weights,
                                             count, divisor);
                std::memcpy(results + (static_cast<std::size_t>(i) * channels + ch) * lanes, &v, sizeof v);
            }
        }
        for (x = 0; x + lanes <= out; x += lanes) {
            Bytes block[lanes];
            std::memcpy(block, results + x * lanes, sizeof block);
            transpose(block);
            for (std::size_t r = 0; r < rows; ++r) std::memcpy(c.destination->rows[j0 + r] + x, &block[r], lanes);
        }
        for (; x < out; ++x) {
            for (std::size_t r = 0; r < rows; ++r) c.destination->rows[j0 + r][x] = results[x * lanes + r];
        }
    }
}

// Destination rows first..last of one worker.
bool linear_rows(const LinearContext& c, std::int32_t first, std::int32_t last) {
    const bool in_single = !c.wide && (c.column_taps.empty() || c.columns_in_single);
    Scratch scratch;
    try {
        scratch.weights.reserve(static_cast<std::size_t>(2 * c.rows.reach + 5));
        scratch.intermediate.resize(static_cast<std::size_t>(c.source->stride) * (in_single ? lanes : 1));
        if (in_single && !c.column_taps.empty()) {
            scratch.across.resize(c.samples_in() * lanes);
            scratch.results.resize(c.samples_out() * lanes);
        }
        if (in_single) {
            linear_rows_8bit(c, first, last, scratch);
        } else {
            linear_rows_double(c, first, last, scratch);
        }
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
    c.wide = source.kind == PixelFormat::Grey16 || source.kind == PixelFormat::Colour16;
    c.channels = source.kind == PixelFormat::Colour8 || source.kind == PixelFormat::Colour16 ? 3 : 1;
    // A single destination column sits at the first source column; a single row too,
    // but with the reach of a one-row step.
    c.columns = make_axis(source.width, width, 0.0);
    c.rows = make_axis(source.height, height, 1.0);
    try {
        if (width != source.width) {
            c.column_taps.reserve(static_cast<std::size_t>(width));
            c.columns_in_single = !c.wide;
            for (std::int32_t i = 0; i < width; ++i) {
                c.column_taps.push_back(linear_taps(c.columns, i, c.column_weights));
                c.columns_in_single = c.columns_in_single && c.column_taps.back().sum <= single_sum_limit;
            }
            if (c.columns_in_single) c.column_weights16.assign(c.column_weights.begin(), c.column_weights.end());
        }
    } catch (const std::bad_alloc&) {
        return true;
    }
    if (image_allocate(destination, source.kind, width, height, resolution)) return true;
    if (destination.empty()) return false;
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
    if ((width == source.width && height == source.height) || source.empty() || !is_pixel_kind(source.kind)) {
        if (image_copy(source, destination)) return true;
        destination.resolution = resolution;
        return false;
    }
    const PixelFormat kind =
        filter == ResampleFilter::Linear && source.kind == PixelFormat::Bilevel ? PixelFormat::Grey8 : source.kind;
    if (width <= 0 || height <= 0) return image_allocate(destination, kind, width, height, resolution);
    if (filter == ResampleFilter::Nearest) return resample_nearest(source, destination, width, height, resolution);
    if (source.kind != PixelFormat::Bilevel) return resample_linear(source, destination, width, height, resolution);
    ImageBuffer grey;
    return unpack_bits(source, grey) || resample_linear(grey, destination, width, height, resolution);
}

}  // namespace lumivane

#include "playback/transitions.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "document/slide_show.h"
#include "imaging/frame_bitmap.h"
#include "imaging/lookup_tables.h"
#include "imaging/worker_pool.h"

namespace lumivane {

namespace {

// Sixteen bytes at a time. The results are those of the mul8 table: the table is
// (a b + 127) div 255, and for every x up to 255 * 255 + 127 the division by 255 equals
// (x + 1 + (x >> 8)) >> 8, which needs no division and fits in 16 bits.
using Bytes = std::uint8_t __attribute__((vector_size(16)));
using Words = std::uint16_t __attribute__((vector_size(32)));
constexpr std::int32_t lanes = 16;

inline Bytes load(const std::uint8_t* p) {
    Bytes v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void store(std::uint8_t* p, Bytes v) { std::memcpy(p, &v, sizeof v); }

inline Bytes mul8_lanes(Bytes a, std::uint16_t level) {
    const Words x = __builtin_convertvector(a, Words) * level + 127;
    return __builtin_convertvector((x + 1 + (x >> 8)) >> 8, Bytes);
}

// out = mul8[in][level] over bytes first..last.
void scale_bytes(const std::uint8_t* in, std::uint8_t* out, std::int32_t first, std::int32_t last,
                 std::uint8_t level) {
    std::int32_t i = first;
    for (; last - i + 1 >= lanes; i += lanes) store(out + i, mul8_lanes(load(in + i), level));
    for (; i <= last; ++i) out[i] = mul8[in[i]][level];
}

// out = a blended towards b by level over bytes first..last.
void blend_bytes(const std::uint8_t* from, const std::uint8_t* to, std::uint8_t* out, std::int32_t first,
                 std::int32_t last, std::uint8_t level) {
    std::int32_t i = first;
    for (; last - i + 1 >= lanes; i += lanes) {
        const Bytes a = load(from + i);
        const Bytes b = load(to + i);
        const auto down = b < a;
        const Bytes m = mul8_lanes(down ? a - b : b - a, level);
        store(out + i, down ? a - m : a + m);
    }
    for (; i <= last; ++i) {
        const std::uint8_t a = from[i];
        const std::uint8_t b = to[i];
        out[i] = static_cast<std::uint8_t>(b < a ? a - mul8[a - b][level] : a + mul8[b - a][level]);
    }
}

// Row positions 0..threshold come from the incoming frame, the rest of each row from
// the outgoing one.
void wipe_bytes(const std::uint8_t* from, const std::uint8_t* to, std::uint8_t* out, std::int32_t first,
                std::int32_t last, std::int32_t stride, std::int32_t threshold) {
    std::int32_t i = first;
    while (i <= last) {
        const std::int32_t row_start = i - i % stride;
        const std::int32_t row_last = std::min(last, row_start + stride - 1);
        const std::int32_t cut = std::min(row_last, row_start + threshold);
        if (i <= cut) {
            std::memcpy(out + i, to + i, static_cast<std::size_t>(cut - i + 1));
            i = cut + 1;
        }
        if (i <= row_last) std::memcpy(out + i, from + i, static_cast<std::size_t>(row_last - i + 1));
        i = row_last + 1;
    }
}

bool same_frames(const FrameBitmap& a, const FrameBitmap& b) {
    return a.pixels && b.pixels && a.width == b.width && a.height == b.height && a.stride == b.stride &&
           a.image_size == b.image_size;
}

// v >= 0, rounded half away from zero.
std::int32_t level_of(double v) { return static_cast<std::int32_t>(v + 0.5); }

}  // namespace

bool compose_transition(std::int32_t kind, const FrameBitmap& outgoing, const FrameBitmap& incoming,
                        FrameBitmap& output, double progress) {
    if (kind != transition_fade_to_black && kind != transition_crossfade && kind != transition_curtain) return false;
    if (!same_frames(outgoing, output) || !same_frames(incoming, output) || output.image_size <= 0) return true;
    const double x = std::isnan(progress) ? 0.0 : std::clamp(progress, 0.0, 1.0);
    const std::uint8_t* from = outgoing.pixels.get();
    const std::uint8_t* to = incoming.pixels.get();
    std::uint8_t* out = output.pixels.get();

    RangeCallback work;
    switch (kind) {
    case transition_fade_to_black:
        if (x <= 0.5) {
            // The outgoing picture darkens to black over the first half...
            const auto level = static_cast<std::uint8_t>(255 - level_of(2.0 * x * 255.0));
            work = [=](std::int32_t first, std::int32_t last) {
                scale_bytes(from, out, first, last, level);
                return false;
            };
        } else {
            // ...and the incoming one rises from black over the second.
            const auto level = static_cast<std::uint8_t>(level_of(2.0 * (x - 0.5) * 255.0));
            work = [=](std::int32_t first, std::int32_t last) {
                scale_bytes(to, out, first, last, level);
                return false;
            };
        }
        break;
    case transition_crossfade: {
        const auto level = static_cast<std::uint8_t>(level_of(x * 255.0));
        work = [=](std::int32_t first, std::int32_t last) {
            blend_bytes(from, to, out, first, last, level);
            return false;
        };
        break;
    }
    default: {
        // A wipe from the left edge; it may split a pixel's three bytes.
        const std::int32_t stride = output.stride;
        const auto threshold =
            static_cast<std::int32_t>(static_cast<std::int64_t>(level_of(x * 1000.0)) * stride / 1000);
        work = [=](std::int32_t first, std::int32_t last) {
            wipe_bytes(from, to, out, first, last, stride, threshold);
            return false;
        };
        break;
    }
    }
    return pool_run_items(work, output.image_size);
}

}  // namespace lumivane

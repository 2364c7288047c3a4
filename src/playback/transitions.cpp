#include "playback/transitions.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "document/slide_show.h"
#include "imaging/frame_bitmap.h"
#include "imaging/lookup_tables.h"
#include "imaging/memory_bitmap.h"
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

// out = mul8[in][level] over n bytes.
void scale_bytes(const std::uint8_t* in, std::uint8_t* out, std::int32_t n, std::uint8_t level) {
    std::int32_t i = 0;
    for (; n - i >= lanes; i += lanes) store(out + i, mul8_lanes(load(in + i), level));
    for (; i < n; ++i) out[i] = mul8[in[i]][level];
}

// out = from blended towards to by level over n bytes.
void blend_bytes(const std::uint8_t* from, const std::uint8_t* to, std::uint8_t* out, std::int32_t n,
                 std::uint8_t level) {
    std::int32_t i = 0;
    for (; n - i >= lanes; i += lanes) {
        const Bytes a = load(from + i);
        const Bytes b = load(to + i);
        const auto down = b < a;
        const Bytes m = mul8_lanes(down ? a - b : b - a, level);
        store(out + i, down ? a - m : a + m);
    }
    for (; i < n; ++i) {
        const std::uint8_t a = from[i];
        const std::uint8_t b = to[i];
        out[i] = static_cast<std::uint8_t>(b < a ? a - mul8[a - b][level] : a + mul8[b - a][level]);
    }
}

// What every byte of one step of a transition needs.
struct Step {
    TransitionKind kind = TransitionKind::None;
    std::uint8_t level = 0;      // the fades
    bool rising = false;         // fade to black past the middle: the incoming picture rises from black
    std::int32_t threshold = 0;  // the curtain: the last row position already uncovered
};

// v >= 0, rounded half away from zero.
std::int32_t level_of(double v) { return static_cast<std::int32_t>(v + 0.5); }

Step step_at(TransitionKind kind, double progress, std::int32_t stride) {
    const double x = std::isnan(progress) ? 0.0 : std::clamp(progress, 0.0, 1.0);
    Step step;
    step.kind = kind;
    switch (kind) {
    case TransitionKind::FadeToBlack:
        // The outgoing picture darkens to black over the first half, the incoming one
        // rises from black over the second.
        step.rising = x > 0.5;
        step.level = static_cast<std::uint8_t>(step.rising ? level_of(2.0 * (x - 0.5) * 255.0)
                                                           : 255 - level_of(2.0 * x * 255.0));
        break;
    case TransitionKind::Crossfade: step.level = static_cast<std::uint8_t>(level_of(x * 255.0)); break;
    default:
        // A wipe from the left edge; it may split a pixel's three bytes.
        step.threshold = static_cast<std::int32_t>(static_cast<std::int64_t>(level_of(x * 1000.0)) * stride / 1000);
        break;
    }
    return step;
}

// n bytes of one row, the first at position `position` of the row.
void compose_bytes(const Step& step, const std::uint8_t* from, const std::uint8_t* to, std::uint8_t* out,
                   std::int32_t position, std::int32_t n) {
    switch (step.kind) {
    case TransitionKind::FadeToBlack: scale_bytes(step.rising ? to : from, out, n, step.level); break;
    case TransitionKind::Crossfade: blend_bytes(from, to, out, n, step.level); break;
    default: {
        const std::int32_t uncovered = std::clamp(step.threshold + 1 - position, 0, n);
        std::memcpy(out, to, static_cast<std::size_t>(uncovered));
        std::memcpy(out + uncovered, from + uncovered, static_cast<std::size_t>(n - uncovered));
        break;
    }
    }
}

bool known_kind(TransitionKind kind) {
    return kind == TransitionKind::FadeToBlack || kind == TransitionKind::Crossfade || kind == TransitionKind::Curtain;
}

bool same_frames(const FrameBitmap& a, const FrameBitmap& b) {
    return a.pixels && b.pixels && a.width == b.width && a.height == b.height && a.stride == b.stride &&
           a.image_size == b.image_size;
}

}  // namespace

bool compose_transition(TransitionKind kind, const FrameBitmap& outgoing, const FrameBitmap& incoming,
                        FrameBitmap& output, double progress) {
    if (!known_kind(kind)) return false;
    if (!same_frames(outgoing, output) || !same_frames(incoming, output) || output.image_size <= 0) return true;
    const Step step = step_at(kind, progress, output.stride);
    return pool_run_rows(
        processor_count(),
        [&](std::int32_t first, std::int32_t last) {
            for (std::int32_t r = first; r <= last; ++r) {
                compose_bytes(step, outgoing.row(r), incoming.row(r), output.row(r), 0, output.stride);
            }
            return false;
        },
        output.height);
}

bool compose_transition(TransitionKind kind, const FrameBitmap& outgoing, const FrameBitmap& incoming,
                        MemoryBitmap& picture, double progress) {
    if (!known_kind(kind)) return false;
    if (!same_frames(outgoing, incoming) || outgoing.image_size <= 0 ||
        !fits_memory_bitmap(picture, outgoing.width, outgoing.height)) {
        return true;
    }
    const Step step = step_at(kind, progress, outgoing.stride);
    return pool_run_rows(
        processor_count(),
        [&](std::int32_t first, std::int32_t last) {
            // Pieces of a row are composed in a buffer that stays in the nearest cache,
            // then spread into the picture's 32-bit pixels.
            constexpr std::int32_t piece = 1024;
            std::uint8_t composed[3 * piece];
            for (std::int32_t r = first; r <= last; ++r) {
                std::uint8_t* to = picture.row(outgoing.height - 1 - r);
                for (std::int32_t x = 0; x < outgoing.width; x += piece) {
                    const std::int32_t n = std::min(piece, outgoing.width - x);
                    compose_bytes(step, outgoing.row(r) + 3 * x, incoming.row(r) + 3 * x, composed, 3 * x, 3 * n);
                    expand_pixels(composed, to + 4 * static_cast<std::int64_t>(x), n);
                }
            }
            return false;
        },
        outgoing.height);
}

}  // namespace lumivane

#include "imaging/memory_bitmap.h"

#include <cstring>

#include "imaging/frame_bitmap.h"
#include "imaging/worker_pool.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define LUMIVANE_X86 1
#endif

namespace lumivane {

namespace {

void expand_plain(const std::uint8_t* from, std::uint8_t* to, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i, from += 3, to += 4) {
        const std::uint32_t pixel = from[0] | from[1] << 8 | from[2] << 16 | 0xFF000000u;
        std::memcpy(to, &pixel, 4);
    }
}

#ifdef LUMIVANE_X86

// Sixteen pixels a step: four 16-byte loads 12 bytes apart, each shuffled into four
// 32-bit pixels. A load reaches 4 bytes past the 12 it uses, so the last 2 pixels are
// left to the plain loop and nothing is read past the row.
__attribute__((target("ssse3"))) void expand_ssse3(const std::uint8_t* from, std::uint8_t* to,
                                                   std::int32_t count) {
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    std::int32_t i = 0;
    for (; i + 18 <= count; i += 16, from += 48, to += 64) {
        for (int k = 0; k < 4; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 12 * k));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16 * k),
                             _mm_or_si128(_mm_shuffle_epi8(v, spread), opaque));
        }
    }
    expand_plain(from, to, count - i);
}

// The same with 32-byte registers: each half takes 12 bytes of its own load.
__attribute__((target("avx2"))) void expand_avx2(const std::uint8_t* from, std::uint8_t* to, std::int32_t count) {
    const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,  //
                                            0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    std::int32_t i = 0;
    for (; i + 34 <= count; i += 32, from += 96, to += 128) {
        for (int k = 0; k < 4; ++k) {
            const __m256i v = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(from + 24 * k + 12),
                                                  reinterpret_cast<const __m128i*>(from + 24 * k));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + 32 * k),
                                _mm256_or_si256(_mm256_shuffle_epi8(v, spread), opaque));
        }
    }
    expand_plain(from, to, count - i);
}

#endif

}  // namespace

std::vector<ExpandFunction> expand_functions() {
    std::vector<ExpandFunction> functions{expand_plain};
#ifdef LUMIVANE_X86
    __builtin_cpu_init();
    if (__builtin_cpu_supports("ssse3")) functions.push_back(expand_ssse3);
    if (__builtin_cpu_supports("avx2")) functions.push_back(expand_avx2);
#endif
    return functions;
}

void memory_bitmap_clear(MemoryBitmap& picture) {
    if (!picture.pixels) return;
    const std::uint32_t black = 0xFF000000u;
    for (std::int32_t r = 0; r < picture.height; ++r) {
        std::uint8_t* pixel = picture.row(r);
        for (std::int32_t x = 0; x < picture.width; ++x, pixel += 4) std::memcpy(pixel, &black, 4);
    }
}

bool fits_memory_bitmap(const MemoryBitmap& picture, std::int32_t width, std::int32_t height) {
    return picture.pixels && picture.width == width && picture.height == height &&
           picture.stride >= 4 * std::int64_t{width};
}

void expand_pixels(const std::uint8_t* from, std::uint8_t* to, std::int32_t count) {
    // Chosen once, by what the processor running the program offers.
    static const ExpandFunction expand = expand_functions().back();
    expand(from, to, count);
}

bool frame_draw(MemoryBitmap& picture, const FrameBitmap& frame) {
    if (!frame.pixels || frame.width <= 0 || frame.height <= 0) return true;
    if (!fits_memory_bitmap(picture, frame.width, frame.height)) return true;
    return pool_run_rows(
        processor_count(),
        [&](std::int32_t first, std::int32_t last) {
            for (std::int32_t i = first; i <= last; ++i) {
                expand_pixels(frame.row(i), picture.row(frame.height - 1 - i), frame.width);
            }
            return false;
        },
        frame.height);
}

}  // namespace lumivane

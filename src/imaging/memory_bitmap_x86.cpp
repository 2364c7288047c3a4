#include "imaging/memory_bitmap_x86.h"

#ifdef LUMIVANE_X86

#include <immintrin.h>

namespace lumivane {

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

}  // namespace lumivane

#endif

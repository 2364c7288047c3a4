#pragma once
// The resampler's vector loops (vector_code.h), templates on how the lanes are found:
// 8-bit samples sixteen at a time with SSE2, which every x86-64 processor has and the
// compiler may assume, and 32 at a time on processors with AVX2. They make the weighted
// sums of the linear resampler and turn 16 x 16 blocks of bytes. Where SSE2 is missing
// nothing but byte_lanes is defined here, and the resampler takes its plain path.

#include <cstddef>
#include <cstdint>

#include "imaging/vector_code.h"

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace lumivane {

inline constexpr std::size_t byte_lanes = 16;

#if defined(__SSE2__)

// Whether the 32-lane sums may be used.
inline bool wide_byte_lanes() {
    static const bool wide = vector_level() >= VectorLevel::Avx2;
    return wide;
}

// out[i] = Σ weights[k] * at(k)[i] divided by divisor and truncated, for the 16 bytes
// i. Two taps at a time: their bytes interleaved and widened to 16 bits, so that one
// multiply-add gives w0 * a + w1 * b in 32 bits. The caller makes sure that every sum
// stays below 2^24 and every quotient below 256; the single-precision division is
// then exact (see the resampler).
template <typename At>
void weighted_sum(At at, const std::uint16_t* weights, std::size_t count, float divisor, std::uint8_t* out) {
    const __m128i zero = _mm_setzero_si128();
    __m128i s0 = zero, s1 = zero, s2 = zero, s3 = zero;
    auto add = [&](__m128i low, __m128i high, __m128i w) {
        s0 = _mm_add_epi32(s0, _mm_madd_epi16(_mm_unpacklo_epi8(low, zero), w));
        s1 = _mm_add_epi32(s1, _mm_madd_epi16(_mm_unpackhi_epi8(low, zero), w));
        s2 = _mm_add_epi32(s2, _mm_madd_epi16(_mm_unpacklo_epi8(high, zero), w));
        s3 = _mm_add_epi32(s3, _mm_madd_epi16(_mm_unpackhi_epi8(high, zero), w));
    };
    std::size_t k = 0;
    for (; k + 1 < count; k += 2) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at(k)));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at(k + 1)));
        const __m128i w = _mm_set1_epi32(static_cast<int>(weights[k] | std::uint32_t{weights[k + 1]} << 16));
        add(_mm_unpacklo_epi8(a, b), _mm_unpackhi_epi8(a, b), w);
    }
    if (k < count) {  // the last tap pairs with zero
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at(k)));
        add(_mm_unpacklo_epi8(a, zero), _mm_unpackhi_epi8(a, zero), _mm_set1_epi32(weights[k]));
    }
    const __m128 d = _mm_set1_ps(divisor);
    auto quotient = [&](__m128i s) { return _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(s), d)); };
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(_mm_packs_epi32(quotient(s0), quotient(s1)),
                                                                        _mm_packs_epi32(quotient(s2), quotient(s3))));
}

// The same for 32 bytes, with AVX2; only where wide_byte_lanes() says so. Its unpacks
// and packs work within each 128-bit half in the same order, so the bytes come out in
// order.
template <typename At>
__attribute__((target("avx2"))) void weighted_sum_wide(At at, const std::uint16_t* weights, std::size_t count,
                                                        float divisor, std::uint8_t* out) {
    const __m256i zero = _mm256_setzero_si256();
    __m256i s0 = zero, s1 = zero, s2 = zero, s3 = zero;
    auto add = [&](__m256i low, __m256i high, __m256i w) __attribute__((target("avx2"))) {
        s0 = _mm256_add_epi32(s0, _mm256_madd_epi16(_mm256_unpacklo_epi8(low, zero), w));
        s1 = _mm256_add_epi32(s1, _mm256_madd_epi16(_mm256_unpackhi_epi8(low, zero), w));
        s2 = _mm256_add_epi32(s2, _mm256_madd_epi16(_mm256_unpacklo_epi8(high, zero), w));
        s3 = _mm256_add_epi32(s3, _mm256_madd_epi16(_mm256_unpackhi_epi8(high, zero), w));
    };
    std::size_t k = 0;
    for (; k + 1 < count; k += 2) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at(k)));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at(k + 1)));
        const __m256i w = _mm256_set1_epi32(static_cast<int>(weights[k] | std::uint32_t{weights[k + 1]} << 16));
        add(_mm256_unpacklo_epi8(a, b), _mm256_unpackhi_epi8(a, b), w);
    }
    if (k < count) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at(k)));
        add(_mm256_unpacklo_epi8(a, zero), _mm256_unpackhi_epi8(a, zero), _mm256_set1_epi32(weights[k]));
    }
    const __m256 d = _mm256_set1_ps(divisor);
    auto quotient = [&](__m256i s) __attribute__((target("avx2"))) {
        return _mm256_cvttps_epi32(_mm256_div_ps(_mm256_cvtepi32_ps(s), d));
    };
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out),
                        _mm256_packus_epi16(_mm256_packs_epi32(quotient(s0), quotient(s1)),
                                            _mm256_packs_epi32(quotient(s2), quotient(s3))));
}

// A 16 x 16 block of bytes turned about its diagonal: byte c of vector r becomes byte
// r of vector c. Each round interleaves vector i with vector i + 8, which rotates the
// eight bits of the position r * 16 + c left by one; four rounds swap r and c.
inline void transpose(__m128i (&v)[16]) {
#pragma GCC unroll 4
    for (int round = 0; round < 4; ++round) {
        __m128i t[16];
#pragma GCC unroll 8
        for (int i = 0; i < 8; ++i) {
            t[2 * i] = _mm_unpacklo_epi8(v[i], v[i + 8]);
            t[2 * i + 1] = _mm_unpackhi_epi8(v[i], v[i + 8]);
        }
#pragma GCC unroll 16
        for (int i = 0; i < 16; ++i) v[i] = t[i];
    }
}

#endif

}  // namespace lumivane

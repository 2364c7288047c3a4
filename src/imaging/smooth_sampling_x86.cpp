#include "imaging/smooth_sampling_x86.h"

#ifdef LUMIVANE_X86

#include <immintrin.h>

#include <cstddef>

namespace lumivane {

// Row sums with byte multiply-adds, 32 samples a step: the bytes of two rows
// interleaved, times their two weights, summed in one step. A weight must fit a signed
// byte, so a single row of weight 128 (a row exactly under the frame row) is the row
// times 128 by a shift. Weights never exceed 128 together, so no sum saturates.
__attribute__((target("avx2"))) void row_sum_avx2(const std::uint8_t* const* rows, const std::int16_t* weights,
                                                  std::int32_t tap_count, std::int32_t bytes, std::int16_t* out) {
    if (tap_count == 1 && weights[0] == row_one) {
        std::int32_t b = 0;
        for (; b + 16 <= bytes; b += 16) {
            const __m256i v = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[0] + b)));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + b), _mm256_slli_epi16(v, 7));
        }
        const std::uint8_t* rest = rows[0] + b;
        row_sum_plain(&rest, weights, 1, bytes - b, out + b);
        return;
    }
    // Taps in pairs; an odd last tap pairs with itself at weight 0.
    const std::int32_t pairs = (tap_count + 1) / 2;
    const std::uint8_t* a[2];
    const std::uint8_t* c[2];
    __m256i w[2];
    for (std::int32_t k = 0; k < pairs; ++k) {
        a[k] = rows[2 * k];
        const bool second = 2 * k + 1 < tap_count;
        c[k] = second ? rows[2 * k + 1] : rows[2 * k];
        const auto low = static_cast<std::uint8_t>(weights[2 * k]);
        const auto high = static_cast<std::uint8_t>(second ? weights[2 * k + 1] : 0);
        w[k] = _mm256_set1_epi16(static_cast<short>(low | high << 8));
    }
    std::int32_t b = 0;
    for (; b + 32 <= bytes; b += 32) {
        __m256i low = _mm256_setzero_si256(), high = _mm256_setzero_si256();
        for (std::int32_t k = 0; k < pairs; ++k) {
            const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a[k] + b));
            const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c[k] + b));
            low = _mm256_add_epi16(low, _mm256_maddubs_epi16(_mm256_unpacklo_epi8(x, y), w[k]));
            high = _mm256_add_epi16(high, _mm256_maddubs_epi16(_mm256_unpackhi_epi8(x, y), w[k]));
        }
        // Interleaving works within each half: bytes 0-7 and 16-23 are in low.
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + b), _mm256_permute2x128_si256(low, high, 0x20));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + b + 16), _mm256_permute2x128_si256(low, high, 0x31));
    }
    const std::uint8_t* rest[4];
    for (std::int32_t k = 0; k < tap_count; ++k) rest[k] = rows[k] + b;
    row_sum_plain(rest, weights, tap_count, bytes - b, out + b);
}

// Two pixels per register, eight a step. A pixel's four neighbours are read as two
// 16-byte loads of three 16-bit sums each, shuffled so that each colour's two
// neighbours lie side by side for one multiply-add with their weights.
__attribute__((target("avx2"))) void column_sum_avx2(const std::int16_t* sums, const std::int32_t* first,
                                                     const std::int16_t* pairs01, const std::int16_t* pairs23,
                                                     std::int32_t count, std::uint8_t* out) {
    const __m256i pairs = _mm256_setr_epi8(0, 1, 6, 7, 2, 3, 8, 9, 4, 5, 10, 11, -1, -1, -1, -1,  //
                                           0, 1, 6, 7, 2, 3, 8, 9, 4, 5, 10, 11, -1, -1, -1, -1);
    const __m256i round = _mm256_set1_epi32(result_round);
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    const auto two = [&](std::int32_t j) __attribute__((target("avx2"))) {
        const std::int16_t* a = sums + 3 * static_cast<std::ptrdiff_t>(first[j]);
        const std::int16_t* b = sums + 3 * static_cast<std::ptrdiff_t>(first[j + 1]);
        const __m256i near = _mm256_shuffle_epi8(
            _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(b), reinterpret_cast<const __m128i*>(a)), pairs);
        const __m256i far = _mm256_shuffle_epi8(
            _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(b + 6), reinterpret_cast<const __m128i*>(a + 6)),
            pairs);
        const __m256i s = _mm256_add_epi32(
            _mm256_madd_epi16(near, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pairs01 + 8 * j))),
            _mm256_madd_epi16(far, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pairs23 + 8 * j))));
        return _mm256_srai_epi32(_mm256_add_epi32(s, round), result_shift);
    };
    std::int32_t j = 0;
    for (; j + 8 <= count; j += 8, out += 32) {
        // Packing works within each half: the pixels come out as 0 2 4 6 1 3 5 7.
        const __m256i low = _mm256_packs_epi32(two(j), two(j + 2));
        const __m256i high = _mm256_packs_epi32(two(j + 4), two(j + 6));
        const __m256i bytes = _mm256_permutevar8x32_epi32(_mm256_packus_epi16(low, high), order);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_or_si256(bytes, opaque));
    }
    column_sum_plain(sums, first + j, pairs01 + 8 * j, pairs23 + 8 * j, count - j, out);
}

}  // namespace lumivane

#endif

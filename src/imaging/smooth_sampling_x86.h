#pragma once
// The two loops of smooth sampling (RowSumFunction and ColumnSumFunction in
// smooth_sampling.h) and their fixed-point units: the plain loops, which the others end
// rows with, and on x86 those for AVX2, chosen by vector_level().

#include <cstdint>

#include "imaging/vector_code.h"

namespace lumivane {

// Row weights are in units of 1/128, so that a row sum of 8-bit samples (at most
// 255 x 128) fits a signed 16-bit value; column weights in units of 1/16384. A flat
// picture gives row sums of exactly 128 times its level and pixels of exactly that
// level again: nothing is lost to rounding on the way.
inline constexpr std::int32_t row_one = 128;
inline constexpr std::int32_t column_one = 16384;
inline constexpr int result_shift = 21;  // 7 + 14 bits
inline constexpr std::int32_t result_round = 1 << (result_shift - 1);

void row_sum_plain(const std::uint8_t* const* rows, const std::int16_t* weights, std::int32_t tap_count,
                   std::int32_t bytes, std::int16_t* out);
void column_sum_plain(const std::int16_t* sums, const std::int32_t* first, const std::int16_t* pairs01,
                      const std::int16_t* pairs23, std::int32_t count, std::uint8_t* out);

#ifdef LUMIVANE_X86
void row_sum_avx2(const std::uint8_t* const* rows, const std::int16_t* weights, std::int32_t tap_count,
                  std::int32_t bytes, std::int16_t* out);
void column_sum_avx2(const std::int16_t* sums, const std::int32_t* first, const std::int16_t* pairs01,
                     const std::int16_t* pairs23, std::int32_t count, std::uint8_t* out);
#endif

}  // namespace lumivane

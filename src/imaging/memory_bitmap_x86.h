#pragma once
// The loops of expand_pixels (memory_bitmap.h): the plain one, which the others end
// rows with, and on x86 those for SSSE3 and AVX2, chosen by vector_level().

#include <cstdint>

#include "imaging/vector_code.h"

namespace lumivane {

void expand_plain(const std::uint8_t* from, std::uint8_t* to, std::int32_t count);

#ifdef LUMIVANE_X86
void expand_ssse3(const std::uint8_t* from, std::uint8_t* to, std::int32_t count);
void expand_avx2(const std::uint8_t* from, std::uint8_t* to, std::int32_t count);
#endif

}  // namespace lumivane

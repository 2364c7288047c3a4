#pragma once
// The table that rounds 16-bit samples to 8 bits, fixed at compile time and read-only:
// the decoders and the imaging layer share it.

#include <array>
#include <cstdint>

namespace lumivane {

// table_16_to_8[v] = (v * 255 + 32767) / 65535: a 16-bit sample rounded to 8 bits.
extern const std::array<std::uint8_t, 65536> table_16_to_8;

}  // namespace lumivane

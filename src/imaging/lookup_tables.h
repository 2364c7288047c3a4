#pragma once
// Process-wide tables, fixed at compile time and read-only, so any thread may use them.

#include <array>
#include <cstdint>

#include "platform/sample_table.h"

namespace lumivane {

// mul8[a][b] = (a * b + 127) / 255: the rounded product of two 8-bit fractions.
using Mul8Table = std::array<std::array<std::uint8_t, 256>, 256>;
extern const Mul8Table mul8;

inline std::int32_t clamp8(std::int32_t v) { return v >= 256 ? 255 : v < 0 ? 0 : v; }
inline std::int32_t clamp16(std::int32_t v) { return v > 65535 ? 65535 : v < 0 ? 0 : v; }

}  // namespace lumivane

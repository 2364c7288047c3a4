#include "imaging/lookup_tables.h"

namespace lumivane {

namespace {

constexpr Mul8Table build_mul8() {
    Mul8Table table{};
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) table[a][b] = static_cast<std::uint8_t>((a * b + 127) / 255);
    }
    return table;
}

constexpr std::array<std::uint8_t, 65536> build_16_to_8() {
    std::array<std::uint8_t, 65536> table{};
    for (std::uint32_t v = 0; v < 65536; ++v) table[v] = static_cast<std::uint8_t>((v * 255 + 32767) / 65535);
    return table;
}

}  // namespace

constinit const Mul8Table mul8 = build_mul8();
constinit const std::array<std::uint8_t, 65536> table_16_to_8 = build_16_to_8();

}  // namespace lumivane

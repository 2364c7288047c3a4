#include "platform/sample_table.h"

namespace lumivane {

namespace {

constexpr std::array<std::uint8_t, 65536> build_16_to_8() {
    std::array<std::uint8_t, 65536> table{};
    for (std::uint32_t v = 0; v < 65536; ++v) table[v] = static_cast<std::uint8_t>((v * 255 + 32767) / 65535);
    return table;
}

}  // namespace

constinit const std::array<std::uint8_t, 65536> table_16_to_8 = build_16_to_8();

}  // namespace lumivane

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

}  // namespace

constinit const Mul8Table mul8 = build_mul8();

}  // namespace lumivane

#include "imaging/memory_bitmap.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumivane {
namespace {

// Every way the processor offers turns each blue, green, red pixel into blue, green,
// red, 255, for every row length (the vector loops, the pixels left after them, and
// rows too short for them), and writes nothing past the row.
TEST(ExpandPixels, EveryWayGivesOpaquePixelsAndStaysInsideTheRow) {
    std::vector<std::int32_t> counts;
    for (std::int32_t n = 0; n <= 70; ++n) counts.push_back(n);
    counts.insert(counts.end(), {1023, 1366, 3840});
    const std::vector<ExpandFunction> functions = expand_functions();
    ASSERT_FALSE(functions.empty());
    for (std::size_t f = 0; f < functions.size(); ++f) {
        for (std::int32_t count : counts) {
            std::vector<std::uint8_t> from(3 * static_cast<std::size_t>(count));
            for (std::size_t i = 0; i < from.size(); ++i) from[i] = static_cast<std::uint8_t>(i * 7 + 3);
            std::vector<std::uint8_t> to(4 * static_cast<std::size_t>(count) + 8, 0x5a);
            functions[f](from.data(), to.data(), count);
            for (std::int32_t x = 0; x < count; ++x) {
                for (int c = 0; c < 3; ++c) ASSERT_EQ(to[4 * x + c], from[3 * x + c]) << f << ", " << count << ", " << x;
                ASSERT_EQ(to[4 * x + 3], 255) << f << ", " << count << ", " << x;
            }
            for (std::size_t i = 4 * static_cast<std::size_t>(count); i < to.size(); ++i) ASSERT_EQ(to[i], 0x5a);
        }
    }
}

}  // namespace
}  // namespace lumivane

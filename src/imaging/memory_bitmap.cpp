#include "imaging/memory_bitmap.h"

#include <cstring>

#include "imaging/frame_bitmap.h"
#include "imaging/memory_bitmap_x86.h"
#include "imaging/vector_code.h"
#include "imaging/worker_pool.h"

namespace lumivane {

void expand_plain(const std::uint8_t* from, std::uint8_t* to, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i, from += 3, to += 4) {
        const std::uint32_t pixel = from[0] | from[1] << 8 | from[2] << 16 | 0xFF000000u;
        std::memcpy(to, &pixel, 4);
    }
}

std::vector<ExpandFunction> expand_functions() {
    std::vector<ExpandFunction> functions{expand_plain};
#ifdef LUMIVANE_X86
    if (vector_level() >= VectorLevel::Ssse3) functions.push_back(expand_ssse3);
    if (vector_level() >= VectorLevel::Avx2) functions.push_back(expand_avx2);
#endif
    return functions;
}

void memory_bitmap_clear(MemoryBitmap& picture) {
    if (!picture.pixels) return;
    const std::uint32_t black = 0xFF000000u;
    for (std::int32_t r = 0; r < picture.height; ++r) {
        std::uint8_t* pixel = picture.row(r);
        for (std::int32_t x = 0; x < picture.width; ++x, pixel += 4) std::memcpy(pixel, &black, 4);
    }
}

bool fits_memory_bitmap(const MemoryBitmap& picture, std::int32_t width, std::int32_t height) {
    return picture.pixels && picture.width == width && picture.height == height &&
           picture.stride >= 4 * std::int64_t{width};
}

void expand_pixels(const std::uint8_t* from, std::uint8_t* to, std::int32_t count) {
    // Chosen once, by what the processor running the program offers.
    static const ExpandFunction expand = expand_functions().back();
    expand(from, to, count);
}

bool frame_draw(MemoryBitmap& picture, const FrameBitmap& frame) {
    if (!frame.pixels || frame.width <= 0 || frame.height <= 0) return true;
    if (!fits_memory_bitmap(picture, frame.width, frame.height)) return true;
    return pool_run_rows(
        processor_count(),
        [&](std::int32_t first, std::int32_t last) {
            for (std::int32_t i = first; i <= last; ++i) {
                expand_pixels(frame.row(i), picture.row(frame.height - 1 - i), frame.width);
            }
            return false;
        },
        frame.height);
}

}  // namespace lumivane

#pragma once
// The playback window's off-screen picture, which every repaint of the window shows:
// 32-bit pixels, bytes blue, green, red and 255, rows top-down, as the screen takes
// them. The window owns the pixels; the core only writes them, row by row on the
// worker pool, straight from the 24-bit frames.

#include <cstdint>
#include <vector>

namespace lumivane {

struct FrameBitmap;

struct MemoryBitmap {
    std::uint8_t* pixels = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int64_t stride = 0;  // bytes per row

    std::uint8_t* row(std::int32_t r) const { return pixels + r * stride; }
};

// Every pixel black.
void memory_bitmap_clear(MemoryBitmap& picture);

// Whether the picture can take a frame of the given size.
[[nodiscard]] bool fits_memory_bitmap(const MemoryBitmap& picture, std::int32_t width, std::int32_t height);

// Expands count 24-bit pixels (blue, green, red) into 32-bit ones. Reads exactly
// 3 count bytes and writes exactly 4 count.
void expand_pixels(const std::uint8_t* from, std::uint8_t* to, std::int32_t count);

// Every way of expanding that this processor can run: the plain loop first, then the
// vector ones it has. expand_pixels uses the last.
using ExpandFunction = void (*)(const std::uint8_t* from, std::uint8_t* to, std::int32_t count);
std::vector<ExpandFunction> expand_functions();

// Copies the whole frame into the picture, turning its bottom-up rows top-down. Fails,
// writing nothing, unless both have pixels and the same size.
[[nodiscard]] bool frame_draw(MemoryBitmap& picture, const FrameBitmap& frame);

}  // namespace lumivane

#pragma once
// The playback window's 24-bit frame: one block of rows, bottom row first, each row
// blue, green, red padded to a multiple of 4 bytes.

#include <cstdint>
#include <memory>

namespace lumivane {

class UserInterface;

struct FrameBitmap {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t stride = 0;      // bytes per row
    std::int32_t image_size = 0;  // height * stride
    std::unique_ptr<std::uint8_t[]> pixels;

    std::uint8_t* row(std::int32_t r) { return pixels.get() + static_cast<std::size_t>(r) * stride; }
    const std::uint8_t* row(std::int32_t r) const { return pixels.get() + static_cast<std::size_t>(r) * stride; }
};

// Replaces the frame's pixels by black ones of the given size. True when they cannot be
// allocated: the frame is then empty, and the caller reports it.
[[nodiscard]] bool frame_create(FrameBitmap& frame, std::int32_t width, std::int32_t height);
void frame_clear(FrameBitmap& frame);
void frame_free(FrameBitmap& frame);

}  // namespace lumivane

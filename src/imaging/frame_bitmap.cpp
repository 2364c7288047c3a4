#include "imaging/frame_bitmap.h"

#include <cstring>
#include <new>

#include "imaging/image_buffer.h"

namespace lumivane {

bool frame_create(FrameBitmap& frame, std::int32_t width, std::int32_t height) {
    frame_free(frame);
    const std::int64_t stride = row_stride(3 * static_cast<std::int64_t>(width));
    const std::int64_t size = stride * height;
    if (width < 0 || height < 0 || size > INT32_MAX) return true;
    frame.pixels.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(size)]());
    if (!frame.pixels && size > 0) return true;
    frame.width = width;
    frame.height = height;
    frame.stride = static_cast<std::int32_t>(stride);
    frame.image_size = static_cast<std::int32_t>(size);
    return false;
}

void frame_clear(FrameBitmap& frame) {
    if (frame.pixels) std::memset(frame.pixels.get(), 0, static_cast<std::size_t>(frame.image_size));
}

void frame_free(FrameBitmap& frame) {
    frame.pixels.reset();
    frame.width = frame.height = frame.stride = frame.image_size = 0;
}

}  // namespace lumivane

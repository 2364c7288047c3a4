#include "imaging/preview.h"

#include <algorithm>
#include <cstring>

namespace lumivane {

bool image_make_preview(const ImageBuffer& source, ImageBuffer& destination, std::int32_t box_width,
                        std::int32_t box_height, std::int32_t margin) {
    if (source.kind == PixelFormat::Empty || source.empty() || source.width <= 0 || source.height <= 0) {
        image_free(destination);
        return false;
    }
    const std::int64_t w = source.width;
    const std::int64_t h = source.height;
    std::int64_t bw = box_width - 2 * static_cast<std::int64_t>(margin);
    std::int64_t bh = box_height - 2 * static_cast<std::int64_t>(margin);
    if (h * bw < w * bh) {
        bh = h * bw / w;
    } else {
        bw = w * bh / h;
    }
    bw = std::max<std::int64_t>(bw, 2);
    bh = std::max<std::int64_t>(bh, 2);

    const bool colour = source.kind == PixelFormat::Colour8;
    if (image_allocate(destination, colour ? PixelFormat::Colour8 : PixelFormat::Grey8, static_cast<std::int32_t>(bw),
                       static_cast<std::int32_t>(bh), 100.0)) {
        return true;
    }
    if (!colour && source.kind != PixelFormat::Grey8) return false;  // other kinds stay black

    const int bytes = colour ? 3 : 1;
    for (std::int64_t i = 0; i < bh; ++i) {
        const std::uint8_t* from = source.rows[static_cast<std::size_t>(std::min(h - 1, i * h / (bh - 1)))];
        std::uint8_t* to = destination.rows[static_cast<std::size_t>(i)];
        for (std::int64_t j = 0; j < bw; ++j) {
            const std::int64_t x = std::min(w - 1, j * w / (bw - 1));
            std::memcpy(to + j * bytes, from + x * bytes, static_cast<std::size_t>(bytes));
        }
    }
    return false;
}

bool image_make_dimmed(const ImageBuffer& source, ImageBuffer& destination) {
    if (image_allocate(destination, source.kind, source.width, source.height, source.resolution)) return true;
    if (destination.empty() || source.empty()) return false;
    for (std::int32_t r = 0; r < source.height; ++r) {
        const std::uint8_t* from = source.rows[r];
        std::uint8_t* to = destination.rows[r];
        for (std::int32_t i = 0; i < source.stride; ++i) to[i] = static_cast<std::uint8_t>((from[i] + 768) / 5);
    }
    return false;
}

}  // namespace lumivane

#include "imaging/picture_levels.h"

#include <algorithm>

#include "imaging/worker_pool.h"

namespace lumivane {

namespace {

bool has_level_below(std::int32_t width, std::int32_t height) { return width > 1 && height > 1; }

// Level rows first to last from the level above, each pixel the rounded mean of its
// 2 x 2 block. A block past an odd last row or column repeats that row or column, so
// a flat picture stays exactly flat at every level.
void halve_rows(const ImageBuffer& above, ImageBuffer& level, std::int32_t first, std::int32_t last) {
    const std::int32_t last_column = above.width - 1;
    for (std::int32_t y = first; y <= last; ++y) {
        const std::uint8_t* a = above.rows[static_cast<std::size_t>(2 * y)];
        const std::uint8_t* b = above.rows[static_cast<std::size_t>(std::min(2 * y + 1, above.height - 1))];
        std::uint8_t* out = level.rows[static_cast<std::size_t>(y)];
        for (std::int32_t x = 0; x < level.width; ++x) {
            const std::size_t left = 3 * static_cast<std::size_t>(2 * x);
            const std::size_t right = 3 * static_cast<std::size_t>(std::min(2 * x + 1, last_column));
            for (std::size_t c = 0; c < 3; ++c) {
                const unsigned sum = a[left + c] + a[right + c] + b[left + c] + b[right + c];
                out[3 * static_cast<std::size_t>(x) + c] = static_cast<std::uint8_t>((sum + 2) >> 2);
            }
        }
    }
}

}  // namespace

std::uint64_t picture_levels_bytes(std::int32_t width, std::int32_t height) {
    std::uint64_t bytes = 0;
    while (has_level_below(width, height)) {
        width = half_size(width);
        height = half_size(height);
        bytes += static_cast<std::uint64_t>(row_stride(unpadded_row_bytes(PixelFormat::Colour8, width))) *
                 static_cast<std::uint64_t>(height);
    }
    return bytes;
}

bool make_picture_levels(const ImageBuffer& picture, std::vector<ImageBuffer>& levels) {
    levels.clear();
    if (picture.kind != PixelFormat::Colour8 || picture.empty()) return false;
    for (;;) {
        const ImageBuffer& above = levels.empty() ? picture : levels.back();
        if (!has_level_below(above.width, above.height)) return false;
        ImageBuffer level;
        if (image_allocate(level, PixelFormat::Colour8, half_size(above.width), half_size(above.height),
                           above.resolution / 2)) {
            levels.clear();
            return true;
        }
        // Halving rows cannot fail.
        static_cast<void>(pool_run_rows(
            processor_count(),
            [&](std::int32_t first, std::int32_t last) {
                halve_rows(above, level, first, last);
                return false;
            },
            level.height));
        levels.push_back(std::move(level));
    }
}

}  // namespace lumivane

#include "ui/shell/image_bar_geometry.h"

#include <algorithm>

namespace lumivane {

namespace {

std::int32_t pitch(const ImageBarGrid& grid) { return grid.button_size + image_bar_button_gap; }

}  // namespace

std::int32_t image_bar_width(const ImageBarGrid& grid) { return grid.columns * pitch(grid) + 2; }

std::int32_t image_bar_height(const ImageBarGrid& grid) { return grid.rows * pitch(grid) + 2; }

std::int32_t image_bar_button_count(const ImageBarGrid& grid) {
    if (grid.columns <= 0 || grid.rows <= 0) return 0;
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(std::int64_t{grid.columns} * grid.rows, image_bar_most_buttons));
}

ButtonSquare image_bar_button_square(const ImageBarGrid& grid, std::int32_t index) {
    const std::int32_t row = grid.columns > 0 ? index / grid.columns : 0;
    const std::int32_t column = grid.columns > 0 ? index % grid.columns : 0;
    return {pitch(grid) * column + image_bar_button_offset, pitch(grid) * row + image_bar_button_offset,
            grid.button_size};
}

std::int32_t image_bar_hit_test(const ImageBarGrid& grid, std::int32_t x, std::int32_t y) {
    const std::int32_t count = image_bar_button_count(grid);
    for (std::int32_t i = 0; i < count; ++i) {
        const ButtonSquare square = image_bar_button_square(grid, i);
        if (x >= square.x && x <= square.x + square.size && y >= square.y && y <= square.y + square.size) return i;
    }
    return -1;
}

std::int32_t image_bar_separator(const ImageBarGrid& grid, std::int32_t i) { return pitch(grid) * i - 1; }

}  // namespace lumivane

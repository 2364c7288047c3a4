#pragma once
// Where the buttons of an image bar lie, without the widget: square buttons in
// columns and rows, each set in a cell of its size plus 5 pixels, numbered row by
// row from 0. Coordinates are the bar's client area, inside its one-pixel border.

#include <cstdint>

namespace lumivane {

inline constexpr std::int32_t image_bar_most_buttons = 100;
// The room a button takes beside its square: its bevel and a separator line.
inline constexpr std::int32_t image_bar_button_gap = 5;
// From a cell's top-left corner to its button's square, inside the bevel.
inline constexpr std::int32_t image_bar_button_offset = 2;

struct ImageBarGrid {
    std::int32_t button_size = 0;
    std::int32_t columns = 0;
    std::int32_t rows = 0;
};

struct ButtonSquare {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t size = 0;
};

// The whole bar with its border: columns * (size + 5) + 2 by rows * (size + 5) + 2.
std::int32_t image_bar_width(const ImageBarGrid& grid);
std::int32_t image_bar_height(const ImageBarGrid& grid);
// The buttons a grid holds: columns * rows, at most image_bar_most_buttons.
std::int32_t image_bar_button_count(const ImageBarGrid& grid);

ButtonSquare image_bar_button_square(const ImageBarGrid& grid, std::int32_t index);
// The button whose square holds (x, y), edges included, or -1.
std::int32_t image_bar_hit_test(const ImageBarGrid& grid, std::int32_t x, std::int32_t y);
// The separator line before row or column i (from 1): (size + 5) * i - 1.
std::int32_t image_bar_separator(const ImageBarGrid& grid, std::int32_t i);

}  // namespace lumivane

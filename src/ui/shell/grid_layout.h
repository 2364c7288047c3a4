#pragma once
// The thumbnail grid of the main window without the window: its place, how many
// 200-pixel cells it shows, the scroll position, and the one walk over the cells in
// view that painting, hit testing and drop positions all use.

#include <cstdint>
#include <vector>

namespace lumivane {

struct SlideShow;

inline constexpr std::int32_t grid_cell_size = 200;

// The grid's top-left corner and its room (W wide, H high) in the main window's client area.
struct GridArea {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Left M; top 3 M plus the tool bar's height; to the scroll bar (S wide) and the bottom.
GridArea grid_area(std::int32_t client_width, std::int32_t client_height, std::int32_t margin,
                   std::int32_t tool_bar_height, std::int32_t scroll_bar_width);
// K and R: whole cells across and down, at least one each.
std::int32_t grid_columns(const GridArea& area);
std::int32_t grid_rows(const GridArea& area);

struct GridScroll {
    std::int32_t position = 0;  // the first row in view
    std::int32_t maximum = 0;
    bool shown = false;         // the scroll bar: only when the slides do not all fit
};

// The scroll state for count slides with current the current one. The view stays
// where it was (position) while the current slide's row is in it; otherwise that row
// becomes the last one in view. A current of -1 brings no slide into view.
GridScroll grid_scroll(const GridArea& area, std::int32_t count, std::int32_t current, std::int32_t position);

struct GridCell {
    std::int32_t index = 0;  // the slide
    std::int32_t x = 0;      // the cell's top-left corner in the client area
    std::int32_t y = 0;
};

// The cells of slides first up to (not including) end that are in view, row by row. A
// row ends where the next cell would not fit in W, the walk where the next row would not
// fit in H; the first cell of a row and the first row always come, so a small grid still
// shows one cell.
std::vector<GridCell> grid_walk(const GridArea& area, std::int32_t first, std::int32_t end);

// The slide whose cell holds (x, y), edges included, or -1.
std::int32_t grid_hit_test(const GridArea& area, std::int32_t position, std::int32_t count, std::int32_t x,
                           std::int32_t y);

// Where a slide dragged from current would go if dropped at (x, y): the index of the
// slide whose cell (or the free cell after the last slide) holds the point, or count
// for a point right of the last slide's cell and not above it; -1 where there is none
// or where the slide would stay where it is (its own cell and the next).
std::int32_t grid_drop_position(const GridArea& area, std::int32_t position, std::int32_t count,
                                std::int32_t current, std::int32_t x, std::int32_t y);

// Shift-click: flags the slides from clicked up to the one before current when clicked
// lies before it, or from current through clicked when it lies after it.
void select_range(SlideShow& show, std::int32_t current, std::int32_t clicked);

}  // namespace lumivane

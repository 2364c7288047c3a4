#include "ui/shell/grid_layout.h"

#include <algorithm>

#include "document/slide_show.h"

namespace lumivane {

namespace {

bool in_cell(const GridCell& cell, std::int32_t x, std::int32_t y) {
    return x >= cell.x && x <= cell.x + grid_cell_size && y >= cell.y && y <= cell.y + grid_cell_size;
}

}  // namespace

GridArea grid_area(std::int32_t client_width, std::int32_t client_height, std::int32_t margin,
                   std::int32_t tool_bar_height, std::int32_t scroll_bar_width) {
    GridArea area;
    area.left = margin;
    area.top = 3 * margin + tool_bar_height;
    area.width = client_width - scroll_bar_width - area.left;
    area.height = client_height - area.top;
    return area;
}

std::int32_t grid_columns(const GridArea& area) { return std::max(1, area.width / grid_cell_size); }

std::int32_t grid_rows(const GridArea& area) { return std::max(1, area.height / grid_cell_size); }

GridScroll grid_scroll(const GridArea& area, std::int32_t count, std::int32_t current, std::int32_t position) {
    const std::int32_t columns = grid_columns(area);
    const std::int32_t rows = grid_rows(area);
    if (columns * rows >= count) return {};
    GridScroll scroll;
    scroll.shown = true;
    scroll.maximum = (count - 1) / columns - rows + 1;
    if (current >= 0) {
        const std::int32_t row = std::min(current, count - 1) / columns;
        if (row < position || row >= position + rows) position = row - rows + 1;
    }
    scroll.position = std::clamp(position, 0, scroll.maximum);
    return scroll;
}

std::vector<GridCell> grid_walk(const GridArea& area, std::int32_t first, std::int32_t end) {
    std::vector<GridCell> cells;
    std::int32_t x = 0;
    std::int32_t y = 0;
    for (std::int32_t i = std::max(first, 0); i < end; ++i) {
        cells.push_back({i, area.left + x, area.top + y});
        x += grid_cell_size;
        if (x + grid_cell_size > area.width) {
            x = 0;
            y += grid_cell_size;
            if (y + grid_cell_size > area.height) break;
        }
    }
    return cells;
}

std::int32_t grid_hit_test(const GridArea& area, std::int32_t position, std::int32_t count, std::int32_t x,
                           std::int32_t y) {
    for (const GridCell& cell : grid_walk(area, position * grid_columns(area), count)) {
        if (in_cell(cell, x, y)) return cell.index;
    }
    return -1;
}

std::int32_t grid_drop_position(const GridArea& area, std::int32_t position, std::int32_t count,
                                std::int32_t current, std::int32_t x, std::int32_t y) {
    // One cell more than the slides: the free one after the last.
    const std::vector<GridCell> cells = grid_walk(area, position * grid_columns(area), count + 1);
    std::int32_t drop = -1;
    const auto hit = std::find_if(cells.begin(), cells.end(), [&](const GridCell& c) { return in_cell(c, x, y); });
    if (hit != cells.end()) {
        drop = hit->index;
    } else {
        // Beside the last slide, only when it is in view: beside the last cell in view
        // of a longer show is not the end of the show.
        const auto last = std::find_if(cells.begin(), cells.end(), [&](const GridCell& c) { return c.index == count - 1; });
        if (last != cells.end() && x > last->x + grid_cell_size && y >= last->y) drop = count;
    }
    if (drop == current || drop == current + 1) return -1;
    return drop;
}

void select_range(SlideShow& show, std::int32_t current, std::int32_t clicked) {
    const std::int32_t count = show.slide_count();
    const std::int32_t from = std::clamp(std::min(clicked, current), 0, count);
    const std::int32_t to = clicked < current ? current : std::min(clicked + 1, count);  // one past the last
    for (std::int32_t i = from; i < to; ++i) show.slides[static_cast<std::size_t>(i)].selected = true;
}

}  // namespace lumivane

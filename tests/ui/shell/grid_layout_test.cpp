#include "ui/shell/grid_layout.h"

#include <gtest/gtest.h>

#include "document/slide_show.h"

namespace lumivane {
namespace {

// A grid area of width by height at (8, 40).
GridArea area(int width, int height) { return {8, 40, width, height}; }

TEST(GridLayout, AreaColumnsAndRows) {
    // Client 1024 x 700, M 8, tool bar 30 high, scroll bar 16: W = 1000, H = 606.
    const GridArea a = grid_area(1024, 700, 8, 30, 16);
    EXPECT_EQ(a.left, 8);
    EXPECT_EQ(a.top, 54);
    EXPECT_EQ(a.width, 1000);
    EXPECT_EQ(a.height, 646);
    struct Case {
        int width, height, columns, rows;
    };
    const Case cases[] = {{1000, 600, 5, 3}, {999, 599, 4, 2}, {150, 10, 1, 1}, {-20, -5, 1, 1}, {200, 200, 1, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(grid_columns(area(c.width, c.height)), c.columns) << c.width;
        EXPECT_EQ(grid_rows(area(c.width, c.height)), c.rows) << c.height;
    }
}

TEST(GridLayout, ScrollRangeFollowsTheCurrentSlidesRow) {
    const GridArea a = area(1000, 600);  // 5 by 3
    struct Case {
        int count, current, position;
        GridScroll expected;
    };
    const Case cases[] = {
        {15, 14, 4, {0, 0, false}},     // all fit: hidden, at the top
        {1000, 0, 0, {0, 197, true}},   // 200 rows, 3 in view
        {1000, 500, 0, {98, 197, true}},  // row 100 becomes the last in view
        {1000, 500, 99, {99, 197, true}},  // already in view: the view stays
        {1000, 17, 50, {1, 197, true}},   // above the view: the last row in view too
        {1000, 999, 0, {197, 197, true}},
        {20, 18, 3, {1, 1, true}},  // in view, but past the end after slides went
        {1000, -1, 150, {150, 197, true}},  // no slide to follow: the view stays
        {20, -1, 3, {1, 1, true}},
    };
    for (const Case& c : cases) {
        const GridScroll s = grid_scroll(a, c.count, c.current, c.position);
        EXPECT_EQ(s.position, c.expected.position) << c.count << " " << c.current;
        EXPECT_EQ(s.maximum, c.expected.maximum) << c.count << " " << c.current;
        EXPECT_EQ(s.shown, c.expected.shown) << c.count << " " << c.current;
    }
}

TEST(GridLayout, WalkFillsWholeCellsAndAlwaysShowsOne) {
    const std::vector<GridCell> tiny = grid_walk(area(50, 30), 0, 10);
    ASSERT_EQ(tiny.size(), 1u);
    EXPECT_EQ(tiny[0].x, 8);
    EXPECT_EQ(tiny[0].y, 40);

    const std::vector<GridCell> cells = grid_walk(area(1000, 599), 10, 1000);  // 5 by 2 from slide 10
    ASSERT_EQ(cells.size(), 10u);
    EXPECT_EQ(cells[4].index, 14);
    EXPECT_EQ(cells[4].x, 8 + 800);
    EXPECT_EQ(cells[5].x, 8);
    EXPECT_EQ(cells[5].y, 240);

    EXPECT_EQ(grid_walk(area(1000, 599), 0, 3).size(), 3u);  // slides run out
}

TEST(GridLayout, HitsAndDropPositions) {
    const GridArea a = area(1000, 600);  // cells at x 8, 208, ... and y 40, 240, 440
    struct Case {
        int count, current, x, y, hit, drop;
    };
    const Case cases[] = {
        // 8 slides: 0 to 4 in the first row, 5 to 7 in the second, the free cell at x 608.
        {8, 3, 8, 40, 0, 0},
        {8, 3, 408, 240, 1, 1},      // edges belong to the first cell walked
        {8, 3, 700, 100, 3, -1},     // onto itself
        {8, 3, 900, 100, 4, -1},     // onto the next one
        {8, 3, 1100, 100, -1, -1},   // right of a row that is not the last
        {8, 3, 700, 300, -1, 8},     // the free cell after the last slide
        {8, 3, 900, 300, -1, 8},     // right of the last slide, below its top
        {8, 3, 1100, 240, -1, 8},
        {8, 3, 1100, 239, -1, -1},   // above its top
        {8, 7, 900, 300, -1, -1},    // the last slide after itself
        {8, 3, 4, 100, -1, -1},      // left of the grid
        {20, 3, 1100, 500, -1, -1},  // beside the last cell in view of a longer show
        {20, 18, 8, 40, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grid_hit_test(a, 0, c.count, c.x, c.y), c.hit) << c.x << "," << c.y;
        EXPECT_EQ(grid_drop_position(a, 0, c.count, c.current, c.x, c.y), c.drop) << c.x << "," << c.y;
    }
    EXPECT_EQ(grid_hit_test(a, 2, 20, 8, 40), 10);  // scrolled down two rows
}

TEST(GridLayout, ShiftClickRanges) {
    struct Case {
        int current, clicked;
        std::vector<bool> selected;
    };
    const Case cases[] = {
        {3, 1, {false, true, true, false, false, false}},  // before: up to the one before the current
        {3, 5, {false, false, false, true, true, true}},   // after: from the current through it
        {0, 1, {true, true, false, false, false, false}},
    };
    for (const Case& c : cases) {
        SlideShow show;
        show.slides.resize(6);
        select_range(show, c.current, c.clicked);
        std::vector<bool> selected;
        for (const Slide& s : show.slides) selected.push_back(s.selected);
        EXPECT_EQ(selected, c.selected) << c.current << " " << c.clicked;
    }
}

}  // namespace
}  // namespace lumivane

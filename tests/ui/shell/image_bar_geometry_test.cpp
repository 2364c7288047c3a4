#include "ui/shell/image_bar_geometry.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

TEST(ImageBarGeometry, SizesSquaresAndHits) {
    // Buttons of 20 in 3 columns and 2 rows: cells of 25, squares from 2 in each cell.
    const ImageBarGrid grid{20, 3, 2};
    EXPECT_EQ(image_bar_width(grid), 77);
    EXPECT_EQ(image_bar_height(grid), 52);
    EXPECT_EQ(image_bar_button_count(grid), 6);
    EXPECT_EQ(image_bar_separator(grid, 1), 24);
    EXPECT_EQ(image_bar_separator(grid, 2), 49);
    const ButtonSquare last = image_bar_button_square(grid, 5);
    EXPECT_EQ(last.x, 52);
    EXPECT_EQ(last.y, 27);
    EXPECT_EQ(last.size, 20);
    struct Case {
        int x, y, index;
    };
    const Case cases[] = {
        {2, 2, 0},   {22, 22, 0},  // both edges belong to the square
        {1, 2, -1}, {23, 10, -1}, {10, 23, -1},  // the bevel and the separator do not
        {27, 2, 1},  {52, 27, 5},  {72, 47, 5},  {73, 47, -1},
        {2, 27, 3},  {-5, -5, -1}, {200, 10, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(image_bar_hit_test(grid, c.x, c.y), c.index) << c.x << "," << c.y;
}

TEST(ImageBarGeometry, AtMostAHundredButtons) {
    EXPECT_EQ(image_bar_button_count({10, 20, 10}), 100);
    EXPECT_EQ(image_bar_button_count({10, 0, 3}), 0);
    EXPECT_EQ(image_bar_hit_test({10, 20, 10}, 2 + 15 * 19, 2 + 15 * 9), -1);  // button 199 does not exist
    EXPECT_EQ(image_bar_hit_test({10, 20, 10}, 2 + 15 * 19, 2 + 15 * 4), 99);
}

}  // namespace
}  // namespace lumivane

#include "imaging/preview.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

TEST(ImagePreview, FitsTheBoxLessTheMargin) {
    struct Case {
        PixelFormat kind;
        std::int32_t width, height, margin;
        std::int32_t preview_width, preview_height;
        PixelFormat preview_kind;
    };
    const Case cases[] = {
        {PixelFormat::Colour8, 4000, 3000, 5, 190, 3000 * 190 / 4000, PixelFormat::Colour8},
        {PixelFormat::Colour8, 3000, 4000, 0, 150, 200, PixelFormat::Colour8},
        {PixelFormat::Colour8, 10, 1000, 4, 2, 192, PixelFormat::Colour8},  // raised to 2 wide
        {PixelFormat::Grey8, 1000, 1, 0, 200, 2, PixelFormat::Grey8},
        {PixelFormat::Grey16, 400, 400, 0, 200, 200, PixelFormat::Grey8},
    };
    for (const Case& c : cases) {
        ImageBuffer source, preview;
        ASSERT_FALSE(image_allocate(source, c.kind, c.width, c.height, 300.0));
        ASSERT_FALSE(image_make_preview(source, preview, 200, 200, c.margin));
        EXPECT_EQ(preview.width, c.preview_width) << c.width << "x" << c.height;
        EXPECT_EQ(preview.height, c.preview_height) << c.width << "x" << c.height;
        EXPECT_EQ(preview.kind, c.preview_kind);
        EXPECT_EQ(preview.resolution, 100.0);
    }
}

TEST(ImagePreview, SamplesTheNearestLowerPixel) {
    // Each source pixel holds its own coordinates, so every sample tells where it came from.
    ImageBuffer source, preview;
    ASSERT_FALSE(image_allocate(source, PixelFormat::Colour8, 250, 120, 72.0));
    for (int r = 0; r < 120; ++r) {
        for (int x = 0; x < 250; ++x) {
            source.rows[r][3 * x] = static_cast<std::uint8_t>(x);
            source.rows[r][3 * x + 1] = static_cast<std::uint8_t>(r);
            source.rows[r][3 * x + 2] = 9;
        }
    }
    ASSERT_FALSE(image_make_preview(source, preview, 100, 100, 0));
    ASSERT_EQ(preview.width, 100);
    ASSERT_EQ(preview.height, 48);
    for (int i = 0; i < 48; ++i) {
        for (int j = 0; j < 100; ++j) {
            EXPECT_EQ(preview.rows[i][3 * j], std::min(249, j * 250 / 99));
            EXPECT_EQ(preview.rows[i][3 * j + 1], std::min(119, i * 120 / 47));
            EXPECT_EQ(preview.rows[i][3 * j + 2], 9);
        }
    }

    ImageBuffer empty;
    EXPECT_FALSE(image_make_preview(empty, preview, 200, 200, 0));
    EXPECT_TRUE(preview.empty());
}

TEST(ImageDimmed, WashesOutEveryByte) {
    ImageBuffer source, dimmed;
    ASSERT_FALSE(image_allocate(source, PixelFormat::Colour8, 1, 1, 1.0));  // 3 bytes and one of padding
    source.rows[0][0] = 0;
    source.rows[0][1] = 128;
    source.rows[0][2] = 255;
    ASSERT_FALSE(image_make_dimmed(source, dimmed));
    EXPECT_EQ(dimmed.rows[0][0], 153);
    EXPECT_EQ(dimmed.rows[0][1], 179);
    EXPECT_EQ(dimmed.rows[0][2], 204);
    EXPECT_EQ(dimmed.rows[0][3], 153);  // padding too
}

}  // namespace
}  // namespace lumivane

#include "ui/image_drawing.h"

#include <gtest/gtest.h>

#include "support/recording_ui.h"

namespace lumivane {
namespace {

TEST(FrameDraw, FlipsBottomUpBgrRowsIntoTheWindowPicture) {
    testing::RecordingUi ui;
    FrameBitmap frame;
    ASSERT_FALSE(frame_create(frame, 3, 2));
    // Bottom row: blue, green, red pixel bytes (B, G, R order in storage).
    std::uint8_t* bottom = frame.row(0);
    bottom[0] = 255;                 // pixel 0 blue
    bottom[4] = 255;                 // pixel 1 green
    bottom[8] = 255;                 // pixel 2 red
    frame.row(1)[0] = 10, frame.row(1)[1] = 20, frame.row(1)[2] = 30;
    QImage picture;
    frame_draw(picture, frame);
    ASSERT_EQ(picture.width(), 3);
    ASSERT_EQ(picture.height(), 2);
    EXPECT_EQ(picture.pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(picture.pixel(1, 1), qRgb(0, 255, 0));
    EXPECT_EQ(picture.pixel(2, 1), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(30, 20, 10));
    EXPECT_EQ(picture.pixel(1, 0), qRgb(0, 0, 0));
}

TEST(ImageDraw, DrawsEveryBlockAtItsPlace) {
    // 1500 wide Colour8: 932 rows per block, so 2000 rows take three blocks.
    ImageBuffer image;
    ASSERT_FALSE(image_allocate(image, PixelFormat::Colour8, 1500, 2000, 72.0));
    ASSERT_EQ(image.block_count, 3);
    for (std::int32_t r = 0; r < image.height; ++r) {
        image.rows[r][0] = static_cast<std::uint8_t>(r);         // blue carries the row
        image.rows[r][1] = static_cast<std::uint8_t>(r >> 8);    // green its high bits
    }
    QImage target(1510, 2010, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        image_draw_colour8(painter, image, 5, 7);
    }
    for (int y = 0; y < 2000; y += 37) {
        const int r = 1999 - y;  // top-down on screen
        EXPECT_EQ(target.pixel(5, 7 + y), qRgb(0, (r >> 8) & 0xFF, r & 0xFF)) << y;
    }
    EXPECT_EQ(target.pixel(4, 7), qRgb(255, 255, 255));
    EXPECT_EQ(target.pixel(5, 6), qRgb(255, 255, 255));

    ImageBuffer grey;
    ASSERT_FALSE(image_allocate(grey, PixelFormat::Grey8, 2, 2, 72.0));
    grey.rows[1][0] = 200;  // top-left
    QImage small(2, 2, QImage::Format_RGB32);
    small.fill(Qt::black);
    {
        QPainter painter(&small);
        image_draw_grey8(painter, grey, 0, 0);
        image_draw_colour8(painter, grey, 0, 0);  // the wrong kind draws nothing
    }
    EXPECT_EQ(small.pixel(0, 0), qRgb(200, 200, 200));
    EXPECT_EQ(small.pixel(0, 1), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace lumivane

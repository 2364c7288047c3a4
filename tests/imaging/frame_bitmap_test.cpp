#include "imaging/frame_bitmap.h"

#include <gtest/gtest.h>

#include "support/recording_ui.h"

namespace lumivane {
namespace {

TEST(FrameBitmap, CreateClearAndFree) {
    testing::RecordingUi ui;
    FrameBitmap frame;
    ASSERT_FALSE(frame_create(frame, 1366, 768));
    EXPECT_EQ(frame.stride, 4100);
    EXPECT_EQ(frame.image_size, 4100 * 768);
    for (std::int32_t i = 0; i < frame.image_size; i += 4099) ASSERT_EQ(frame.pixels[i], 0);
    frame.row(767)[4099] = 9;
    frame_clear(frame);
    EXPECT_EQ(frame.row(767)[4099], 0);
    frame_free(frame);
    EXPECT_EQ(frame.pixels, nullptr);
    EXPECT_EQ(frame.width, 0);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST(FrameBitmap, ImpossibleSizeFailsAndLeavesNoPixels) {
    FrameBitmap frame;
    EXPECT_TRUE(frame_create(frame, 100000, 100000));
    EXPECT_EQ(frame.pixels, nullptr);
}

}  // namespace
}  // namespace lumivane

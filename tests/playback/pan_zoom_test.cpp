#include "playback/pan_zoom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "imaging/frame_bitmap.h"
#include "imaging/memory_bitmap.h"
#include "imaging/picture_levels.h"
#include "support/jpeg_files.h"
#include "support/recording_ui.h"

namespace lumivane {
namespace {

using testing::RecordingUi;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

PanFrame box_of(double left, double top, double right, double bottom) { return {-1.0, left, top, right, bottom}; }

// A slide whose picture has a size but no pixels: enough for the box rules.
Slide sized_slide(std::int32_t width, std::int32_t height, SlideStyle style, std::vector<PanFrame> frames = {}) {
    Slide slide;
    slide.image.kind = PixelFormat::Colour8;
    slide.image.width = width;
    slide.image.height = height;
    slide.style = style;
    slide.frames = std::move(frames);
    return slide;
}

// A picture whose pixel at (x, y from the top) is (x, y, x + y) modulo 256.
Slide patterned_slide(std::int32_t width, std::int32_t height, SlideStyle style, std::vector<PanFrame> frames) {
    Slide slide;
    EXPECT_FALSE(image_allocate(slide.image, PixelFormat::Colour8, width, height, 72.0));
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* row = slide.image.rows[static_cast<std::size_t>(height - 1 - y)];
        for (std::int32_t x = 0; x < width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(x);
            row[3 * x + 1] = static_cast<std::uint8_t>(y);
            row[3 * x + 2] = static_cast<std::uint8_t>(x + y);
        }
    }
    slide.style = style;
    slide.frames = std::move(frames);
    return slide;
}

FrameBitmap make_frame(std::int32_t width, std::int32_t height, std::uint8_t fill) {
    RecordingUi ui;
    FrameBitmap frame;
    EXPECT_FALSE(frame_create(frame, width, height));
    std::memset(frame.pixels.get(), fill, static_cast<std::size_t>(frame.image_size));
    return frame;
}

bool all_bytes(const FrameBitmap& frame, std::uint8_t value) {
    for (std::int32_t i = 0; i < frame.image_size; ++i) {
        if (frame.pixels[i] != value) return false;
    }
    return true;
}

// --- The box each style shows ---

TEST(SlidePixelBox, FitAddsBarsToTheFrameProportions) {
    struct Case {
        std::int32_t w, h, frame_w, frame_h;
        PixelBox expected;
    };
    const Case cases[] = {
        // 4000 x 3000 is narrower than 16 : 9: bars left and right.
        {4000, 3000, 1920, 1080, {-666, 0, 4665, 2999}},
        // 2560 x 1600 is wider than 4 : 3: bars above and below (m = 2559 * 480 / 640 = 1919).
        {2560, 1600, 640, 480, {0, -160, 2559, 1759}},
        // Same proportions: the whole picture.
        {1921, 1081, 1921, 1081, {0, 0, 1920, 1080}},
        // One pixel wide: o = 99 * 1920 / 1080 = 176, the column in the middle.
        {1, 100, 1920, 1080, {-88, 0, 88, 99}},
        {1, 1, 1920, 1080, {0, 0, 0, 0}},
        {100, 1, 1, 1, {0, -49, 99, 49}},
    };
    SlideShow show;
    for (const Case& c : cases) {
        for (SlideStyle style : {SlideStyle::Fit, SlideStyle::Default}) {
            const Slide slide = sized_slide(c.w, c.h, style, {box_of(0.2, 0.2, 0.4, 0.4)});
            const PixelBox box = slide_pixel_box(show, slide, 0, 0.5, c.frame_w, c.frame_h);
            EXPECT_EQ(box.left, c.expected.left) << c.w << "x" << c.h;
            EXPECT_EQ(box.top, c.expected.top) << c.w << "x" << c.h;
            EXPECT_EQ(box.right, c.expected.right) << c.w << "x" << c.h;
            EXPECT_EQ(box.bottom, c.expected.bottom) << c.w << "x" << c.h;
        }
    }
}

TEST(PathProgress, ConstantAndNonlinear) {
    EXPECT_EQ(path_progress(Interpolation::Constant, 0.25), 0.25);
    EXPECT_NEAR(path_progress(Interpolation::Nonlinear, 0.25), 0.146447, 1e-6);
    EXPECT_NEAR(path_progress(Interpolation::Nonlinear, 0.5), 0.5, 1e-12);
    EXPECT_NEAR(path_progress(Interpolation::Nonlinear, 0.75), 0.853553, 1e-6);
    // Outside 0..1, or not a number: held to the range.
    EXPECT_EQ(path_progress(Interpolation::Constant, 7.0), 1.0);
    EXPECT_EQ(path_progress(Interpolation::Nonlinear, nan), 0.0);
}

TEST(SlidePixelBox, CropAndPathFollowTheKeyFrames) {
    const std::vector<PanFrame> path = {box_of(0, 0, 1, 1), box_of(0.25, 0.25, 0.75, 0.75), box_of(0.1, 0.2, 0.3, 0.4)};
    struct Case {
        const char* what;
        SlideStyle style;
        Interpolation interpolation;
        std::int32_t key_frame;
        double t;
        PixelBox expected;  // on a 1001 x 2001 picture: x in thousandths, y in two-thousandths
    };
    const Case cases[] = {
        {"path midpoint", SlideStyle::Path, Interpolation::Constant, 0, 0.5, {125, 250, 875, 1750}},
        {"path start", SlideStyle::Path, Interpolation::Constant, 0, 0.0, {0, 0, 1000, 2000}},
        {"path end of segment", SlideStyle::Path, Interpolation::Constant, 0, 1.0, {250, 500, 750, 1500}},
        // t = 0.25 eases to 0.146447: 0.146447 * 250 = 36.6, 0.146447 * 500 = 73.2.
        {"nonlinear quarter", SlideStyle::Path, Interpolation::Nonlinear, 0, 0.25, {37, 73, 963, 1927}},
        {"nonlinear midpoint", SlideStyle::Path, Interpolation::Nonlinear, 0, 0.5, {125, 250, 875, 1750}},
        {"second segment", SlideStyle::Path, Interpolation::Constant, 1, 0.5, {175, 450, 525, 1150}},
        // The last key frame rests there whatever the progress.
        {"last key frame", SlideStyle::Path, Interpolation::Constant, 2, 0.7, {100, 400, 300, 800}},
        {"past the last", SlideStyle::Path, Interpolation::Constant, 9, 0.7, {100, 400, 300, 800}},
        {"negative key frame", SlideStyle::Path, Interpolation::Constant, -3, 0.0, {0, 0, 1000, 2000}},
        // Crop ignores the progress.
        {"crop", SlideStyle::Crop, Interpolation::Constant, 1, 0.9, {250, 500, 750, 1500}},
    };
    SlideShow show;
    for (const Case& c : cases) {
        Slide slide = sized_slide(1001, 2001, c.style, path);
        slide.interpolation = c.interpolation;
        const PixelBox b = slide_pixel_box(show, slide, c.key_frame, c.t, 1920, 1080);
        EXPECT_EQ(b.left, c.expected.left) << c.what;
        EXPECT_EQ(b.top, c.expected.top) << c.what;
        EXPECT_EQ(b.right, c.expected.right) << c.what;
        EXPECT_EQ(b.bottom, c.expected.bottom) << c.what;
    }
}

TEST(SlidePixelBox, EdgesRoundHalfAwayFromZeroAndHoldFileValues) {
    SlideShow show;
    show.settings.default_style = SlideStyle::Crop;
    struct Case {
        PanFrame box;
        PixelBox expected;  // on a 1001 x 11 picture
    };
    const double huge = 1e300;
    const Case cases[] = {
        {box_of(0.0005, 0.05, -0.0005, -0.05), {1, 1, -1, -1}},
        {box_of(0.0015, 0.15, 0.0025, 0.25), {2, 2, 3, 3}},
        {box_of(nan, nan, nan, nan), {0, 0, 0, 0}},
        {box_of(-huge, -huge, huge, huge), {-(1 << 30), -(1 << 30), 1 << 30, 1 << 30}},
    };
    for (const Case& c : cases) {
        const Slide slide = sized_slide(1001, 11, SlideStyle::Default, {c.box});
        const PixelBox b = slide_pixel_box(show, slide, 0, 0.0, 100, 100);
        EXPECT_EQ(b.left, c.expected.left);
        EXPECT_EQ(b.top, c.expected.top);
        EXPECT_EQ(b.right, c.expected.right);
        EXPECT_EQ(b.bottom, c.expected.bottom);
    }
    // Without key frames a crop or path slide is shown fitted.
    for (SlideStyle style : {SlideStyle::Crop, SlideStyle::Path}) {
        const PixelBox b = slide_pixel_box(show, sized_slide(4000, 3000, style), 0, 0.5, 1920, 1080);
        EXPECT_EQ(b.left, -666);
        EXPECT_EQ(b.right, 4665);
    }
}

// --- Rendering ---

// What a frame pixel shows, worked out from the top-left corner: frame column j of Wf
// and row i of Hf (from the top) show picture pixel
//   (left + round(j (right - left) / (Wf - 1)), top + round(i (bottom - top) / (Hf - 1)))
// and black outside the picture. Frame heights are even, so that no row lands exactly
// half-way between two picture rows and the direction of counting cannot matter.
using TopDownPicture = testing::JpegPicture;

void expect_nearest_neighbour(const FrameBitmap& frame, const TopDownPicture& picture, double left, double top,
                              double right, double bottom, const char* what) {
    ASSERT_EQ(frame.height % 2, 0);
    std::int64_t mismatches = 0;
    for (std::int32_t i = 0; i < frame.height; ++i) {
        const double y = top + (frame.height == 1 ? 0.0 : i * (bottom - top) / (frame.height - 1));
        const long py = std::lround(y);
        const std::uint8_t* out = frame.row(frame.height - 1 - i);
        for (std::int32_t j = 0; j < frame.width; ++j) {
            const double x = left + (frame.width == 1 ? 0.0 : j * (right - left) / (frame.width - 1));
            const long px = std::lround(x);
            std::uint8_t expected[3] = {0, 0, 0};
            if (px >= 0 && px < picture.width && py >= 0 && py < picture.height) {
                std::memcpy(expected, &picture.bgr[(static_cast<std::size_t>(py) * picture.width + px) * 3], 3);
            }
            if (std::memcmp(out + 3 * j, expected, 3) != 0 && ++mismatches <= 3) {
                ADD_FAILURE() << what << ": frame pixel " << j << ", " << i << " should show picture pixel " << px
                              << ", " << py;
            }
        }
    }
    EXPECT_EQ(mismatches, 0) << what;
}

TEST(RenderSlideFrame, RealPhotographMatchesPlainNearestNeighbour) {
    const TopDownPicture picture = testing::libjpeg_decode("/usr/share/backgrounds/mate/nature/Garden.jpg");
    ASSERT_EQ(picture.width, 2560);
    ASSERT_EQ(picture.height, 1600);
    SlideShow show;
    show.slides.resize(1);
    Slide& slide = show.slides[0];
    ASSERT_FALSE(image_allocate(slide.image, PixelFormat::Colour8, picture.width, picture.height, 72.0));
    for (std::int32_t y = 0; y < picture.height; ++y) {
        std::memcpy(slide.image.rows[static_cast<std::size_t>(picture.height - 1 - y)],
                    &picture.bgr[static_cast<std::size_t>(y) * picture.width * 3],
                    static_cast<std::size_t>(picture.width) * 3);
    }
    const double sx = picture.width - 1;
    const double sy = picture.height - 1;

    struct Case {
        const char* what;
        SlideStyle style;
        PanFrame box;
        std::int32_t frame_w, frame_h;
    };
    const Case crops[] = {
        {"crop, shrinking", SlideStyle::Crop, box_of(0.1, 0.2, 0.6, 0.7), 800, 450},
        {"crop, full size", SlideStyle::Crop, box_of(0, 0, 1, 1), 2560, 1600},
        {"crop, magnified", SlideStyle::Crop, box_of(0.5, 0.5, 0.52, 0.53), 641, 480},
        {"crop, partly outside", SlideStyle::Crop, box_of(-0.5, -0.25, 0.5, 0.75), 400, 300},
        {"crop, one column", SlideStyle::Crop, box_of(0.3, 0.1, 0.9, 0.9), 1, 200},
    };
    for (const Case& c : crops) {
        slide.style = c.style;
        slide.frames = {c.box};
        FrameBitmap frame = make_frame(c.frame_w, c.frame_h, 0x5a);
        ASSERT_FALSE(render_slide_frame(show, 0, 0, 0.0, Motion::Exact, frame)) << c.what;
        expect_nearest_neighbour(frame, picture, std::round(c.box.left * sx), std::round(c.box.top * sy),
                                 std::round(c.box.right * sx), std::round(c.box.bottom * sy), c.what);
    }

    // Fitted into 4 : 3: bars of 160 rows above and below.
    slide.style = SlideStyle::Fit;
    FrameBitmap fitted = make_frame(640, 480, 0x5a);
    ASSERT_FALSE(render_slide_frame(show, 0, 0, 0.0, Motion::Exact, fitted));
    expect_nearest_neighbour(fitted, picture, 0, -160, 2559, 1759, "fit");

    // A path half-way through its eased first segment.
    slide.style = SlideStyle::Path;
    slide.interpolation = Interpolation::Nonlinear;
    slide.frames = {box_of(0, 0, 1, 1), box_of(0.3, 0.1, 0.7, 0.5)};
    FrameBitmap moving = make_frame(1280, 720, 0x5a);
    ASSERT_FALSE(render_slide_frame(show, 0, 0, 0.3, Motion::Exact, moving));
    const double e = (1 - std::cos(std::numbers::pi * 0.3)) / 2;
    expect_nearest_neighbour(moving, picture, std::round(e * 0.3 * sx), std::round(e * 0.1 * sy),
                             std::round(((1 - e) + e * 0.7) * sx), std::round(((1 - e) + e * 0.5) * sy), "path");
}

TEST(RenderSlideFrame, OutsideThePictureIsBlackToTheLastByte) {
    SlideShow show;
    show.slides.push_back(patterned_slide(101, 51, SlideStyle::Crop, {box_of(-0.5, 0, 1, 1)}));
    // left = -50, right = 100 over 151 columns: one picture column per frame column.
    FrameBitmap frame = make_frame(151, 51, 0x5a);
    ASSERT_FALSE(render_slide_frame(show, 0, 0, 0.0, Motion::Exact, frame));
    for (std::int32_t r = 0; r < frame.height; ++r) {
        const std::uint8_t* row = frame.row(r);
        for (std::int32_t j = 0; j < 50; ++j) {
            ASSERT_EQ(row[3 * j] | row[3 * j + 1] | row[3 * j + 2], 0) << j << ", " << r;
        }
        for (std::int32_t j = 50; j < 151; ++j) {
            ASSERT_EQ(row[3 * j], j - 50);
            ASSERT_EQ(row[3 * j + 1], 50 - r);  // frame row r from the bottom is picture row 50 - r from the top
        }
    }

    // Entirely above the picture: every byte of every row, padding included, is black.
    show.slides[0].frames = {box_of(0.1, -3, 0.9, -2)};
    frame = make_frame(151, 51, 0x5a);
    ASSERT_FALSE(render_slide_frame(show, 0, 0, 0.0, Motion::Exact, frame));
    EXPECT_TRUE(all_bytes(frame, 0));

    // Entirely to the right of it.
    show.slides[0].frames = {box_of(1.5, 0, 2.5, 1)};
    frame = make_frame(151, 51, 0x5a);
    ASSERT_FALSE(render_slide_frame(show, 0, 0, 0.0, Motion::Exact, frame));
    for (std::int32_t r = 0; r < frame.height; ++r) {
        for (std::int32_t i = 0; i < 3 * frame.width; ++i) ASSERT_EQ(frame.row(r)[i], 0);
    }
}

// Rendered straight into the window's picture, the picture is the frame turned top-down
// into 32-bit pixels: when rows repeat, and where the box leaves the picture.
TEST(RenderSlidePicture, AsTheFrameTurnedTopDown) {
    SlideShow show;
    show.slides.push_back(patterned_slide(301, 203, SlideStyle::Crop, {}));
    const PanFrame boxes[] = {box_of(0.1, 0.2, 0.6, 0.7), box_of(0.5, 0.5, 0.52, 0.53), box_of(-0.5, -0.25, 0.5, 0.75),
                              box_of(1.5, 0, 2.5, 1)};
    std::vector<std::uint8_t> shown(4 * 257 * 131), expected(shown.size());
    MemoryBitmap picture{shown.data(), 257, 131, 4 * 257};
    MemoryBitmap expected_picture{expected.data(), 257, 131, 4 * 257};
    ASSERT_FALSE(make_picture_levels(show.slides[0].image, show.slides[0].levels));
    for (const Motion motion : {Motion::Exact, Motion::Smooth}) {
        for (const PanFrame& box : boxes) {
            show.slides[0].frames = {box};
            FrameBitmap frame = make_frame(257, 131, 0x5a);
            ASSERT_FALSE(render_slide_frame(show, 0, 0, 0.0, motion, frame));
            ASSERT_FALSE(frame_draw(expected_picture, frame));
            ASSERT_FALSE(render_slide_picture(show, 0, 0, 0.0, motion, picture));
            EXPECT_EQ(shown, expected) << box.left << ", motion " << static_cast<int>(motion);
            // A box rendered on its own (as a preview of a path does) shows the same.
            const PictureBox real_box = slide_picture_box(show, show.slides[0], 0, 0.0, 257, 131);
            ASSERT_FALSE(render_box_picture(show.slides[0], real_box, motion, expected_picture));
            EXPECT_EQ(shown, expected) << box.left << ", motion " << static_cast<int>(motion);
        }
    }
    // A slide without a picture shows black; a picture without pixels is not written.
    image_free(show.slides[0].image);
    ASSERT_FALSE(render_slide_picture(show, 0, 0, 0.0, Motion::Exact, picture));
    EXPECT_EQ(shown[4 * 300], 0);
    EXPECT_EQ(shown[4 * 300 + 3], 255);
    MemoryBitmap none;
    EXPECT_TRUE(render_slide_picture(show, 0, 0, 0.0, Motion::Exact, none));
}

TEST(RenderSlideFrame, TinyFramesAndPictures) {
    SlideShow show;
    // A 3 x 3 picture, box from its centre to its bottom-right corner.
    show.slides.push_back(patterned_slide(3, 3, SlideStyle::Crop, {box_of(0.5, 0.5, 1, 1)}));
    struct Case {
        std::int32_t frame_w, frame_h;
    };
    for (const Case c : {Case{1, 1}, Case{1, 7}, Case{7, 1}}) {
        FrameBitmap frame = make_frame(c.frame_w, c.frame_h, 0x5a);
        ASSERT_FALSE(render_slide_frame(show, 0, 0, 0.0, Motion::Exact, frame));
        // One column shows the box's left edge (x = 1); one row its bottom edge (y = 2 from the top).
        const std::uint8_t* corner = frame.row(0);
        EXPECT_EQ(corner[0], 1) << c.frame_w << "x" << c.frame_h;
        EXPECT_EQ(corner[1], 2) << c.frame_w << "x" << c.frame_h;
        const std::uint8_t* far = frame.row(c.frame_h - 1) + 3 * (c.frame_w - 1);
        EXPECT_EQ(far[0], c.frame_w == 1 ? 1 : 2);
        EXPECT_EQ(far[1], c.frame_h == 1 ? 2 : 1);
    }

    // A one-pixel picture fills the frame; a one-pixel-wide one is a column in the middle.
    show.slides[0] = patterned_slide(1, 1, SlideStyle::Fit, {box_of(0, 0, 1, 1)});
    show.slides[0].image.rows[0][0] = 200;
    FrameBitmap frame = make_frame(5, 3, 0x5a);
    ASSERT_FALSE(render_slide_frame(show, 0, 0, 0.0, Motion::Exact, frame));
    for (std::int32_t r = 0; r < 3; ++r) {
        for (std::int32_t j = 0; j < 5; ++j) ASSERT_EQ(frame.row(r)[3 * j], 200);
    }
    show.slides[0] = patterned_slide(1, 100, SlideStyle::Fit, {box_of(0, 0, 1, 1)});
    frame = make_frame(1920, 1080, 0x5a);
    ASSERT_FALSE(render_slide_frame(show, 0, 0, 0.0, Motion::Exact, frame));
    std::int32_t lit = 0;
    for (std::int32_t j = 0; j < frame.width; ++j) lit += frame.row(540)[3 * j + 1] != 0 ? 1 : 0;
    EXPECT_GE(lit, 10);  // about 1080 / 100 columns wide, around column 960
    EXPECT_LE(lit, 12);
    EXPECT_NE(frame.row(540)[3 * 960 + 1], 0);
}

TEST(RenderSlideFrame, FileValuesCannotReachOutsideThePicture) {
    SlideShow show;
    Slide slide = patterned_slide(64, 48, SlideStyle::Crop, {});
    for (std::uint8_t* row : slide.image.rows) std::memset(row, 77, static_cast<std::size_t>(slide.image.stride));
    show.slides.push_back(std::move(slide));
    const double huge = 1e300;
    const PanFrame boxes[] = {box_of(nan, nan, nan, nan),         box_of(-huge, -huge, huge, huge),
                              box_of(huge, huge, -huge, -huge),   box_of(0.9, 0.8, 0.1, 0.2),
                              box_of(-1e9, 0.5, 1e9, 0.5),        box_of(0, 0, std::numeric_limits<double>::infinity(), 1)};
    for (SlideStyle style : {SlideStyle::Crop, SlideStyle::Path}) {
        show.slides[0].style = style;
        for (const PanFrame& box : boxes) {
            show.slides[0].frames = {box, box_of(0, 0, 1, 1)};
            FrameBitmap frame = make_frame(97, 31, 0x5a);
            ASSERT_FALSE(render_slide_frame(show, 0, 0, 0.5, Motion::Exact, frame));
            for (std::int32_t r = 0; r < frame.height; ++r) {
                for (std::int32_t i = 0; i < 3 * frame.width; ++i) {
                    const std::uint8_t v = frame.row(r)[i];
                    ASSERT_TRUE(v == 0 || v == 77) << box.left << " row " << r;
                }
            }
        }
    }
}

TEST(RenderSlideFrame, FailuresLeaveThePreviousPicture) {
    SlideShow show;
    FrameBitmap frame = make_frame(8, 6, 0x5a);

    // No slides: cleared to black.
    EXPECT_FALSE(render_slide_frame(show, 0, 0, 0.0, Motion::Exact, frame));
    EXPECT_TRUE(all_bytes(frame, 0));

    show.slides.push_back(patterned_slide(10, 10, SlideStyle::Fit, {box_of(0, 0, 1, 1)}));
    frame = make_frame(8, 6, 0x5a);
    EXPECT_TRUE(render_slide_frame(show, 1, 0, 0.0, Motion::Exact, frame));
    EXPECT_TRUE(render_slide_frame(show, -1, 0, 0.0, Motion::Exact, frame));
    EXPECT_TRUE(all_bytes(frame, 0x5a));

    FrameBitmap no_pixels;
    EXPECT_TRUE(render_slide_frame(show, 0, 0, 0.0, Motion::Exact, no_pixels));
    show.slides.clear();
    EXPECT_TRUE(render_slide_frame(show, 0, 0, 0.0, Motion::Exact, no_pixels));

    // A slide whose file could not be read shows black.
    show.slides.resize(1);
    show.slides[0].frames = {box_of(0, 0, 1, 1)};
    EXPECT_FALSE(render_slide_frame(show, 0, 0, 0.0, Motion::Exact, frame));
    EXPECT_TRUE(all_bytes(frame, 0));
}

// --- Box tools ---

struct BoxToolsTest : ::testing::Test {
    RecordingUi ui;
    AppContext context{ui};
    bool shift = false;  // the box may leave the picture

    // The zoom as its callers apply it: a box that was scaled marks the show.
    void zoom(PanFrame& box, const BoxShape& start, double factor) {
        if (const auto zoomed = zoom_crop_box(box, start, factor, shift)) {
            box = *zoomed;
            context.show.modified = true;
        }
    }

    void expect_box(const PanFrame& box, double left, double top, double right, double bottom) {
        EXPECT_NEAR(box.left, left, 1e-12);
        EXPECT_NEAR(box.top, top, 1e-12);
        EXPECT_NEAR(box.right, right, 1e-12);
        EXPECT_NEAR(box.bottom, bottom, 1e-12);
    }
};

TEST_F(BoxToolsTest, OutsideImage) {
    EXPECT_FALSE(box_outside_image(box_of(0, 0, 1, 1)));
    for (const PanFrame& box : {box_of(-0.01, 0, 1, 1), box_of(0, -0.01, 1, 1), box_of(0, 0, 1.01, 1),
                                box_of(0, 0, 1, 1.01)}) {
        EXPECT_TRUE(box_outside_image(box));
    }
}

TEST_F(BoxToolsTest, ZoomStopsAtTheSmallestBox) {
    struct Case {
        PanFrame start;
        double factor;
        double width, height;
    };
    const Case cases[] = {
        // 0.25 x 0.5 halved would be 0.125 wide: it becomes 0.2 x 0.4.
        {box_of(0.375, 0.25, 0.625, 0.75), 0.5, 0.2, 0.4},
        // A flat box reaches the minimum on its height: 1.0 x 0.2.
        {box_of(0.25, 0.45, 0.75, 0.55), 0.3, 1.0, 0.2},
        // Ordinary scaling.
        {box_of(0.3, 0.3, 0.7, 0.7), 0.97, 0.388, 0.388},
        {box_of(0.3, 0.3, 0.7, 0.7), 1.03, 0.412, 0.412},
    };
    for (const Case& c : cases) {
        PanFrame box = c.start;
        context.show.modified = false;
        zoom(box, box_shape(c.start), c.factor);
        EXPECT_NEAR(box.right - box.left, c.width, 1e-12);
        EXPECT_NEAR(box.bottom - box.top, c.height, 1e-12);
        EXPECT_NEAR(box.left + box.right, c.start.left + c.start.right, 1e-12);
        EXPECT_NEAR(box.top + box.bottom, c.start.top + c.start.bottom, 1e-12);
        EXPECT_TRUE(context.show.modified);
    }
}

TEST_F(BoxToolsTest, ZoomKeepsTheBoxInsideUnlessShiftOrAlreadyOutside) {
    const PanFrame start = box_of(0.1, 0.2, 0.5, 0.6);  // centre (0.3, 0.4), 0.4 x 0.4
    PanFrame box = start;
    zoom(box, box_shape(start), 2.0);
    // Doubled, it would reach -0.1 on the left: shrunk about the centre to 0.6 x 0.6.
    expect_box(box, 0.0, 0.1, 0.6, 0.7);

    // Near the bottom edge the height decides.
    const PanFrame low = box_of(0.4, 0.7, 0.6, 0.9);  // centre (0.5, 0.8)
    box = low;
    zoom(box, box_shape(low), 2.0);
    expect_box(box, 0.3, 0.6, 0.7, 1.0);

    shift = true;
    box = start;
    zoom(box, box_shape(start), 2.0);
    expect_box(box, -0.1, 0.0, 0.7, 0.8);

    // Once outside, zooming without Shift no longer pulls it back.
    shift = false;
    const PanFrame outside = box;
    zoom(box, box_shape(outside), 1.5);
    expect_box(box, -0.3, -0.2, 0.9, 1.0);
}

TEST_F(BoxToolsTest, ZoomLeavesABoxWithoutAreaAlone) {
    for (const PanFrame& start : {box_of(0.5, 0.2, 0.5, 0.6), box_of(0.2, 0.5, 0.6, 0.5), box_of(0.6, 0.2, 0.2, 0.6),
                                  box_of(nan, 0, 1, 1)}) {
        PanFrame box = start;
        context.show.modified = false;
        zoom(box, box_shape(start), 1.03);
        EXPECT_EQ(std::memcmp(&box, &start, sizeof box), 0);
        EXPECT_FALSE(context.show.modified);
    }
    PanFrame box = box_of(0.2, 0.2, 0.6, 0.6);
    zoom(box, box_shape(box), nan);
    expect_box(box, 0.2, 0.2, 0.6, 0.6);
}

TEST_F(BoxToolsTest, PanStaysInsideUnlessShiftOrAlreadyOutside) {
    const PanFrame start = box_of(0.1, 0.2, 0.5, 0.6);
    struct Case {
        double dx, dy;
        bool shift;
        PanFrame expected;
    };
    const Case cases[] = {
        {0.2, 0.1, false, box_of(0.3, 0.3, 0.7, 0.7)},
        {-0.3, 0.0, false, box_of(0.0, 0.2, 0.4, 0.6)},
        {0.9, 0.9, false, box_of(0.6, 0.6, 1.0, 1.0)},
        {0.0, -0.5, false, box_of(0.1, 0.0, 0.5, 0.4)},
        {-0.3, 0.5, true, box_of(-0.2, 0.7, 0.2, 1.1)},
    };
    for (const Case& c : cases) {
        shift = c.shift;
        PanFrame box = start;
        box = pan_crop_box(box, box_shape(start), c.dx, c.dy, shift);
        expect_box(box, c.expected.left, c.expected.top, c.expected.right, c.expected.bottom);
    }
    // Outside already: a pan without Shift moves freely.
    shift = false;
    PanFrame box = box_of(-0.2, 0.2, 0.2, 0.6);
    const BoxShape shape = box_shape(box);
    box = pan_crop_box(box, shape, -0.1, 0.0, shift);
    expect_box(box, -0.3, 0.2, 0.1, 0.6);
}

TEST_F(BoxToolsTest, CropToProportions) {
    struct Case {
        std::int32_t w, h, p, q;
        PanFrame expected;
    };
    const Case cases[] = {
        // e = 3000 * 9 / 16 = 1687: top = (2000 - 1687) / 2 / 2000.
        {3000, 2000, 16, 9, box_of(0, 0.07825, 1, 0.92175)},
        {2000, 3000, 16, 9, box_of(0, 0.3125, 1, 0.6875)},
        // Too flat: e = 1000, f = 1000 * 16 / 9 = 1777.
        {4000, 1000, 16, 9, box_of(0.277875, 0, 0.722125, 1)},
        {1000, 1000, 1, 1, box_of(0, 0, 1, 1)},
        // Proportions a hand-edited file may hold count as 16 : 9.
        {3000, 2000, 0, 9, box_of(0, 0.07825, 1, 0.92175)},
        {3000, 2000, 16, -9, box_of(0, 0.07825, 1, 0.92175)},
        {3000, 2000, 10001, 9, box_of(0, 0.07825, 1, 0.92175)},
        {3000, 2000, 10000, 1, box_of(0, 0.5, 1, 0.5)},
    };
    for (const Case& c : cases) {
        context.show.settings.proportions_width = c.p;
        context.show.settings.proportions_height = c.q;
        context.show.slides.clear();
        context.show.slides.push_back(sized_slide(c.w, c.h, SlideStyle::Crop, {box_of(0.1, 0.1, 0.2, 0.2)}));
        crop_to_proportions(context.show, 0);
        const PanFrame& box = context.show.slides[0].frames[0];
        expect_box(box, c.expected.left, c.expected.top, c.expected.right, c.expected.bottom);
        EXPECT_EQ(box.delay, -1.0);
    }
}

TEST_F(BoxToolsTest, StyleToolsSwitchStyleAndSetModified) {
    SlideShow& show = context.show;
    show.settings.default_style = SlideStyle::Fit;
    show.slides.push_back(patterned_slide(40, 30, SlideStyle::Default, {box_of(0.1, 0.1, 0.2, 0.2)}));

    show.modified = false;
    crop_to_proportions(show, 0);  // effective style fit
    EXPECT_EQ(show.slides[0].style, SlideStyle::Crop);
    EXPECT_TRUE(show.modified);
    show.modified = false;
    crop_to_proportions(show, 0);  // already crop
    EXPECT_FALSE(show.modified);

    fit_to_window(show, 0, 1920, 1080);
    EXPECT_EQ(show.slides[0].style, SlideStyle::Fit);
    EXPECT_TRUE(show.modified);
    show.modified = false;
    fit_to_window(show, 0, 1920, 1080);
    EXPECT_FALSE(show.modified);

    // A path keeps its style under both.
    show.slides[0].style = SlideStyle::Path;
    crop_to_proportions(show, 0);
    fit_to_window(show, 0, 1920, 1080);
    EXPECT_EQ(show.slides[0].style, SlideStyle::Path);
    EXPECT_FALSE(show.modified);

    // Slides outside the show, slides without key frames or without a picture: no crash,
    // and the box, where there is one, stays.
    crop_to_proportions(show, 5);
    fit_to_window(show, -1, 1920, 1080);
    show.slides[0].frames.clear();
    show.slides[0].style = SlideStyle::Fit;
    crop_to_proportions(show, 0);
    EXPECT_EQ(show.slides[0].style, SlideStyle::Crop);
    fit_to_window(show, 0, 1920, 1080);
    show.slides.resize(2);
    show.slides[1].frames = {box_of(0.1, 0.1, 0.2, 0.2)};
    show.slides[1].style = SlideStyle::Crop;
    crop_to_proportions(show, 1);
    fit_to_window(show, 1, 1920, 1080);
    expect_box(show.slides[1].frames[0], 0.1, 0.1, 0.2, 0.2);
}

TEST_F(BoxToolsTest, FitToWindow) {
    struct Case {
        std::int32_t w, h, frame_w, frame_h;
        PanFrame expected;
    };
    const Case cases[] = {
        // f = 3000 * 1920 / 1080 = 5333, a = (4000 - 5333) / 2 = -666.
        {4000, 3000, 1920, 1080, box_of(-0.1665, 0, 1.1665, 1)},
        // Too wide for 4 : 3: e = 4000 * 3 / 4 = 3000, b = (1000 - 3000) / 2 = -1000.
        {4000, 1000, 4, 3, box_of(0, -1.0, 1, 2.0)},
        {1920, 1080, 1920, 1080, box_of(0, 0, 1, 1)},
        // Without a frame size the show's proportions (16 : 9) stand in.
        {4000, 3000, 0, 0, box_of(-0.1665, 0, 1.1665, 1)},
        {1, 1, 1, 1, box_of(0, 0, 1, 1)},
    };
    for (const Case& c : cases) {
        context.show.slides.clear();
        context.show.slides.push_back(sized_slide(c.w, c.h, SlideStyle::Crop, {box_of(0.1, 0.1, 0.2, 0.2)}));
        fit_to_window(context.show, 0, c.frame_w, c.frame_h);
        const PanFrame& box = context.show.slides[0].frames[0];
        expect_box(box, c.expected.left, c.expected.top, c.expected.right, c.expected.bottom);
    }
}

TEST_F(BoxToolsTest, FitBoxToProportions) {
    struct Case {
        PanFrame box;
        std::int32_t w, h, p, q;
        PanFrame expected;
    };
    const Case cases[] = {
        // 3000 wide wants 1687.5 high: top = (1000 - 843.75) / 2000.
        {box_of(0, 0, 1, 1), 3000, 2000, 16, 9, box_of(0, 0.078125, 1, 0.921875)},
        {box_of(0.4, 0, 0.6, 1), 1000, 1000, 16, 9, box_of(0.4, 0.44375, 0.6, 0.55625)},
        // Too flat for 16 : 9: the height stays and the width shrinks to 100 * 16 / 9.
        {box_of(0, 0.45, 1, 0.55), 1000, 1000, 16, 9, box_of(0.5 - 0.8 / 9, 0.45, 0.5 + 0.8 / 9, 0.55)},
        {box_of(0, 0, 1, 1), 3000, 2000, 3, 2, box_of(0, 0, 1, 1)},
        {box_of(0, 0, 1, 1), 3000, 2000, -3, 0, box_of(0, 0.078125, 1, 0.921875)},
        // A picture without size leaves the box as it is.
        {box_of(0.1, 0.2, 0.3, 0.4), 0, 2000, 16, 9, box_of(0.1, 0.2, 0.3, 0.4)},
        {box_of(0.1, 0.2, 0.3, 0.4), 100, 0, 16, 9, box_of(0.1, 0.2, 0.3, 0.4)},
    };
    for (const Case& c : cases) {
        context.show.settings.proportions_width = c.p;
        context.show.settings.proportions_height = c.q;
        context.show.modified = false;
        PanFrame box = c.box;
        fit_box_to_proportions(context.show, box, c.w, c.h);
        expect_box(box, c.expected.left, c.expected.top, c.expected.right, c.expected.bottom);
        EXPECT_FALSE(context.show.modified);
    }
}

}  // namespace
}  // namespace lumivane

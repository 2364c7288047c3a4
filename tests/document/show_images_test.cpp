#include "document/show_images.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "document/app_context.h"
#include "document/show_index.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::RecordingUi;
using testing::TempFolder;

const std::string testdata = LUMIVANE_TESTDATA;

TEST(LoadShowImages, LoadsConvertsThumbnailsAndFitsEverySlide) {
    TempFolder folder;
    std::filesystem::copy_file(testdata + "/orientation/Landscape_1.jpg", folder.native_file("landscape.jpg"));
    std::filesystem::copy_file(testdata + "/orientation/Portrait_6.jpg", folder.native_file("portrait.jpg"));
    folder.write("broken.jpg", "\xFF\xD8\xFF\xE0 not really a picture");
    folder.write("index.ssi",
                 "SlideShow 1.0\r\nproportions 16 9\r\nn_slides 4\r\n"
                 "slide 0 2 0 1 \"a\" \"landscape.jpg\"\r\nframe 0 0 -1 0 0 1 1\r\n"
                 "slide 1 3 0 2 \"b\" \"missing.jpg\"\r\nframe 1 0 -1 0 0 1 1\r\nframe 1 1 -1 0 0 1 1\r\n"
                 "slide 2 1 0 1 \"c\" \"broken.jpg\"\r\nframe 2 0 -1 0 0 1 1\r\n"
                 "slide 3 3 0 2 \"d\" \"portrait.jpg\"\r\nframe 3 0 -1 0 0 1 1\r\nframe 3 1 2 0.25 0.25 0.75 0.75\r\n"
                 "end\r\n");
    RecordingUi ui;
    AppContext context(ui);
    context.thumbnail_margin = 5;
    context.show.show_folder = folder.path();
    ASSERT_FALSE(read_show_index(context, folder.path(), u"index.ssi"));
    load_show_images(context);

    EXPECT_EQ(ui.texts(), (std::vector<std::u16string>{u"Slide file does not exist: " + folder.file(u"missing.jpg"),
                                                       u"Error reading slide file: " + folder.file(u"broken.jpg")}));
    EXPECT_EQ(ui.status_log.front(), u"show: Loading image files");
    EXPECT_EQ(ui.status_log.back(), u"hide");
    EXPECT_EQ(ui.status_depth, 0);

    const auto& slides = context.show.slides;
    EXPECT_EQ(slides[0].image.width, 1800);
    EXPECT_EQ(slides[0].image.height, 1200);
    EXPECT_NE(slides[0].transform, nullptr);
    EXPECT_EQ(slides[0].thumbnail.width, 190);
    EXPECT_EQ(slides[0].thumbnail.height, 126);
    EXPECT_EQ(slides[3].image.width, 1200);  // turned upright from its orientation tag
    EXPECT_EQ(slides[3].image.height, 1800);
    for (std::size_t i : {1u, 2u}) {
        EXPECT_TRUE(slides[i].image.empty()) << i;
        EXPECT_TRUE(slides[i].thumbnail.empty()) << i;
        EXPECT_EQ(slides[i].transform, nullptr) << i;
    }

    // The whole 1800 x 1200 picture, cut to 16 : 9 about its centre: 1800 x 1012.5.
    const PanFrame& fitted = slides[0].frames[0];
    EXPECT_DOUBLE_EQ(fitted.left, 0.0);
    EXPECT_DOUBLE_EQ(fitted.right, 1.0);
    EXPECT_DOUBLE_EQ(fitted.top, (600.0 - 1012.5 / 2) / 1200);
    EXPECT_DOUBLE_EQ(fitted.bottom, (600.0 + 1012.5 / 2) / 1200);
    // On the upright portrait the half-size box is 600 wide, so 337.5 high.
    const PanFrame& path = slides[3].frames[1];
    EXPECT_DOUBLE_EQ(path.left, 0.25);
    EXPECT_DOUBLE_EQ(path.right, 0.75);
    EXPECT_DOUBLE_EQ(path.top, (900.0 - 337.5 / 2) / 1800);
    EXPECT_DOUBLE_EQ(path.bottom, (900.0 + 337.5 / 2) / 1800);
    // Slides without a picture keep their boxes.
    EXPECT_DOUBLE_EQ(slides[1].frames[0].top, 0.0);
}

}  // namespace
}  // namespace lumivane

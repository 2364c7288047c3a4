#include "document/show_images.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "document/app_context.h"
#include "document/show_index.h"
#include "imaging/image_loader.h"
#include "platform/paths.h"
#include "support/jpeg_files.h"
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

// A show of slides naming these files, frames and all, as the index reader makes them.
void add_slides(SlideShow& show, const std::u16string& folder, std::initializer_list<std::u16string> files) {
    show.show_folder = folder;
    for (const std::u16string& file : files) {
        Slide& slide = show.slides.emplace_back();
        slide.file = file;
        slide.frames = {{-1.0, 0.0, 0.0, 1.0, 1.0}};
    }
}

// A pipe would block the program in open() for ever; a device is no picture either. A
// path too long, and a slide without a file name, get one message each.
TEST(LoadShowImages, SlidesWithoutAReadableFileGetOneMessageEach) {
    TempFolder folder;
    ASSERT_EQ(::mkfifo(folder.native_file("pipe.jpg").c_str(), 0644), 0);
    ASSERT_EQ(::symlink("/dev/zero", folder.native_file("device.jpg").c_str()), 0);
    RecordingUi ui;
    AppContext context(ui);
    add_slides(context.show, folder.path(), {u"pipe.jpg", u"device.jpg", u"", std::u16string(path_limit, u'a')});
    load_show_images(context);
    EXPECT_EQ(ui.texts(), (std::vector<std::u16string>{u"Slide file does not exist: " + folder.file(u"pipe.jpg"),
                                                       u"Slide file does not exist: " + folder.file(u"device.jpg"),
                                                       u"Slide 3 has no image file name", u"Pathname too long"}));
    for (const Slide& slide : context.show.slides) EXPECT_TRUE(slide.image.empty());
}

std::uint64_t address_space_bytes() {
    std::uint64_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    return pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
}

// The conversion needs a second picture's worth of memory; when the system refuses it,
// the slide says so and shows the picture as decoded. Memory that earlier tests freed
// would serve the conversion, so the test runs again alone in a fresh process, told the
// folder by the environment. There it measures the address space one load takes, limits
// itself to one and a half times that and loads the show; large blocks come straight
// from the system, so that the measure holds. Its exit code tells what it saw.
TEST(LoadShowImages, AConversionWithoutMemoryKeepsThePictureUnconverted) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer's own reservations do not fit under an address space limit";
#endif
    if (const char* folder = std::getenv("LUMIVANE_LIMITED_LOAD_FOLDER")) {
        ::mallopt(M_MMAP_THRESHOLD, 1 << 20);
        const std::u16string path = testing::u16(folder) + u"/big.jpg";
        RecordingUi ui;
        AppContext context(ui);
        add_slides(context.show, testing::u16(folder), {u"big.jpg"});
        ImageBuffer decoded;
        std::vector<std::uint8_t> profile;
        const std::uint64_t before = address_space_bytes();
        if (image_load(ui, path, decoded, profile)) ::_exit(2);
        const std::uint64_t limit = address_space_bytes() + (address_space_bytes() - before) * 3 / 2;
        const rlimit address_space{limit, limit};
        ::setrlimit(RLIMIT_AS, &address_space);
        load_show_images(context);
        const ImageBuffer& shown = context.show.slides[0].image;
        bool unconverted = shown.height == decoded.height && !context.show.slides[0].thumbnail.empty();
        for (std::int32_t r = 0; unconverted && r < decoded.height; ++r) {
            unconverted = std::memcmp(shown.rows[r], decoded.rows[r], static_cast<std::size_t>(decoded.stride)) == 0;
        }
        const std::vector<std::u16string> reported = {u"Cannot convert slide file to the monitor color space: " + path};
        ::_exit(unconverted && ui.texts() == reported ? 0 : 1);
    }
    TempFolder folder;
    testing::write_jpeg(folder.native_file("big.jpg"), 4000, 3000, false,
                        [](int x, int y, int c) { return static_cast<std::uint8_t>(c == 2 ? 230 : (x + y) / 40); });
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string command = "LUMIVANE_LIMITED_LOAD_FOLDER='" + folder.native() + "' '" +
                                std::filesystem::read_symlink("/proc/self/exe").string() + "' --gtest_filter=" +
                                test->test_suite_name() + "." + test->name() + " >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
}  // namespace lumivane

#include "app/show_images.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include "app/app_context.h"
#include "app/show_folder.h"
#include "app/slide_messages.h"
#include "app/slide_pictures.h"
#include "document/show_index.h"
#include "imaging/colour_transform.h"
#include "imaging/image_loader.h"
#include "imaging/monitor_profiles.h"
#include "platform/paths.h"
#include "platform/system_memory.h"
#include "platform/value_formatter.h"
#include "playback/pan_zoom.h"
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
    ASSERT_FALSE(read_show(context, folder.path(), u"index.ssi"));
    load_show_images(context);

    EXPECT_EQ(ui.texts(), (std::vector<std::u16string>{u"Slide file does not exist: " + folder.file(u"missing.jpg"),
                                                       u"Error reading slide file: " + folder.file(u"broken.jpg")}));
    EXPECT_EQ(ui.status_log.front(), u"show: Loading image files");
    EXPECT_EQ(ui.status_log.back(), u"hide");
    EXPECT_EQ(ui.status_depth, 0);
    // Only the files that are there are read.
    std::vector<std::u16string> reading;
    for (const std::u16string& line : ui.status_log) {
        if (line.starts_with(u"text: Reading ")) reading.push_back(line.substr(14));
    }
    EXPECT_EQ(reading, (std::vector<std::u16string>{folder.file(u"landscape.jpg"), folder.file(u"broken.jpg"),
                                                    folder.file(u"portrait.jpg")}));

    const auto& slides = context.show.slides;
    EXPECT_EQ(picture_width(slides[0].picture), 1800);
    EXPECT_EQ(picture_height(slides[0].picture), 1200);
    EXPECT_NE(slides[0].picture->source.transform, nullptr);
    EXPECT_EQ(slides[0].thumbnail->width, 190);
    EXPECT_EQ(slides[0].thumbnail->height, 126);
    EXPECT_EQ(picture_width(slides[3].picture), 1200);  // turned upright from its orientation tag
    EXPECT_EQ(picture_height(slides[3].picture), 1800);
    const PictureView portrait = picture_get(slides[3].picture, {});
    ASSERT_TRUE(portrait.image);
    EXPECT_EQ(portrait.image->width, 1200);
    for (std::size_t i : {1u, 2u}) {
        EXPECT_EQ(slides[i].picture, nullptr) << i;
        EXPECT_EQ(slides[i].thumbnail, nullptr) << i;
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

// A folder that lost its photographs must not put up a box per slide: the first file
// of each kind gets its box at once, in the order met, and the others are counted and
// the first ten named in one box at the end. Every slide stays in the show, and a file
// cut short shows what it holds.
TEST(LoadShowImages, ProblemFilesOfManySlidesShareOneBoxPerKind) {
    TempFolder folder;
    testing::write_jpeg(folder.native_file("whole.jpg"), 320, 240, false,
                        [](int x, int y, int c) { return static_cast<std::uint8_t>(x * 7 + y * 13 + c * 50); });
    const std::vector<std::uint8_t> bytes = testing::file_bytes(folder.native_file("whole.jpg"));
    folder.write("cut.jpg", std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2)));
    folder.write("broken.jpg", "\xFF\xD8\xFF\xE0 not really a picture");
    RecordingUi ui;
    AppContext context(ui);
    std::vector<std::u16string> files, missing;
    for (int i = 0; i < 14; ++i) {
        missing.push_back(testing::u16("gone" + std::to_string(i) + ".jpg"));
        files.push_back(missing.back());
        if (i % 5 == 2) files.insert(files.end(), {u"broken.jpg", u"cut.jpg"});
    }
    add_slides(context.show, folder.path(), {});
    for (const std::u16string& file : files) add_slides(context.show, folder.path(), {file});
    load_show_images(context);

    std::u16string others = u"More slide files do not exist (13):";
    for (int i = 1; i <= 10; ++i) others += u"\n" + folder.file(missing[static_cast<std::size_t>(i)]);
    others += u"\nand 3 more";
    const std::u16string cut = folder.file(u"cut.jpg");
    ASSERT_EQ(ui.texts(),
              (std::vector<std::u16string>{
                  u"Slide file does not exist: " + folder.file(missing[0]),
                  u"Error reading slide file: " + folder.file(u"broken.jpg"),
                  u"Slide file is damaged or incomplete; the missing part of the picture is black: " + cut,
                  others,
                  u"More slide files could not be read (2):\n" + folder.file(u"broken.jpg") + u"\n" + folder.file(u"broken.jpg"),
                  u"More slide files are damaged or incomplete (2); the missing parts of their pictures are black:\n" + cut +
                      u"\n" + cut}));
    EXPECT_EQ(ui.boxes[2].title, u"Warning");
    ASSERT_EQ(context.show.slide_count(), 20);
    for (const Slide& slide : context.show.slides) EXPECT_EQ(slide.picture == nullptr, slide.file != u"cut.jpg");
    EXPECT_EQ(ui.status_log.back(), u"hide");
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
                                                       u"Slide 3 has no image file name", u"Pathname too long",
                                                       u"More slide files do not exist (1):\n" + folder.file(u"device.jpg")}));
    for (const Slide& slide : context.show.slides) EXPECT_EQ(slide.picture, nullptr);
}

// Slides whose profiles are byte for byte the same, or that have none, share one
// transform: three kinds of picture make three transforms, however many slides there
// are, and every slide is converted exactly as with a transform of its own.
TEST(LoadShowImages, SlidesWithTheSameProfileShareOneTransform) {
    TempFolder folder;
    const auto gradient = [](int x, int y, int c) { return static_cast<std::uint8_t>(x * 4 + y * 2 + c * 70); };
    testing::write_jpeg(folder.native_file("plain.jpg"), 40, 30, false, gradient);
    testing::write_jpeg(folder.native_file("adobe.jpg"), 40, 30, false, gradient, testing::icc_markers(adobe_rgb_profile(), 300));
    testing::write_jpeg(folder.native_file("p3.jpg"), 40, 30, false, gradient, testing::icc_markers(dci_p3_profile(), 60000));
    RecordingUi ui;
    AppContext context(ui);
    const std::initializer_list<std::u16string> files = {u"plain.jpg", u"adobe.jpg", u"p3.jpg", u"plain.jpg",
                                                         u"adobe.jpg", u"plain.jpg"};
    add_slides(context.show, folder.path(), files);
    load_show_images(context);
    EXPECT_TRUE(ui.texts().empty());
    EXPECT_EQ(context.colour_transforms.created, 3);
    const auto& slides = context.show.slides;
    const auto transform = [&](std::size_t i) { return slides[i].picture->source.transform; };
    EXPECT_EQ(transform(0), transform(3));
    EXPECT_EQ(transform(0), transform(5));
    EXPECT_EQ(transform(1), transform(4));
    EXPECT_NE(transform(0), transform(1));
    EXPECT_NE(transform(1), transform(2));

    // A slide added later is prepared the same way, through the same transforms.
    Slide& added = context.show.slides.emplace_back();
    added.file = u"adobe.jpg";
    SlideMessages messages(ui);
    prepare_slide(context, 6, added, messages);
    EXPECT_EQ(ui.status_log.back(), u"text: Reading " + folder.file(u"adobe.jpg"));
    EXPECT_EQ(transform(6), transform(1));
    EXPECT_EQ(added.thumbnail->width, 200);
    EXPECT_EQ(context.colour_transforms.created, 3);

    for (const Slide& slide : slides) {
        ImageBuffer own;
        std::vector<std::uint8_t> profile;
        ColourTransformHandle transform;
        ASSERT_FALSE(image_load(ui, folder.file(slide.file), own, profile));
        ASSERT_FALSE(colour_transform_create(profile, own, context.monitor.icc, transform));
        ASSERT_FALSE(colour_transform_apply(own, own, transform.get()));
        const PictureView view = picture_get(slide.picture, {});
        ASSERT_EQ(view.image->height, own.height);
        for (std::int32_t r = 0; r < own.height; ++r) {
            ASSERT_EQ(std::memcmp(view.image->rows[r], own.rows[r], static_cast<std::size_t>(own.stride)), 0);
        }
    }
}

// A profile the library refuses is named once however many slides carry it, and their
// pictures keep their own colours.
TEST(LoadShowImages, ARefusedProfileIsReportedOnce) {
    TempFolder folder;
    testing::write_jpeg(folder.native_file("odd.jpg"), 40, 30, false, [](int, int, int) { return 90; },
                        testing::icc_markers({1, 2, 3, 4}, 300));
    RecordingUi ui;
    AppContext context(ui);
    add_slides(context.show, folder.path(), {u"odd.jpg", u"odd.jpg", u"odd.jpg"});
    load_show_images(context);
    EXPECT_EQ(ui.texts(), std::vector<std::u16string>{u"Problem converting from working color space to monitor color space"});
    for (const Slide& slide : context.show.slides) {
        EXPECT_EQ(slide.picture->source.transform, nullptr);
        EXPECT_EQ(picture_get(slide.picture, {}).image->rows[5][7], 90);
    }
}

void write_index(const std::string& path, const std::vector<std::u16string>& lines) {
    std::ofstream out(path, std::ios::binary);
    for (const std::u16string& line : lines) out << testing::u8(line) << "\r\n";
}

// A second opening of an unchanged show decodes nothing: its thumbnails come from the
// desktop's thumbnail cache, with the first opening's messages, and a file that held no
// picture is known as such. The proof: files replaced by others of the same length,
// their times kept, still show the thumbnail kept and the same message, until their
// times change.
TEST(LoadShowImages, ASecondOpeningTakesTheThumbnailsKept) {
    TempFolder folder;
    testing::write_jpeg(folder.native_file("light.jpg"), 640, 480, false, [](int, int, int) { return 230; });
    testing::write_jpeg(folder.native_file("dark.jpg"), 640, 480, false, [](int, int, int) { return 20; });
    // Bytes after the end of a JPEG are no part of it: both padded to one length.
    std::string light = testing::read_bytes(folder.native_file("light.jpg"));
    std::string dark = testing::read_bytes(folder.native_file("dark.jpg"));
    const std::size_t length = std::max(light.size(), dark.size()) + 16;
    light.resize(length, '\0');
    dark.resize(length, '\0');
    folder.write("a.jpg", light);
    folder.write("b.jpg", std::string(length, 'b'));
    const std::string cut = testing::read_bytes(folder.native_file("dark.jpg"));
    folder.write("cut.jpg", cut.substr(0, cut.size() / 2));
    const std::u16string damaged =
        u"Slide file is damaged or incomplete; the missing part of the picture is black: " + folder.file(u"cut.jpg");
    const std::u16string unreadable = u"Error reading slide file: " + folder.file(u"b.jpg");
    const auto open = [&](const std::vector<std::u16string>& messages) {
        RecordingUi ui;
        AppContext context(ui);
        context.thumbnail_folder = folder.file(u"cache");
        add_slides(context.show, folder.path(), {u"a.jpg", u"cut.jpg", u"b.jpg"});
        load_show_images(context);
        EXPECT_EQ(ui.texts(), messages);
        for (const Slide& slide : context.show.slides) {
            EXPECT_EQ(slide.thumbnail && slide.picture, slide.file != u"b.jpg" || messages.size() == 1);
        }
        return context.show.slides[0].thumbnail->rows[30][30];
    };
    EXPECT_GT(open({damaged, unreadable}), 200);
    const auto replace = [&](const char* name, const std::string& bytes, std::time_t seconds_later) {
        const std::string path = folder.native_file(name);
        struct stat status {};
        ASSERT_EQ(::stat(path.c_str(), &status), 0);
        folder.write(name, bytes);
        const timespec kept[2] = {status.st_atim, {status.st_mtim.tv_sec + seconds_later, status.st_mtim.tv_nsec}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), kept, 0), 0);
    };
    replace("a.jpg", dark, 0);
    replace("b.jpg", light, 0);
    EXPECT_GT(open({damaged, unreadable}), 200);
    replace("a.jpg", dark, 10);
    replace("b.jpg", light, 10);
    EXPECT_LT(open({damaged}), 50);
}

// In smooth motion a picture comes with its levels, from the cache, when it is needed.
TEST(LoadShowImages, SmoothMotionGetsLevelsWithThePicture) {
    TempFolder folder;
    testing::write_jpeg(folder.native_file("a.jpg"), 64, 48, false, [](int x, int y, int c) { return x + y + c; });
    RecordingUi ui;
    AppContext context(ui);
    context.motion = Motion::Smooth;
    add_slides(context.show, folder.path(), {u"a.jpg", u"a.jpg"});
    load_show_images(context);
    EXPECT_TRUE(ui.texts().empty());
    for (const Slide& slide : context.show.slides) {
        const PictureView view = picture_get(slide.picture, {1, true});
        ASSERT_TRUE(view.levels);
        EXPECT_EQ(view.levels->size(), 6u);  // 32 x 24 down to 1 x 1
    }
}

// A show whose pictures do not all fit in the memory the program may use opens whole,
// without a message, and every picture can be had in turn: the cache lets the pictures
// least recently needed go, and reads one again when it is needed again. The address
// space limit is set in a fresh process (the test runs again alone, told the folder by
// the environment), where it cannot disturb other tests; its exit code tells what it
// saw, and that it lived.
TEST(LoadShowImages, AShowLargerThanTheMemoryOpensAndPlaysWhole) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer's own reservations do not fit under an address space limit";
#endif
    constexpr int slide_count = 8;
    if (const char* folder = std::getenv("LUMIVANE_LIMITED_LOAD_FOLDER")) {
        // Large blocks straight from the system, and one heap for every thread, so that
        // the address space grows by the pictures and little else.
        ::mallopt(M_MMAP_THRESHOLD, 1 << 20);
        ::mallopt(M_ARENA_MAX, 1);
        RecordingUi ui;
        AppContext context(ui);
        context.show.show_folder = testing::u16(folder);
        if (read_show(context, context.show.show_folder, u"index.ssi")) ::_exit(2);
        const std::vector<std::u16string> saved = show_index_lines(context.show);
        std::uint64_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const std::uint64_t picture = image_bytes(PixelFormat::Colour8, 4000, 3000);
        const std::uint64_t limit = pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE)) + memory_reserve + picture * 7 / 2;
        const rlimit address_space{limit, limit};
        ::setrlimit(RLIMIT_AS, &address_space);
        load_show_images(context);
        bool right = ui.boxes.empty() && show_index_lines(context.show).size() == saved.size();
        for (const Slide& slide : context.show.slides) right = right && slide.thumbnail && slide.picture;
        // Every picture in turn, then the first again, which was let go meanwhile.
        for (std::int32_t i : {0, 1, 2, 3, 4, 5, 6, 7, 0}) {
            const PictureView view = picture_get(context.show.slides[static_cast<std::size_t>(i)].picture, {});
            right = right && view.image && view.image->width == 4000;
        }
        right = right && context.pictures.held_bytes() <= 3 * picture && context.pictures.late_count() == 9;
        ::_exit(right ? 0 : 1);
    }
    TempFolder folder;
    testing::write_jpeg(folder.native_file("big.jpg"), 4000, 3000, false,
                        [](int x, int y, int c) { return static_cast<std::uint8_t>(c == 2 ? 230 : (x + y) / 40); });
    std::vector<std::u16string> index = {u"SlideShow 1.0", u"n_slides 8"};
    for (int i = 0; i < slide_count; ++i) {
        index.push_back(formatted(u"slide %d 1 0 1 \"\" \"big.jpg\"", i));
        index.push_back(formatted(u"frame %d 0 -1 0 0 1 1", i));
    }
    index.push_back(u"end");
    write_index(folder.native_file("index.ssi"), index);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string command = "LUMIVANE_LIMITED_LOAD_FOLDER='" + folder.native() + "' '" +
                                std::filesystem::read_symlink("/proc/self/exe").string() + "' --gtest_filter=" +
                                test->test_suite_name() + "." + test->name() + " >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
}  // namespace lumivane

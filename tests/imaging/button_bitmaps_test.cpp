#include "imaging/button_bitmaps.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "imaging/bmp_reader.h"
#include "support/bmp_files.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::plain_bmp;
using testing::TempFolder;
using testing::u8;

// Broken: cut short; the others stand where the user's picture goes but cannot be read.
enum class Copy { None, Good, Broken, Unreadable, Folder, Pipe, LinkLoop };

TEST(LoadBitmapFile, TheUsersPictureFirstThenTheProgramsOwn) {
    constexpr std::uint32_t user_colour = 0xC00000;     // red
    constexpr std::uint32_t shipped_colour = 0x00C000;  // green
    struct Case {
        Copy user, shipped;
        bool failed;
        std::uint32_t colour;  // of the loaded picture
        std::vector<std::string> errors;  // the folder the named file is in
    };
    const Case cases[] = {
        {Copy::Good, Copy::Good, false, user_colour, {}},
        {Copy::None, Copy::Good, false, shipped_colour, {}},
        {Copy::Broken, Copy::Good, false, shipped_colour, {"settings/Bitmaps"}},
        {Copy::None, Copy::Broken, true, 0, {"shipped"}},
        {Copy::None, Copy::None, true, 0, {"settings/Bitmaps"}},
        {Copy::Broken, Copy::None, true, 0, {"settings/Bitmaps"}},
        {Copy::Unreadable, Copy::Good, false, shipped_colour, {"settings/Bitmaps"}},
        {Copy::Folder, Copy::Good, false, shipped_colour, {"settings/Bitmaps"}},
        {Copy::Pipe, Copy::Good, false, shipped_colour, {"settings/Bitmaps"}},
        {Copy::LinkLoop, Copy::Good, false, shipped_colour, {"settings/Bitmaps"}},
    };
    for (const Case& c : cases) {
        if (c.user == Copy::Unreadable && ::geteuid() == 0) continue;  // root reads it all the same
        TempFolder root;
        std::filesystem::create_directories(root.native_file("settings/Bitmaps"));
        std::filesystem::create_directories(root.native_file("shipped"));
        auto place = [&](Copy copy, const char* folder, std::uint32_t colour) {
            const std::string path = root.native_file(std::string(folder) + "/Run.bmp");
            switch (copy) {
            case Copy::None: return;
            case Copy::Folder: std::filesystem::create_directory(path); return;
            case Copy::Pipe: ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); return;
            case Copy::LinkLoop: std::filesystem::create_symlink("Run.bmp", path); return;
            default: break;
            }
            const std::string bytes = plain_bmp(64, 64, colour);
            root.write(std::string(folder) + "/Run.bmp", copy == Copy::Broken ? bytes.substr(0, 100) : bytes);
            if (copy == Copy::Unreadable) ::chmod(path.c_str(), 0);
        };
        place(c.user, "settings/Bitmaps", user_colour);
        place(c.shipped, "shipped", shipped_colour);

        ImageBuffer button;
        ASSERT_FALSE(image_allocate(button, PixelFormat::Grey8, 5, 5, 1.0));
        std::vector<BitmapProblem> problems;
        const bool failed = load_bitmap_file(button, u"Run.bmp", 24, 20, root.file(u"settings"), problems,
                                             root.file(u"shipped"));
        EXPECT_EQ(failed, c.failed);
        ASSERT_EQ(problems.size(), c.errors.size());
        for (std::size_t i = 0; i < c.errors.size(); ++i) {
            EXPECT_EQ(problems[i].kind, BitmapProblem::Kind::Unreadable);
            EXPECT_EQ(u8(problems[i].path), root.native_file(c.errors[i]) + "/Run.bmp");
        }
        if (c.failed) {
            EXPECT_EQ(button.width, 5);  // left as it was
            continue;
        }
        EXPECT_EQ(button.kind, PixelFormat::Colour8);
        EXPECT_EQ(button.width, 24);
        EXPECT_EQ(button.height, 20);
        EXPECT_EQ(button.resolution, 100.0);
        EXPECT_EQ(button.rows[10][3 * 12 + 2], c.colour >> 16);
        EXPECT_EQ(button.rows[10][3 * 12 + 1], c.colour >> 8 & 0xFF);
    }
}

TEST(ShippedBitmaps, EveryButtonHasAPictureLargeEnoughToReduce) {
    const char16_t* names[] = {u"Run.bmp",        u"Pause.bmp",      u"Prev.bmp",          u"Next.bmp",
                               u"Settings.bmp",   u"Trash.bmp",      u"Cut.bmp",           u"Copy.bmp",
                               u"Insert Before.bmp", u"Insert After.bmp", u"Help.bmp",      u"Left.bmp",
                               u"Right.bmp",      u"Expand Crop Box.bmp", u"Reflect Horizontal.bmp",
                               u"Reflect Vertical.bmp", u"Linear.bmp", u"Spline.bmp"};
    for (const char16_t* name : names) {
        ImageBuffer picture;
        EXPECT_FALSE(read_bmp(shipped_bitmap_folder() + u"/" + name, picture)) << u8(name);
        EXPECT_EQ(picture.kind, PixelFormat::Colour8) << u8(name);
        EXPECT_GE(picture.width, 64) << u8(name);
        EXPECT_GE(picture.height, 64) << u8(name);
    }
}

}  // namespace
}  // namespace lumivane

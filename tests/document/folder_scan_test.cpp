#include "document/folder_scan.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::TempFolder;

// Pictures are known by their first bytes and links by what they lead to; nothing but
// regular files is opened (the pipe would wait for ever).
TEST(FolderScan, PicturesByTheirFirstBytesLinksByTheirTargets) {
    TempFolder elsewhere;
    elsewhere.write("target.jpg", "\xFF\xD8\xFF\xE0");
    TempFolder folder;
    using namespace std::literals;
    const std::pair<const char*, std::string_view> files[] = {
        {"b.tif", "II*"},  {"c.TIFF", "MM"},  {"notes.txt", "notes"}, {"photo.dat", "\xFF\xD8"},
        {"photo.jpg", "text"}, {"a.", "II"},  {".a", "MM"},          {"empty.jpg", ""},
        {"one.jpg", "\xFF"},   {"IMG_10.jpg", "\xFF\xD8"}, {"img_9.jpg", "\xFF\xD8"}, {"index.ssi", "SlideShow 1.0"},
        {"shot", "\x89PNG\r\n\x1A\n\0"sv}, {"cut.png", "\x89PNG"}, {"web", "RIFF\x10\0\0\0WEBPVP8 "sv},
        {"sound.webp", "RIFF\x10\0\0\0WAVEfmt "sv}, {"xl", "\xFF\x0A"}, {"phone", "\0\0\0\x18" "ftypheic"sv},
        {"clip.avif", "\0\0\0\x18" "ftypisom"sv}};
    for (const auto& [name, bytes] : files) folder.write(name, bytes);
    std::filesystem::create_directory(folder.native_file("x.jpg"));
    std::filesystem::create_directory(folder.native_file("old.SSI"));
    std::filesystem::create_symlink(elsewhere.native_file("target.jpg"), folder.native_file("c.lnk"));
    std::filesystem::create_symlink(elsewhere.native_file("gone.jpg"), folder.native_file("gone.jpg"));
    std::filesystem::create_symlink(folder.native_file("loop.jpg"), folder.native_file("loop.jpg"));
    std::filesystem::create_symlink("/dev/zero", folder.native_file("device.jpg"));
    ASSERT_EQ(::mkfifo(folder.native_file("pipe.jpg").c_str(), 0644), 0);

    std::vector<std::u16string> names;
    ASSERT_FALSE(folder_image_names(folder.path(), names));
    // An empty or one-byte file counts: its load reports it.
    EXPECT_EQ(names, (std::vector<std::u16string>{u".a", u"a.", u"b.tif", u"c.lnk", u"c.TIFF", u"empty.jpg",
                                                  u"img_9.jpg", u"IMG_10.jpg", u"one.jpg", u"phone", u"photo.dat", u"shot",
                                                  u"web", u"xl"}));
    std::int32_t count = 0;
    std::u16string first;
    ASSERT_FALSE(find_index_files(folder.path(), count, first));  // the folder old.SSI is none
    EXPECT_EQ(count, 1);
    EXPECT_EQ(first, u"index.ssi");

    // An empty folder is no failure; one that cannot be read is.
    ASSERT_FALSE(count_image_files(elsewhere.path() + u"/", count));
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(count_image_files(folder.file(u"missing"), count));
    EXPECT_TRUE(find_index_files(folder.file(u"notes.txt"), count, first));
    std::filesystem::remove(elsewhere.native_file("target.jpg"));
    ASSERT_FALSE(find_index_files(elsewhere.path(), count, first));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(first, u"");
}

}  // namespace
}  // namespace lumivane

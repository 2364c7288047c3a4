#include "document/folder_scan.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::TempFolder;

// A folder with every kind of entry a scan meets. Pictures are known by their first
// bytes, links by what they lead to, and nothing but regular files is opened: opening
// the pipe would wait for ever.
TEST(FolderScan, PicturesByTheirFirstBytesLinksByTheirTargets) {
    TempFolder elsewhere;
    elsewhere.write("target.jpg", "\xFF\xD8\xFF\xE0");
    TempFolder folder;
    const std::pair<const char*, std::string> files[] = {
        {"a.jpg", "\xFF\xD8\xFF\xE0"}, {"b.tif", std::string("II*\0", 4)}, {"c.TIFF", std::string("MM\0*", 4)},
        {"notes.txt", "notes"},        {"photo.dat", "\xFF\xD8"},         {"photo.jpg", "a text file"},
        {"a.", "II"},                  {".a", "MM"},                      {"empty.jpg", ""},
        {"one.jpg", "\xFF"},           {"IMG_10.jpg", "\xFF\xD8"},        {"IMG_9.jpg", "\xFF\xD8"},
        {"index.ssi", "SlideShow 1.0"},
    };
    for (const auto& [name, bytes] : files) folder.write(name, bytes);
    std::filesystem::create_directory(folder.native_file("x.jpg"));
    folder.write("x.jpg/inside.jpg", "\xFF\xD8");
    std::filesystem::create_symlink(elsewhere.native_file("target.jpg"), folder.native_file("c.lnk"));
    std::filesystem::create_symlink(elsewhere.native_file("gone.jpg"), folder.native_file("gone.jpg"));
    std::filesystem::create_symlink(folder.native_file("loop.jpg"), folder.native_file("loop.jpg"));
    std::filesystem::create_symlink(folder.native_file("x.jpg"), folder.native_file("folder.jpg"));
    std::filesystem::create_symlink("/dev/zero", folder.native_file("device.jpg"));
    ASSERT_EQ(::mkfifo(folder.native_file("pipe.jpg").c_str(), 0644), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socket_path = folder.native_file("socket.jpg");
    ASSERT_LT(socket_path.size(), sizeof(address.sun_path));
    socket_path.copy(address.sun_path, socket_path.size());
    ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);

    std::vector<std::u16string> names;
    ASSERT_FALSE(folder_image_names(folder.path(), names));
    // An empty or one-byte file counts: its load reports it.
    EXPECT_EQ(names, (std::vector<std::u16string>{u".a", u"a.", u"a.jpg", u"b.tif", u"c.lnk", u"c.TIFF", u"empty.jpg",
                                                  u"IMG_9.jpg", u"IMG_10.jpg", u"one.jpg", u"photo.dat"}));
    std::int32_t count = 0;
    ASSERT_FALSE(count_image_files(folder.path() + u"/", count));
    EXPECT_EQ(count, static_cast<std::int32_t>(names.size()));
    ::close(sock);
}

TEST(FolderScan, IndexFilesInAnyLetterCaseAndTheEndOfTheScan) {
    TempFolder folder;
    folder.write("b.SSI", "");
    folder.write("a10.ssi", "");
    folder.write("a9.Ssi", "");
    folder.write("index.ssi.bak", "");
    folder.write("ssi", "");
    std::filesystem::create_directory(folder.native_file("old.ssi"));
    std::int32_t count = -1;
    std::u16string first = u"left over";
    ASSERT_FALSE(find_index_files(folder.path(), count, first));
    EXPECT_EQ(count, 3);
    EXPECT_EQ(first, u"a9.Ssi");

    // An empty folder is no failure; a folder that cannot be read is one.
    TempFolder empty;
    ASSERT_FALSE(find_index_files(empty.path(), count, first));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(first, u"");
    std::vector<std::u16string> names = {u"left over"};
    EXPECT_FALSE(folder_image_names(empty.path(), names));
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(folder_image_names(empty.file(u"missing"), names));
    EXPECT_TRUE(find_index_files(folder.file(u"b.SSI"), count, first));
    if (::geteuid() != 0) {
        ::chmod(folder.native().c_str(), 0300);
        EXPECT_TRUE(count_image_files(folder.path(), count));
        ::chmod(folder.native().c_str(), 0755);
    }
}

}  // namespace
}  // namespace lumivane

#include "platform/files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::TempFolder;

TEST(Files, ReadReportsDataEndOfFileAndFailure) {
    TempFolder folder;
    const std::u16string path = folder.write("data.bin", "0123456789");
    FileHandle file;
    ASSERT_FALSE(file_open_read(path, file));

    std::uint32_t size = 0;
    ASSERT_FALSE(file_size(file, size));
    EXPECT_EQ(size, 10u);

    char buffer[16] = {};
    std::uint32_t length = 0;
    EXPECT_EQ(file_read(file, length, buffer), ReadResult::Read);  // zero bytes asked, none read
    EXPECT_EQ(length, 0u);

    length = 4;
    EXPECT_EQ(file_read(file, length, buffer), ReadResult::Read);
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");

    std::uint32_t position = 0;
    ASSERT_FALSE(file_tell(file, position));
    EXPECT_EQ(position, 4u);

    length = 16;  // more than is left: the rest is delivered
    EXPECT_EQ(file_read(file, length, buffer), ReadResult::Read);
    EXPECT_EQ(length, 6u);
    EXPECT_EQ(std::string(buffer, 6), "456789");

    length = 16;
    EXPECT_EQ(file_read(file, length, buffer), ReadResult::EndOfFile);
    EXPECT_EQ(length, 0u);

    ASSERT_FALSE(file_seek(file, 8));
    length = 16;
    EXPECT_EQ(file_read(file, length, buffer), ReadResult::Read);
    EXPECT_EQ(std::string(buffer, length), "89");
    EXPECT_FALSE(file_close(file));
    EXPECT_FALSE(file.is_open());
    EXPECT_TRUE(file_close(file));  // closing twice is refused

    FileHandle writer;
    ASSERT_FALSE(file_create_write(folder.file(u"w.bin"), writer));
    length = 4;
    EXPECT_EQ(file_read(writer, length, buffer), ReadResult::Failed);
}

TEST(Files, CreateWriteReplacesAndWrites) {
    TempFolder folder;
    const std::u16string path = folder.write("out.bin", "old content that is longer");
    FileHandle file;
    ASSERT_FALSE(file_create_write(path, file));
    EXPECT_FALSE(file_write(file, 0, nullptr));
    EXPECT_FALSE(file_write(file, 3, "new"));
    EXPECT_FALSE(file_close(file));
    EXPECT_EQ(testing::read_bytes(folder.native_file("out.bin")), "new");

    FileHandle full;
    ASSERT_FALSE(file_create_write(u"/dev/full", full));
    EXPECT_TRUE(file_write(full, 3, "abc"));

    FileHandle nowhere;
    EXPECT_TRUE(file_create_write(folder.file(u"missing/out.bin"), nowhere));
}

TEST(Files, ExistenceAndDeletion) {
    TempFolder folder;
    const std::u16string path = folder.write("a: b.jpg", "x");  // a colon is part of a name here
    EXPECT_TRUE(file_exists(path));
    EXPECT_FALSE(folder_exists(path));
    EXPECT_TRUE(folder_exists(folder.path()));
    EXPECT_FALSE(file_exists(folder.path()));  // a folder is not a file

    FileHandle handle;
    EXPECT_TRUE(file_open_read(folder.path(), handle));
    EXPECT_TRUE(file_open_read(folder.file(u"missing.jpg"), handle));

    EXPECT_FALSE(file_delete(path));
    EXPECT_FALSE(file_exists(path));
    EXPECT_FALSE(file_delete(path));  // a missing file is no failure

    // A file that can be opened but not removed (its folder is read-only) fails.
    if (::geteuid() != 0) {
        const std::u16string locked = folder.write("locked.jpg", "x");
        ::chmod(folder.native().c_str(), 0555);
        EXPECT_TRUE(file_delete(locked));
        ::chmod(folder.native().c_str(), 0755);
    }
}

TEST(Files, NonAsciiNamesReachTheFileSystemAsUtf8) {
    TempFolder folder;
    FileHandle file;
    ASSERT_FALSE(file_create_write(folder.file(u"Caf\u00e9 \u2034.jpg"), file));
    static_cast<void>(file_close(file));
    EXPECT_EQ(testing::read_bytes(folder.native_file("Caf\xC3\xA9 \xE2\x80\xB4.jpg")), "");
    EXPECT_TRUE(file_exists(folder.file(u"Caf\u00e9 \u2034.jpg")));
}

}  // namespace
}  // namespace lumivane

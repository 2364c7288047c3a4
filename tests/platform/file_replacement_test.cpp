#include "platform/file_replacement.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/ordinary_user.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::as_ordinary_user;
using testing::TempFolder;

bool replace(const std::string& path, std::string_view text) {
    FileReplacement replacement;
    if (file_replace_start(testing::u16(path), replacement)) return true;
    return file_replace_finish(replacement, file_write(replacement.file, static_cast<std::uint32_t>(text.size()), text.data()));
}

struct stat status_of(const std::string& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info;
}

std::size_t files_in(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(FileReplacement, KeepsPermissionBitsAndOwner) {
    const bool root = ::geteuid() == 0;  // may write read-only files, and give files away
    TempFolder folder;
    const std::string path = folder.native_file("index.ssi");
    for (mode_t mode : {0600, 0664, 0444}) {
        folder.write("index.ssi", "old");
        ::chmod(path.c_str(), mode);
        if (root) {
            ASSERT_EQ(::chown(path.c_str(), 4242, 4343), 0);
        }
        const struct stat old = status_of(path);
        const bool writable = root || (mode & 0200) != 0;
        EXPECT_EQ(replace(path, "new"), !writable) << std::oct << mode;
        EXPECT_EQ(testing::read_bytes(path), writable ? "new" : "old") << std::oct << mode;
        const struct stat now = status_of(path);
        EXPECT_EQ(now.st_mode, old.st_mode) << std::oct << mode;
        EXPECT_EQ(std::pair(now.st_uid, now.st_gid), std::pair(old.st_uid, old.st_gid)) << std::oct << mode;
    }
    EXPECT_TRUE(as_ordinary_user(folder, [&] {
        folder.write("mine.ssi", "old");
        ::chmod(folder.native_file("mine.ssi").c_str(), 0444);
        return replace(folder.native_file("mine.ssi"), "new") && testing::read_bytes(folder.native_file("mine.ssi")) == "old";
    }));
    EXPECT_EQ(files_in(folder.native()), 2u);
}

TEST(FileReplacement, LinksStayLinksAndTheirTargetsAreReplaced) {
    TempFolder folder;
    std::filesystem::create_directory(folder.native_file("real"));
    folder.write("real/target.ssi", "old");
    ::symlink("real/target.ssi", folder.native_file("index.ssi").c_str());
    ::symlink("index.ssi", folder.native_file("chain.ssi").c_str());
    ::symlink((folder.native() + "/real/new.ssi").c_str(), folder.native_file("dangling.ssi").c_str());
    for (const char* link : {"chain.ssi", "dangling.ssi"}) {
        EXPECT_FALSE(replace(folder.native_file(link), link)) << link;
        EXPECT_TRUE(S_ISLNK(status_of(folder.native_file(link)).st_mode)) << link;
        EXPECT_EQ(testing::read_bytes(folder.native_file(link)), link) << link;
    }
    EXPECT_EQ(testing::read_bytes(folder.native_file("real/target.ssi")), "chain.ssi");
    EXPECT_EQ(files_in(folder.native_file("real")), 2u);
    EXPECT_EQ(files_in(folder.native()), 4u);
}

// A folder that lets no file be created in it: its index, writable or not, is never
// written over in place, where a full disk or a kill would leave it broken; the save
// fails and the index stays as it was. Root may create files anywhere, so for root the
// file is replaced by a new one as usual.
TEST(FileReplacement, AClosedFolderKeepsItsOldFile) {
    TempFolder folder;
    const std::string path = folder.native_file("index.ssi");
    const auto save_into_closed_folder = [&](bool replaced) {
        folder.write("index.ssi", "old");
        const ino_t inode = status_of(path).st_ino;
        ::chmod(folder.native().c_str(), 0555);
        const bool failed = replace(path, "new");
        ::chmod(folder.native().c_str(), 0755);
        return failed != replaced && testing::read_bytes(path) == (replaced ? "new" : "old") &&
               (status_of(path).st_ino == inode) != replaced && files_in(folder.native()) == 1;
    };
    EXPECT_TRUE(as_ordinary_user(folder, [&] { return save_into_closed_folder(false); }));
    if (::geteuid() == 0) {
        EXPECT_TRUE(save_into_closed_folder(true));
    }
}

// A save or an export killed while writing leaves its temporary file. The next
// replacement of the same file removes it, even one that fails; cleaning the folder
// removes every other one whose name was not cut to fit. A replacement still being
// written stays, and so does a hidden file of the user's of a similar name. Names at
// the file system's 255-byte limit, one cut inside a two-byte character, save as well.
TEST(FileReplacement, TemporaryFilesOfKilledSavesAreRemoved) {
    TempFolder folder;
    const std::string names[] = {"other.ssi", "index.ssi", std::string(251, 'n') + ".ssi",
                                 std::string(237, 'n') + "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9.ssi", "video.mp4"};
    const pid_t child = ::fork();
    if (child == 0) {
        std::vector<FileReplacement> killed(std::size(names));
        for (std::size_t i = 0; i < killed.size(); ++i) static_cast<void>(file_replace_start(testing::u16(folder.native_file(names[i])), killed[i]));
        ::_exit(0);
    }
    int status = 1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(files_in(folder.native()), std::size(names));
    folder.write(".notes~12345678.abcdef", "the user's");
    FileReplacement running;
    ASSERT_FALSE(file_replace_start(testing::u16(folder.native_file("video.mp4")), running));
    EXPECT_EQ(files_in(folder.native()), std::size(names) + 1);  // the killed export's went

    EXPECT_FALSE(replace(folder.native_file(names[2]), "saved"));
    EXPECT_FALSE(replace(folder.native_file(names[3]), "saved"));
    folder.write("index.ssi", "kept");
    ::chmod(folder.native_file("index.ssi").c_str(), 0444);
    EXPECT_TRUE(as_ordinary_user(folder, [&] { return replace(folder.native_file("index.ssi"), "saved"); }));
    EXPECT_EQ(files_in(folder.native()), 6u);  // the three files, other.ssi's and the export's, the user's
    remove_replacement_leftovers(folder.path());
    EXPECT_EQ(files_in(folder.native()), 5u);
    EXPECT_TRUE(std::filesystem::exists(running.temporary));
    EXPECT_FALSE(file_replace_finish(running, false));
    EXPECT_EQ(testing::read_bytes(folder.native_file(".notes~12345678.abcdef")), "the user's");
}

}  // namespace
}  // namespace lumivane

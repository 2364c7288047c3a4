#include "platform/file_replacement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/text_encoding.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::TempFolder;
using testing::u16;

bool replace(const std::string& path, std::string_view text) {
    FileReplacement replacement;
    if (file_replace_start(u16(path), replacement)) return true;
    return file_replace_finish(replacement,
                               file_write(replacement.file, static_cast<std::uint32_t>(text.size()), text.data()));
}

struct stat status_of(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

std::vector<std::string> names_in(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

bool running_as_root() {
    const bool root = ::geteuid() == 0;
    if (root) std::cout << "[   NOTE   ] runs as root, who may write any file and create files in any folder\n";
    return root;
}

// Runs check as an ordinary user: here when the tests are not run by root, else in a
// child process that hands folder to the user nobody and becomes that user.
bool as_ordinary_user(const TempFolder& folder, const std::function<bool()>& check) {
    if (::geteuid() != 0) return check();
    const pid_t child = ::fork();
    if (child == 0) {
        const uid_t nobody = 65534;
        const bool dropped = ::chown(folder.native().c_str(), nobody, nobody) == 0 && ::setgroups(0, nullptr) == 0 &&
                             ::setgid(nobody) == 0 && ::setuid(nobody) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(FileReplacement, KeepsPermissionBitsAndOwner) {
    const bool root = running_as_root();
    TempFolder folder;
    const std::string path = folder.native_file("index.ssi");
    for (mode_t mode : {0600, 0640, 0664, 0444}) {
        folder.write("index.ssi", "old");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        if (root) ASSERT_EQ(::chown(path.c_str(), 4242, 4343), 0);
        const uid_t owner = status_of(path).st_uid;
        // Root may write a read-only file, as it may create one over it.
        const bool writable = root || (mode & 0200) != 0;
        EXPECT_EQ(replace(path, "new"), !writable) << std::oct << mode;
        EXPECT_EQ(testing::read_bytes(path), writable ? "new" : "old") << std::oct << mode;
        EXPECT_EQ(status_of(path).st_mode & 07777, mode) << std::oct << mode;
        EXPECT_EQ(status_of(path).st_uid, owner) << std::oct << mode;
        if (root) EXPECT_EQ(status_of(path).st_gid, 4343u) << std::oct << mode;
    }
    // An ordinary user may not replace a read-only file even in a folder of their own.
    EXPECT_TRUE(as_ordinary_user(folder, [&] {
        folder.write("mine.ssi", "old");
        ::chmod(folder.native_file("mine.ssi").c_str(), 0444);
        return replace(folder.native_file("mine.ssi"), "new") && testing::read_bytes(folder.native_file("mine.ssi")) == "old";
    }));
    EXPECT_EQ(names_in(folder.native()), (std::vector<std::string>{"index.ssi", "mine.ssi"}));
}

TEST(FileReplacement, LinksStayLinksAndTheirTargetsAreReplaced) {
    TempFolder folder;
    std::filesystem::create_directory(folder.native_file("real"));
    folder.write("real/target.ssi", "old");
    ASSERT_EQ(::symlink("real/target.ssi", folder.native_file("index.ssi").c_str()), 0);
    ASSERT_EQ(::symlink("index.ssi", folder.native_file("chain.ssi").c_str()), 0);
    ASSERT_EQ(::symlink((folder.native() + "/real/new.ssi").c_str(), folder.native_file("dangling.ssi").c_str()), 0);
    for (const char* link : {"index.ssi", "chain.ssi", "dangling.ssi"}) {
        const std::string path = folder.native_file(link);
        const auto target = std::filesystem::read_symlink(path);
        EXPECT_FALSE(replace(path, link)) << link;
        EXPECT_TRUE(S_ISLNK(status_of(path).st_mode)) << link;
        EXPECT_EQ(std::filesystem::read_symlink(path), target) << link;
        EXPECT_EQ(testing::read_bytes(path), link) << link;
    }
    EXPECT_EQ(names_in(folder.native_file("real")), (std::vector<std::string>{"new.ssi", "target.ssi"}));
    EXPECT_EQ(names_in(folder.native()), (std::vector<std::string>{"chain.ssi", "dangling.ssi", "index.ssi", "real"}));
}

// A folder that lets no file be created in it: its writable index is written in place.
TEST(FileReplacement, AClosedFolderIsWrittenInPlace) {
    const bool root = running_as_root();
    TempFolder folder;
    const std::string path = folder.native_file("index.ssi");
    const auto closed_folder_save = [&] {
        folder.write("index.ssi", "old");
        const ino_t inode = status_of(path).st_ino;
        ::chmod(folder.native().c_str(), 0555);
        const bool failed = replace(path, "new");
        ::chmod(folder.native().c_str(), 0755);
        return !failed && testing::read_bytes(path) == "new" && status_of(path).st_ino == inode &&
               names_in(folder.native()) == std::vector<std::string>{"index.ssi"};
    };
    EXPECT_TRUE(as_ordinary_user(folder, closed_folder_save));
    if (root) {
        // Root creates files in any folder, so the old file is replaced as usual.
        folder.write("index.ssi", "old");
        const ino_t inode = status_of(path).st_ino;
        ::chmod(folder.native().c_str(), 0555);
        EXPECT_FALSE(replace(path, "new"));
        ::chmod(folder.native().c_str(), 0755);
        EXPECT_NE(status_of(path).st_ino, inode);
        EXPECT_EQ(testing::read_bytes(path), "new");
    }
}

// A save killed while writing leaves its temporary file; the next save of the same file
// removes it, and nothing of another file. Names near the file system's 255-byte limit
// save as well.
TEST(FileReplacement, TemporaryFilesOfKilledSavesAreRemovedByTheNext) {
    TempFolder folder;
    const std::string names[] = {"index.ssi", std::string(251, 'n') + ".ssi", std::string(237, 'n') + "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9.ssi"};
    folder.write("other.ssi", "other");
    {
        FileReplacement killed;
        ASSERT_FALSE(file_replace_start(u16(folder.native_file("other.ssi")), killed));
    }
    for (const std::string& name : names) {
        for (int i = 0; i < 2; ++i) {
            FileReplacement killed;
            ASSERT_FALSE(file_replace_start(u16(folder.native_file(name)), killed)) << name.size();
            ASSERT_FALSE(file_write(killed.file, 4, "half"));
        }
    }
    EXPECT_EQ(names_in(folder.native()).size(), 8u);
    for (const std::string& name : names) {
        EXPECT_FALSE(replace(folder.native_file(name), "saved")) << name.size();
        EXPECT_EQ(testing::read_bytes(folder.native_file(name)), "saved");
    }
    // Left: the three saved files, other.ssi and the temporary file of its killed save.
    EXPECT_EQ(names_in(folder.native()).size(), 5u);
}

}  // namespace
}  // namespace lumivane

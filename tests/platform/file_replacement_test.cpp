#include "platform/file_replacement.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iostream>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_folder.h"

namespace lumivane {
namespace {

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

// Runs check as an ordinary user: here, or, when the tests run as root, in a child
// process that hands the folder to the user nobody and becomes that user.
bool as_ordinary_user(const TempFolder& folder, const std::function<bool()>& check) {
    if (::geteuid() != 0) return check();
    std::cout << "[   NOTE   ] runs as root: the ordinary user's case runs as nobody\n";
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::chown(folder.native().c_str(), 65534, 65534) == 0 && ::setgroups(0, nullptr) == 0 &&
                             ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
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

// A folder that lets no file be created in it: its writable index is written in place,
// the same file (inode) with the new content. Root may create files anywhere, so for
// root the file is replaced by a new one as usual.
TEST(FileReplacement, AClosedFolderIsWrittenInPlace) {
    TempFolder folder;
    const std::string path = folder.native_file("index.ssi");
    const auto save_into_closed_folder = [&](bool same_file) {
        folder.write("index.ssi", "old");
        const ino_t inode = status_of(path).st_ino;
        ::chmod(folder.native().c_str(), 0555);
        const bool failed = replace(path, "new");
        ::chmod(folder.native().c_str(), 0755);
        return !failed && testing::read_bytes(path) == "new" && (status_of(path).st_ino == inode) == same_file &&
               files_in(folder.native()) == 1;
    };
    EXPECT_TRUE(as_ordinary_user(folder, [&] { return save_into_closed_folder(true); }));
    if (::geteuid() == 0) {
        EXPECT_TRUE(save_into_closed_folder(false));
    }
}

// A save killed while writing leaves its temporary file; the next save of the same file
// removes it, and nothing of another file. Names at the file system's 255-byte limit,
// one cut inside a two-byte character, save as well.
TEST(FileReplacement, TemporaryFilesOfKilledSavesAreRemovedByTheNext) {
    TempFolder folder;
    const std::string names[] = {"other.ssi", "index.ssi", std::string(251, 'n') + ".ssi",
                                 std::string(237, 'n') + "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9.ssi"};
    for (const std::string& name : names) {
        for (int killed_saves = 0; killed_saves < 2; ++killed_saves) {
            FileReplacement killed;
            ASSERT_FALSE(file_replace_start(testing::u16(folder.native_file(name)), killed)) << name.size();
        }
    }
    ASSERT_EQ(files_in(folder.native()), 8u);
    for (std::size_t i = 1; i < 4; ++i) EXPECT_FALSE(replace(folder.native_file(names[i]), "saved")) << names[i].size();
    EXPECT_EQ(files_in(folder.native()), 5u);  // the three saved and other.ssi's two
}

}  // namespace
}  // namespace lumivane

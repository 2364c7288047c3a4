#include "platform/trash.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

#include "support/ordinary_user.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::TempFolder;
namespace fs = std::filesystem;

constexpr char photo[] = "my photo \u00e9.jpg";
constexpr char photo_bytes[] = "\xFF\xD8 the photograph";

void write_file(const std::string& path, std::string_view bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::size_t entries_in(const std::string& folder) {
    std::error_code ignored;
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder, ignored), {}));
}

// Each trash as it may be found, and where the photograph must land: under its own name,
// under the next free one, or nowhere, the photograph staying where it was. The cases run
// as an ordinary user, for whom permissions hold.
TEST(Trash, APhotographGoesToAFreeNameOrStaysWhereItIs) {
    using Setup = std::function<void(const std::string& trash)>;
    const auto file_at = [](const std::string& name) -> Setup {
        return [name](const std::string& trash) { write_file(trash + name, "other"); };
    };
    const struct {
        const char* name;
        Setup setup;
        const char* landed;  // the name in files/, or nullptr when the file must stay
    } cases[] = {
        {"a missing trash is made", [](const std::string&) {}, photo},
        {"a name taken", file_at(std::string("/info/") + photo + ".trashinfo"), "my photo \u00e9.2.jpg"},
        {"a name in files without its info", file_at("/files/my photo \u00e9.jpg"), "my photo \u00e9.2.jpg"},
        {"a file where the trash should be", file_at(""), nullptr},
        {"a file where files/ should be", file_at("/files"), nullptr},
        {"a link where the trash should be",
         [](const std::string& trash) { fs::create_directories(trash + ".real"), fs::create_directory_symlink(trash + ".real", trash); },
         nullptr},
        {"an info folder closed to new files",
         [](const std::string& trash) { fs::create_directories(trash + "/info"), ::chmod((trash + "/info").c_str(), 0500); },
         nullptr},
        {"every name taken",
         [](const std::string& trash) {
             for (int i = 1; i <= trash_name_tries; ++i) {
                 const std::string number = i == 1 ? "" : "." + std::to_string(i);
                 write_file(trash + "/files/my photo \u00e9" + number + ".jpg", "other");
             }
         },
         nullptr},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const bool as_expected = testing::as_ordinary_user(folder, [&] {
            const std::string trash = folder.native_file("Trash");
            const std::string path = folder.native_file(photo);
            write_file(path, photo_bytes);
            c.setup(trash);
            const std::size_t files_before = entries_in(trash + "/files");
            std::string trashed;
            const bool failed = trash_file_into(path, trash, "/the show/" + std::string(photo), trashed);
            if (!c.landed) {
                // Nothing moved, nothing new in the trash.
                return failed && testing::read_bytes(path) == photo_bytes && entries_in(trash + "/files") == files_before;
            }
            const std::string info = testing::read_bytes(trash + "/info/" + c.landed + ".trashinfo");
            return !failed && !fs::exists(path) && trashed == trash + "/files/" + c.landed &&
                   testing::read_bytes(trashed) == photo_bytes &&
                   info.starts_with("[Trash Info]\nPath=/the%20show/my%20photo%20%C3%A9.jpg\nDeletionDate=");
        });
        EXPECT_TRUE(as_expected) << c.name;
    }
}

// The trash of another volume is its top folder's shared .Trash, when an administrator
// made it as such (a real folder with the sticky bit), else the user's own .Trash-UID.
TEST(Trash, AVolumesTrashIsItsSharedTrashOrTheUsersOwn) {
    const struct {
        const char* name;
        std::function<void(const std::string& shared)> setup;
        bool shared_first;
    } cases[] = {
        {"none", [](const std::string&) {}, false},
        {"a sticky folder", [](const std::string& shared) { fs::create_directory(shared), ::chmod(shared.c_str(), 01777); }, true},
        {"a folder without the sticky bit", [](const std::string& shared) { fs::create_directory(shared); }, false},
        {"a link to a sticky folder",
         [](const std::string& shared) {
             fs::create_directory(shared + "-real");
             ::chmod((shared + "-real").c_str(), 01777);
             fs::create_directory_symlink(shared + "-real", shared);
         },
         false},
        {"a file", [](const std::string& shared) { write_file(shared, ""); }, false},
    };
    for (const auto& c : cases) {
        TempFolder top;
        c.setup(top.native_file(".Trash"));
        std::vector<std::string> expected = {top.native_file(".Trash-1234")};
        if (c.shared_first) expected.insert(expected.begin(), top.native_file(".Trash/1234"));
        EXPECT_EQ(volume_trash_folders(top.native(), 1234), expected) << c.name;
    }
}

// A file on another volume than the home trash goes to that volume's trash, and its
// info file names it from the volume's top.
TEST(Trash, AFileOnAnotherVolumeGoesToThatVolumesTrash) {
    const std::string other_volume = "/dev/shm";
    struct stat volume {};
    struct stat temporary {};
    const std::string base = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    if (::stat(other_volume.c_str(), &volume) != 0 || ::stat(base.c_str(), &temporary) != 0 ||
        volume.st_dev == temporary.st_dev || ::access(other_volume.c_str(), W_OK) != 0) {
        GTEST_SKIP() << "no second writable volume";
    }
    ::setenv("TMPDIR", other_volume.c_str(), 1);
    TempFolder show;
    write_file(show.native_file(photo), photo_bytes);
    ::setenv("TMPDIR", base.c_str(), 1);
    TempFolder data;
    const char* previous = std::getenv("XDG_DATA_HOME");
    const std::string kept = previous ? previous : "";
    ::setenv("XDG_DATA_HOME", data.native().c_str(), 1);
    const std::string trash = volume_trash_folders(other_volume, ::geteuid()).front();
    const bool trash_was_there = fs::exists(trash);
    std::u16string trashed;
    const bool failed = trash_file(show.file(testing::u16(photo)), trashed);
    previous ? ::setenv("XDG_DATA_HOME", kept.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");

    ASSERT_FALSE(failed);
    const std::string landed = testing::u8(trashed);
    const std::string info = trash + "/info/" + landed.substr(landed.rfind('/') + 1) + ".trashinfo";
    EXPECT_EQ(landed.rfind(trash + "/files/", 0), 0u) << landed;
    EXPECT_EQ(testing::read_bytes(landed), photo_bytes);
    EXPECT_NE(testing::read_bytes(info).find("\nPath=" + show.native().substr(other_volume.size() + 1) + "/my%20photo%20%C3%A9.jpg\n"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(show.native_file(photo)));
    EXPECT_FALSE(fs::exists(data.native_file("Trash")));
    fs::remove(landed);
    fs::remove(info);
    if (!trash_was_there) fs::remove_all(trash);
}

}  // namespace
}  // namespace lumivane

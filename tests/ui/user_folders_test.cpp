// The user's files in the desktop's places, moved there once from where earlier versions
// kept them, in a home folder of the test's own.
#include "platform/qt/user_folders.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/file_move.h"
#include "support/person.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

namespace fs = std::filesystem;
using testing::read_bytes;
using testing::u16;

void put(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(UserFolders, EarlierFilesMoveOnceAndNothingIsEverLost) {
    struct Case {
        const char* name;
        bool old_files, new_files, blocked, portable;
        bool unmoved;              // the session state file is named as not moved
        const char* session_text;  // in the session folder the program then uses
        bool old_left;             // the earlier session state file is still there
    };
    const Case cases[] = {
        {"fresh", false, false, false, false, false, "", false},
        {"old only", true, false, false, false, false, "old", false},
        {"both present", true, true, false, false, false, "new", true},
        {"unwritable target", true, false, true, false, true, "old", true},
        {"portable", true, false, false, true, false, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const testing::TempFolder home, program;
        const testing::PrivateHome user(home.native());
        const std::string h = home.native();
        const std::string old_session = h + "/data/Lumivane/Session State/Slide Show.state";
        const std::string old_picture = h + "/Documents/Lumivane/Bitmaps/Run.bmp";
        if (c.old_files) {
            put(old_session, "old");
            put(old_picture, "BM old");
        }
        if (c.new_files) {
            put(h + "/state/Lumivane/Session State/Slide Show.state", "new");
            put(h + "/config/Lumivane/Bitmaps/Run.bmp", "BM new");
        }
        if (c.blocked) put(h + "/state/Lumivane", "a file where the folder would go");
        if (c.portable) fs::create_directory(program.native_file("Settings"));

        const std::vector<std::u16string> unmoved = move_earlier_user_files(program.path());
        EXPECT_EQ(unmoved, c.unmoved ? std::vector<std::u16string>{u16(old_session)} : std::vector<std::u16string>{});
        const UserFolders folders = find_user_folders(program.path());
        const std::string session = testing::u8(folders.session);
        EXPECT_EQ(read_bytes(session + "/Session State/Slide Show.state"), c.session_text);
        EXPECT_EQ(fs::exists(old_session), c.old_left);
        if (c.portable) {
            EXPECT_EQ(folders.settings, program.file(u"Settings"));
            EXPECT_EQ(folders.session, program.file(u"Settings"));
            continue;
        }
        EXPECT_EQ(folders.settings, u16(h + "/config/Lumivane"));
        EXPECT_EQ(session, h + (c.blocked ? "/data/Lumivane" : "/state/Lumivane"));
        // The button pictures: moved, or the new ones kept beside the old.
        EXPECT_EQ(read_bytes(h + "/config/Lumivane/Bitmaps/Run.bmp"),
                  c.new_files ? "BM new" : c.old_files ? "BM old" : "");
        EXPECT_EQ(fs::exists(old_picture), c.new_files);
        // A second start finds nothing more to do and changes nothing.
        EXPECT_EQ(move_earlier_user_files(program.path()), unmoved);
        EXPECT_EQ(read_bytes(session + "/Session State/Slide Show.state"), c.session_text);
    }
}

// A folder moved to another file system arrives whole before the old one goes.
TEST(UserFolders, AMoveAcrossFileSystemsCopiesFirst) {
    const testing::TempFolder home;
    const std::string to = "/dev/shm/lumivane-move-" + std::to_string(::getpid());
    struct stat here {}, there {};
    if (::stat(home.native().c_str(), &here) != 0 || ::stat("/dev/shm", &there) != 0 || here.st_dev == there.st_dev) {
        GTEST_SKIP() << "no second file system";
    }
    put(home.native_file("Bitmaps/Run.bmp"), "BM run");
    put(home.native_file("Bitmaps/more/Help.bmp"), "BM help");
    EXPECT_EQ(move_to_new_place(home.file(u"Bitmaps"), u16(to + "/Bitmaps")), MoveOutcome::Moved);
    EXPECT_EQ(read_bytes(to + "/Bitmaps/Run.bmp"), "BM run");
    EXPECT_EQ(read_bytes(to + "/Bitmaps/more/Help.bmp"), "BM help");
    EXPECT_FALSE(fs::exists(home.native_file("Bitmaps")));
    EXPECT_FALSE(fs::exists(to + "/Bitmaps.partial"));
    fs::remove_all(to);
}

}  // namespace
}  // namespace lumivane

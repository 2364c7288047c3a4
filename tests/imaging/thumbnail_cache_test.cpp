#include "imaging/thumbnail_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <sys/stat.h>
#include <utime.h>

#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::TempFolder;

ImageBuffer ramp(std::int32_t width, std::int32_t height) {
    ImageBuffer picture;
    EXPECT_FALSE(image_allocate(picture, PixelFormat::Colour8, width, height, 72.0));
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < 3 * width; ++x) picture.rows[static_cast<std::size_t>(y)][x] = static_cast<std::uint8_t>(x + y);
    }
    return picture;
}

void set_mtime(const std::string& path, long seconds) {
    const utimbuf times{seconds, seconds};
    ASSERT_EQ(::utime(path.c_str(), &times), 0);
}

// A thumbnail kept is found again while its file stays as it was; a file changed in time
// or size, a thumbnail kept for another size, and one never kept are misses. A file
// marked as no picture is found as such, and has no thumbnail.
TEST(ThumbnailCache, FindsThumbnailsOfUnchangedFilesOnly) {
    const struct {
        const char* what;
        std::function<void(const std::string& file)> change;
        std::int32_t read_side;
        bool written;
        bool hit;
        bool failure = false;
    } cases[] = {
        {"unchanged", [](const std::string&) {}, 200, true, true},
        {"never kept", [](const std::string&) {}, 200, false, false},
        {"touched", [](const std::string& f) { set_mtime(f, 1700000100); }, 200, true, false},
        {"other size, same time",
         [](const std::string& f) {
             std::ofstream(f, std::ios::app) << "more";
             set_mtime(f, 1700000000);
         },
         200, true, false},
        {"another size of the cache", [](const std::string&) {}, 400, true, false},
        {"no picture in it", [](const std::string&) {}, 200, true, true, true},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string file = folder.native_file("photo name.jpg");
        std::ofstream(file) << "the file's bytes";
        set_mtime(file, 1700000000);
        const std::u16string cache = folder.file(u"thumbnails");
        const std::u16string path = folder.file(u"photo name.jpg");
        if (c.written && c.failure) thumbnail_cache_write_failure(cache, path);
        if (c.written && !c.failure) thumbnail_cache_write(cache, path, 200, ramp(600, 300), true);
        c.change(file);
        ImageBuffer thumbnail;
        bool incomplete = false;
        EXPECT_EQ(!thumbnail_cache_read(cache, path, c.read_side, thumbnail, incomplete), c.hit && !c.failure) << c.what;
        EXPECT_EQ(thumbnail_cache_failed(cache, path), c.hit && c.failure) << c.what;
        if (!c.hit) continue;
        // Made to fit the "large" size, 256 pixels, upright and in the same colours.
        EXPECT_EQ(thumbnail.width, c.failure ? 0 : 256);
        EXPECT_EQ(thumbnail.height, c.failure ? 0 : 128);
        EXPECT_EQ(incomplete, !c.failure);
        if (!c.failure) {
            EXPECT_NEAR(thumbnail.rows[64][3 * 128], ramp(600, 300).rows[150][3 * 300], 8);
        }
        // Private to the user, under the cache's own name for the file.
        const std::string root = folder.native_file("thumbnails");
        const std::string kept = root + (c.failure ? "/fail/lumivane" : "/large");
        struct stat status {};
        for (std::filesystem::path p = kept; p.string().size() >= root.size(); p = p.parent_path()) {
            ASSERT_EQ(::stat(p.c_str(), &status), 0);
            EXPECT_EQ(status.st_mode & 0777, 0700u) << p;
        }
        std::size_t files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(kept)) {
            ++files;
            EXPECT_EQ(entry.path().filename().string().size(), 32u + 4u);  // MD5 in hex, ".png"
            ASSERT_EQ(::stat(entry.path().c_str(), &status), 0);
            EXPECT_EQ(status.st_mode & 0777, 0600u);
        }
        EXPECT_EQ(files, 1u);
    }
}

}  // namespace
}  // namespace lumivane

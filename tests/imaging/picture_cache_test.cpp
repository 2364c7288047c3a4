#include "imaging/picture_cache.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/jpeg_files.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::TempFolder;

// Pictures of 64 x 640, each 122880 bytes decoded. Decoding one takes a tenth of that
// more for a moment, which a bound of whole pictures leaves room for.
constexpr std::uint64_t picture_bytes = 192 * 640;
constexpr std::uint64_t bound(std::uint64_t pictures) { return pictures * picture_bytes + picture_bytes / 2; }

struct Pictures {
    explicit Pictures(std::uint64_t limit) : cache(limit) {
        for (char name : std::string("abcd")) {
            const std::string file = std::string(1, name) + ".jpg";
            testing::write_jpeg(folder.native_file(file), 64, 640, false, [name](int x, int y, int c) {
                return static_cast<std::uint8_t>(x + y * c + name);
            });
            handles.push_back(cache.add({folder.file(testing::u16(file)), 64, 640, nullptr}));
        }
    }
    // The letters of the pictures the cache holds.
    std::string held() const {
        std::string letters;
        for (std::size_t i = 0; i < handles.size(); ++i) {
            if (handles[i]->held.image) letters += static_cast<char>('a' + i);
        }
        return letters;
    }
    const PictureHandle& operator[](char letter) const { return handles[static_cast<std::size_t>(letter - 'a')]; }

    TempFolder folder;
    PictureCache cache;
    std::vector<PictureHandle> handles;
};

// The cache holds what its bound allows, lets the picture least recently needed go first,
// and reads a picture it let go again when it is needed again; each picture needed
// before it was read counts as late.
TEST(PictureCache, KeepsWhatFitsAndLetsTheLeastRecentlyNeededGo) {
    const struct {
        std::uint64_t limit_pictures;
        std::string needed;
        std::string held;
        std::int64_t late;
    } cases[] = {
        {4, "abcda", "abcd", 4},   // all fit: the second a is held already
        {2, "abc", "bc", 3},       // a goes for c
        {2, "abac", "ac", 3},      // b was needed less recently than a
        {2, "abca", "ac", 4},      // a was let go, and is read again
        {1, "aaab", "b", 2},
    };
    for (const auto& c : cases) {
        Pictures p(bound(c.limit_pictures));
        for (char letter : c.needed) {
            const PictureView view = picture_get(p[letter], {});
            ASSERT_TRUE(view.image) << c.needed;
            EXPECT_EQ(view.image->width, 64);
        }
        EXPECT_EQ(p.held(), c.held) << c.needed;
        EXPECT_EQ(p.cache.late_count(), c.late) << c.needed;
        EXPECT_LE(p.cache.held_bytes(), c.limit_pictures * picture_bytes) << c.needed;
    }
}

// Pictures wanted are read ahead in the order given, as far as the bound allows without
// letting go of one wanted earlier; a picture read ahead is not late when it is needed.
TEST(PictureCache, ReadsAheadInOrderWithinItsBound) {
    Pictures p(bound(2));
    pictures_want({{p['c'], {}}, {p['a'], {}}, {p['d'], {}}});
    for (int i = 0; i < 500 && p.held() != "ac"; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(p.held(), "ac");
    EXPECT_TRUE(picture_get(p['c'], {}).image);
    EXPECT_TRUE(picture_get(p['a'], {}).image);
    EXPECT_EQ(p.cache.late_count(), 0);
    EXPECT_TRUE(picture_get(p['d'], {}).image);
    EXPECT_EQ(p.cache.late_count(), 1);
}

// A file gone since the show was opened gives no picture, and is known to have failed;
// smooth motion's reduced picture comes with its levels.
TEST(PictureCache, AFileGoneGivesNoPictureAndIsKnownToHaveFailed) {
    Pictures p(~std::uint64_t{0});
    std::filesystem::remove(p.folder.native_file("b.jpg"));
    EXPECT_FALSE(picture_failed(p['b']));
    EXPECT_FALSE(picture_get(p['b'], {}).image);
    EXPECT_TRUE(picture_failed(p['b']));
    EXPECT_FALSE(picture_get(p['b'], {}).image);
    EXPECT_FALSE(picture_failed(p['a']));

    const PictureView reduced = picture_get(p['a'], {2, true});
    ASSERT_TRUE(reduced.image && reduced.levels);
    EXPECT_EQ(reduced.image->width, 32);
    EXPECT_EQ(reduced.reduction, 2);
    // Exact motion needs the whole picture: read again at full size.
    EXPECT_EQ(picture_get(p['a'], {}).image->width, 64);
}

}  // namespace
}  // namespace lumivane

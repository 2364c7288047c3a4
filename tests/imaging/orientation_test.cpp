#include "imaging/orientation.h"

#include <gtest/gtest.h>

#include <cstring>

#include "imaging/image_copy.h"
#include "support/random_image.h"

namespace lumivane {
namespace {

using Operation = bool (*)(const ImageBuffer&, ImageBuffer&);

struct Orientation {
    const char* name;
    Operation operation;
    bool turns;  // width and height swap
    // Where the source pixel (x, y), counted from the top-left, lands.
    void (*lands)(int w, int h, int x, int y, int& dx, int& dy);
};

const Orientation orientations[] = {
    {"mirror_left_right", image_mirror_left_right, false,
     [](int w, int, int x, int y, int& dx, int& dy) { dx = w - 1 - x, dy = y; }},
    {"rotate_180", image_rotate_180, false,
     [](int w, int h, int x, int y, int& dx, int& dy) { dx = w - 1 - x, dy = h - 1 - y; }},
    {"mirror_top_bottom", image_mirror_top_bottom, false,
     [](int, int h, int x, int y, int& dx, int& dy) { dx = x, dy = h - 1 - y; }},
    {"transpose", image_transpose, true, [](int, int, int x, int y, int& dx, int& dy) { dx = y, dy = x; }},
    {"rotate_cw", image_rotate_cw, true,
     [](int, int h, int x, int y, int& dx, int& dy) { dx = h - 1 - y, dy = x; }},
    {"transverse", image_transverse, true,
     [](int w, int h, int x, int y, int& dx, int& dy) { dx = h - 1 - y, dy = w - 1 - x; }},
    {"rotate_ccw", image_rotate_ccw, true,
     [](int w, int, int x, int y, int& dx, int& dy) { dx = y, dy = w - 1 - x; }},
};

const PixelFormat kinds[] = {PixelFormat::Bilevel, PixelFormat::Grey8, PixelFormat::Colour8, PixelFormat::Grey16,
                             PixelFormat::Colour16};

// The bytes of pixel (x, y) from the top; bilevel pixels as 0 or 255.
std::vector<std::uint8_t> pixel(const ImageBuffer& image, int x, int y) {
    const std::uint8_t* row = image.rows[image.height - 1 - y];
    if (image.kind == PixelFormat::Bilevel) return {bit_get(row, x)};
    const int n = bytes_per_pixel(image.kind);
    return std::vector<std::uint8_t>(row + x * n, row + (x + 1) * n);
}

using testing::random_image;

void expect_oriented(const Orientation& o, const ImageBuffer& source, const ImageBuffer& result) {
    const int w = source.width, h = source.height;
    ASSERT_EQ(result.kind, source.kind);
    ASSERT_EQ(result.width, o.turns ? h : w);
    ASSERT_EQ(result.height, o.turns ? w : h);
    EXPECT_EQ(result.resolution, source.resolution);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int dx = 0, dy = 0;
            o.lands(w, h, x, y, dx, dy);
            ASSERT_EQ(pixel(result, dx, dy), pixel(source, x, y))
                << o.name << " kind " << static_cast<int>(source.kind) << " at " << x << "," << y;
        }
    }
    // Padding stays zero.
    const auto used = static_cast<std::size_t>(unpadded_row_bytes(result.kind, result.width));
    for (const std::uint8_t* row : result.rows) {
        for (std::size_t i = used; i < static_cast<std::size_t>(result.stride); ++i) ASSERT_EQ(row[i], 0) << o.name;
    }
}

TEST(Orientation, EveryOperationOnEveryKindOfThreeByTwo) {
    for (PixelFormat kind : kinds) {
        const ImageBuffer source = random_image(kind, 3, 2, 1);
        for (const Orientation& o : orientations) {
            ImageBuffer result;
            ASSERT_FALSE(o.operation(source, result)) << o.name;
            expect_oriented(o, source, result);
        }
    }
}

TEST(Orientation, LargePicturesSpanBlocksTilesAndWorkers) {
    // Sizes that leave partial tiles and bilevel rows that end inside a byte.
    for (PixelFormat kind : kinds) {
        const ImageBuffer source = random_image(kind, 203, 131, 7);
        for (const Orientation& o : orientations) {
            ImageBuffer result;
            ASSERT_FALSE(o.operation(source, result)) << o.name;
            expect_oriented(o, source, result);
        }
    }
    // Rows in several storage blocks.
    const ImageBuffer tall = random_image(PixelFormat::Colour8, 1500, 1000, 3);
    ASSERT_GT(tall.block_count, 1);
    for (const Orientation& o : orientations) {
        ImageBuffer result;
        ASSERT_FALSE(o.operation(tall, result)) << o.name;
        expect_oriented(o, tall, result);
    }
}

bool same_pixels(const ImageBuffer& a, const ImageBuffer& b) {
    if (a.kind != b.kind || a.width != b.width || a.height != b.height) return false;
    for (std::int32_t r = 0; r < a.height; ++r) {
        if (std::memcmp(a.rows[r], b.rows[r], static_cast<std::size_t>(a.stride)) != 0) return false;
    }
    return true;
}

TEST(Orientation, InversePairsRestoreThePicture) {
    for (PixelFormat kind : kinds) {
        const ImageBuffer source = random_image(kind, 17, 9, 11);
        ImageBuffer turned, back;
        ASSERT_FALSE(image_rotate_cw(source, turned));
        ASSERT_FALSE(image_rotate_ccw(turned, back));
        EXPECT_TRUE(same_pixels(source, back));
        ASSERT_FALSE(image_transpose(source, turned));
        ASSERT_FALSE(image_transpose(turned, back));
        EXPECT_TRUE(same_pixels(source, back));
        ASSERT_FALSE(image_transverse(source, turned));
        ASSERT_FALSE(image_transverse(turned, back));
        EXPECT_TRUE(same_pixels(source, back));
    }
}

TEST(Orientation, EmptyAndSingleRowPictures) {
    ImageBuffer empty, result;
    EXPECT_FALSE(image_rotate_cw(empty, result));
    EXPECT_TRUE(result.empty());

    const ImageBuffer row = random_image(PixelFormat::Colour8, 5, 1, 2);
    for (const Orientation& o : orientations) {
        ASSERT_FALSE(o.operation(row, result));
        expect_oriented(o, row, result);
    }
}

}  // namespace
}  // namespace lumivane

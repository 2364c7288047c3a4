#include "imaging/image_buffer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "imaging/image_copy.h"
#include "imaging/lookup_tables.h"

namespace lumivane {
namespace {

TEST(ImageAllocate, StridesFollowTheKind) {
    struct Case {
        PixelFormat kind;
        std::int32_t width;
        std::int32_t stride;
    };
    const Case cases[] = {
        {PixelFormat::Colour8, 1, 4}, {PixelFormat::Bilevel, 9, 4},  {PixelFormat::Grey8, 5, 8},
        {PixelFormat::Grey16, 3, 8},  {PixelFormat::Colour16, 1, 8}, {PixelFormat::Colour8, 4000, 12000},
        {PixelFormat::Bilevel, 33, 8},
    };
    for (const Case& c : cases) {
        ImageBuffer image;
        ASSERT_FALSE(image_allocate(image, c.kind, c.width, 2, 72.0));
        EXPECT_EQ(image.stride, c.stride) << static_cast<int>(c.kind) << " x " << c.width;
        EXPECT_EQ(image.resolution, 72.0);
    }
}

TEST(ImageAllocate, BlocksHoldAtMostFourMebibytes) {
    ImageBuffer image;
    ASSERT_FALSE(image_allocate(image, PixelFormat::Colour8, 4000, 3000, 300.0));
    EXPECT_EQ(image.rows_per_block, 349);
    EXPECT_EQ(image.block_count, 9);
    ASSERT_EQ(image.blocks.size(), 9u);
    ASSERT_EQ(image.rows.size(), 3000u);
    // Rows inside a block are stride bytes apart; the last block starts at row 8 * 349.
    EXPECT_EQ(image.rows[1] - image.rows[0], 12000);
    EXPECT_EQ(image.rows[348], image.blocks[0].get() + 348 * 12000);
    EXPECT_EQ(image.rows[349], image.blocks[1].get());
    EXPECT_EQ(image.rows[2792], image.blocks[8].get());
    EXPECT_EQ(3000 - 2792, 208);
    // Every byte starts at zero.
    for (std::int32_t r = 0; r < image.height; r += 997) {
        for (std::int32_t i = 0; i < image.stride; ++i) ASSERT_EQ(image.rows[r][i], 0);
    }
}

TEST(ImageAllocate, BlockCountsUpToTheTallestPictures) {
    const std::int32_t tallest = 0x7FFFFFFF;
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {3000, 349}, {349, 349}, {350, 349}, {1, 349}, {tallest, 1048576}, {tallest, 1}, {tallest, 2}, {tallest - 1, 349},
    };
    for (const auto& [height, rows_per_block] : cases) {
        const std::int64_t expected = (std::int64_t{height} + rows_per_block - 1) / rows_per_block;
        EXPECT_EQ(image_block_count(height, rows_per_block), expected) << height << " / " << rows_per_block;
    }
}

TEST(ImageAllocate, EmptyZeroAndRefusedSizes) {
    ImageBuffer image;
    EXPECT_FALSE(image_allocate(image, PixelFormat::Empty, 10, 10, 1.0));
    EXPECT_TRUE(image.empty());
    EXPECT_FALSE(image_allocate(image, static_cast<PixelFormat>(9), 10, 10, 1.0));
    EXPECT_TRUE(image.empty());
    EXPECT_FALSE(image_allocate(image, PixelFormat::Colour8, 0, 10, 1.0));
    EXPECT_TRUE(image.empty());
    EXPECT_FALSE(image_allocate(image, PixelFormat::Colour8, 10, 0, 1.0));
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(image.width, 10);  // kind and size stay recorded
    EXPECT_EQ(image.kind, PixelFormat::Colour8);

    ASSERT_FALSE(image_allocate(image, PixelFormat::Grey8, 4, 4, 1.0));
    EXPECT_TRUE(image_allocate(image, PixelFormat::Colour8, 10, -1, 1.0));
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(image.kind, PixelFormat::Empty);

    // The widest row that fits a block: 1398101 Colour8 pixels take 4194304 bytes.
    EXPECT_FALSE(image_allocate(image, PixelFormat::Colour8, 1398101, 1, 1.0));
    EXPECT_EQ(image.rows_per_block, 1);
    EXPECT_TRUE(image_allocate(image, PixelFormat::Colour8, 1398102, 1, 1.0));
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(image.kind, PixelFormat::Empty);

    // Copying an image without storage gives another one.
    ImageBuffer copy;
    EXPECT_FALSE(image_allocate(image, PixelFormat::Grey8, 0, 5, 1.0));
    EXPECT_FALSE(image_copy(image, copy));
    EXPECT_TRUE(copy.empty());
}

TEST(ImageBuffer, MovingLeavesTheSourceEmpty) {
    ImageBuffer a;
    ASSERT_FALSE(image_allocate(a, PixelFormat::Grey8, 3, 3, 1.0));
    a.rows[2][1] = 7;
    ImageBuffer b = std::move(a);
    EXPECT_TRUE(a.empty());
    EXPECT_EQ(a.kind, PixelFormat::Empty);
    EXPECT_EQ(a.width, 0);
    EXPECT_EQ(b.rows[2][1], 7);
    image_free(b);
    EXPECT_TRUE(b.empty());
    EXPECT_EQ(b.block_count, 0);
}

TEST(ImageCopy, CopiesEveryRowWithPadding) {
    ImageBuffer source;
    ASSERT_FALSE(image_allocate(source, PixelFormat::Colour8, 1001, 700, 240.0));  // 3 blocks, padded rows
    for (std::int32_t r = 0; r < source.height; ++r) {
        for (std::int32_t i = 0; i < 3 * source.width; ++i) source.rows[r][i] = static_cast<std::uint8_t>(r * 7 + i);
    }
    ImageBuffer copy;
    ASSERT_FALSE(image_allocate(copy, PixelFormat::Grey8, 5, 5, 1.0));  // replaced
    ASSERT_FALSE(image_copy(source, copy));
    EXPECT_EQ(copy.kind, PixelFormat::Colour8);
    EXPECT_EQ(copy.width, 1001);
    EXPECT_EQ(copy.height, 700);
    EXPECT_EQ(copy.resolution, 240.0);
    for (std::int32_t r = 0; r < source.height; ++r) {
        ASSERT_EQ(std::memcmp(copy.rows[r], source.rows[r], static_cast<std::size_t>(source.stride)), 0) << r;
    }
}

TEST(BitsAndClamps, SmallOperations) {
    std::uint8_t row[2] = {0xA0, 0x01};
    EXPECT_EQ(bit_get(row, 0), 255);
    EXPECT_EQ(bit_get(row, 1), 0);
    EXPECT_EQ(bit_get(row, 2), 255);
    EXPECT_EQ(bit_get(row, 15), 255);
    bit_set(row, 1);
    bit_clear(row, 0);
    bit_clear(row, 15);
    EXPECT_EQ(row[0], 0x60);
    EXPECT_EQ(row[1], 0x00);

    EXPECT_EQ(clamp8(256), 255);
    EXPECT_EQ(clamp8(255), 255);
    EXPECT_EQ(clamp8(-1), 0);
    EXPECT_EQ(clamp8(17), 17);
    EXPECT_EQ(clamp16(65536), 65535);
    EXPECT_EQ(clamp16(-5), 0);
    EXPECT_EQ(clamp16(40000), 40000);
}

TEST(LookupTables, SampleValues) {
    EXPECT_EQ(table_16_to_8[0], 0);
    EXPECT_EQ(table_16_to_8[128], 0);
    EXPECT_EQ(table_16_to_8[129], 1);
    EXPECT_EQ(table_16_to_8[0x8000], 128);
    EXPECT_EQ(table_16_to_8[65535], 255);
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(mul8[255][b], b);
        EXPECT_EQ(mul8[b][255], b);
        EXPECT_EQ(mul8[b][0], 0);
    }
    EXPECT_EQ(mul8[128][128], 64);
    EXPECT_EQ(mul8[100][128], 50);
}

}  // namespace
}  // namespace lumivane

#include "imaging/bmp_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "support/bmp_files.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::BmpFile;
using testing::bmp_bytes;
using testing::put16;
using testing::put32;
using testing::TempFolder;

std::vector<std::uint32_t> grey_ramp(int n) {
    std::vector<std::uint32_t> table;
    for (int i = 0; i < n; ++i) table.push_back(static_cast<std::uint32_t>(i * 255 / (n - 1)) * 0x010101u);
    return table;
}

// What the suite's files (compared with Qt elsewhere) leave out: the kinds chosen from
// grey tables, header sizes of 124 and more, 2-bit pixels, tables over 256 entries.
TEST(ReadBmp, LayoutsAndKinds) {
    struct Case {
        const char* name;
        BmpFile file;
        PixelFormat kind;
        std::vector<std::uint8_t> bottom_row;  // the picture's bytes
        double resolution;
    };
    std::vector<std::uint32_t> ramp = grey_ramp(256);
    std::vector<std::uint32_t> coloured = ramp;
    coloured[200] = 0x102030;
    const Case cases[] = {
        {"24 bits, 40-byte header", {40, 2, 1, 24, 0, 3780, {}, {std::string("\x01\x02\x03\x04\x05\x06\0\0", 8)}},
         PixelFormat::Colour8, {1, 2, 3, 4, 5, 6}, 3780 * 25.4 / 1000},
        {"8 bits, grey ramp", {124, 3, 1, 8, 0, 2835, ramp, {std::string("\x00\x80\xFF\0", 4)}}, PixelFormat::Grey8,
         {0, 128, 255}, 2835 * 25.4 / 1000},
        {"8 bits, one coloured entry", {40, 2, 1, 8, 0, 2835, coloured, {std::string("\xC8\x01\0\0", 4)}},
         PixelFormat::Colour8, {0x30, 0x20, 0x10, 1, 1, 1}, 2835 * 25.4 / 1000},
        {"longer than 124 bytes", {150, 1, 1, 8, 2, 2835, {0x000000, 0x0000FF}, {std::string("\x01\0\0\0", 4)}},
         PixelFormat::Colour8, {0xFF, 0, 0}, 2835 * 25.4 / 1000},
        {"1 bit, white then black", {40, 9, 1, 1, 0, 2835, {0xFFFFFF, 0x000000}, {std::string("\xA5\x80\0\0", 4)}},
         PixelFormat::Bilevel, {0x5A, 0x00}, 2835 * 25.4 / 1000},  // inverted; bits past the width stay clear
        {"1 bit, mid grey", {40, 2, 1, 1, 0, 2835, {0x000000, 0x808080}, {std::string("\x40\0\0\0", 4)}},
         PixelFormat::Grey8, {0, 0x80}, 2835 * 25.4 / 1000},
        {"core header, 2 bits", {12, 5, 1, 2, 0, 0, {0x000000, 0x0000FF, 0x00FF00, 0xFF0000}, {std::string("\x1B\x40\0\0", 4)}},
         PixelFormat::Colour8, {0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0, 0}, 100.0},
        {"table claiming 300 entries keeps 256", {40, 1, 1, 8, 300, 2835, [] {
             std::vector<std::uint32_t> t(300, 0x0000FF);
             t[7] = 0x010203;
             return t;
         }(), {std::string("\x07\0\0\0", 4)}},
         PixelFormat::Colour8, {3, 2, 1}, 2835 * 25.4 / 1000},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::u16string path = folder.write("case.bmp", bmp_bytes(c.file));
        ImageBuffer image;
        ASSERT_FALSE(read_bmp(path, image));
        EXPECT_EQ(image.kind, c.kind);
        EXPECT_EQ(image.width, c.file.width);
        EXPECT_EQ(image.height, 1);
        EXPECT_NEAR(image.resolution, c.resolution, 1e-9);
        EXPECT_EQ(std::vector<std::uint8_t>(image.rows[0], image.rows[0] + c.bottom_row.size()), c.bottom_row);
    }
}

TEST(ReadBmp, RefusesWhatItCannotRead) {
    const std::string good = bmp_bytes({40, 2, 2, 24, 0, 2835, {}, {std::string(8, '\x11'), std::string(8, '\x22')}});
    struct Case {
        const char* name;
        std::string bytes;
    };
    std::string header56 = good, top_down = good, compressed = good, bits16 = good, zero_width = good;
    put32(header56, 14, 56);
    put32(top_down, 22, static_cast<std::uint32_t>(-2));
    put32(compressed, 30, 1);
    put16(bits16, 28, 16);
    put32(zero_width, 18, 0);
    std::string huge_table = bmp_bytes({40, 1, 1, 8, 0x10000000, 2835, grey_ramp(2), {std::string(4, '\0')}});
    const Case cases[] = {
        {"not BM", "XY" + good.substr(2)},
        {"header size 56", header56},
        {"top-down rows", top_down},
        {"RLE compression", compressed},
        {"16 bits per pixel", bits16},
        {"no width", zero_width},
        {"last row cut short", good.substr(0, good.size() - 1)},
        {"cut inside the header", good.substr(0, 30)},
        {"colour table beyond the file", huge_table},
        {"empty file", ""},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        ImageBuffer image;
        ASSERT_FALSE(image_allocate(image, PixelFormat::Grey8, 3, 3, 1.0));
        EXPECT_TRUE(read_bmp(folder.write("bad.bmp", c.bytes), image)) << c.name;
        EXPECT_TRUE(image.empty()) << c.name;
        EXPECT_EQ(image.kind, PixelFormat::Empty) << c.name;
    }
    ImageBuffer image;
    EXPECT_TRUE(read_bmp(folder.file(u"missing.bmp"), image));
}

// The suite's broken files: those that cannot be pictures are refused; every one is
// read without going outside the file or the picture (the sanitizer build checks).
TEST(ReadBmp, BrokenFilesOfTheSuite) {
    const std::string suite = std::string(LUMIVANE_TESTDATA) + "/bmp/";
    const char* refused[] = {"badbitcount", "badheadersize", "badpalettesize", "badrle", "badwidth",
                             "reallybig",   "rletopdown",    "shortfile"};
    int files = 0;
    for (const char* folder : {"b", "q"}) {
        for (const auto& entry : std::filesystem::directory_iterator(suite + folder)) {
            ImageBuffer image;
            const bool failed = read_bmp(utf8_to_utf16(entry.path().string()), image);
            const std::string stem = entry.path().stem().string();
            const bool must_fail =
                std::string(folder) == "b" && std::find(std::begin(refused), std::end(refused), stem) != std::end(refused);
            if (must_fail) {
                EXPECT_TRUE(failed) << stem;
            }
            if (!failed) {
                EXPECT_EQ(image.width, 127) << stem;
            }
            ++files;
        }
    }
    EXPECT_GT(files, 30);
}

}  // namespace
}  // namespace lumivane

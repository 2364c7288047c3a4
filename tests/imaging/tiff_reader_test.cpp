#include "imaging/tiff_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>

#include "imaging/lookup_tables.h"
#include "support/libtiff_files.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::Picture;
using testing::TempFolder;
using testing::TiffVariant;

enum : std::uint16_t { BYTE = 1, ASCII = 2, SHORT = 3, LONG = 4, RATIONAL = 5 };

// A TIFF put together byte by byte, for the files libtiff would not write: the header,
// the pixel data, the IFD with the entries in the order they are added, and then the
// values longer than four bytes.
class TiffBytes {
public:
    explicit TiffBytes(bool big_endian = false) : big_(big_endian) {}

    std::vector<std::uint8_t> u16(const std::vector<std::uint32_t>& values) const { return put(values, 2); }
    std::vector<std::uint8_t> u32(const std::vector<std::uint32_t>& values) const { return put(values, 4); }

    TiffBytes& add(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::vector<std::uint8_t> values) {
        entries_.push_back({tag, type, count, std::move(values)});
        return *this;
    }
    TiffBytes& add_short(std::uint16_t tag, std::uint32_t value) { return add(tag, SHORT, 1, u16({value})); }
    TiffBytes& add_long(std::uint16_t tag, std::uint32_t value) { return add(tag, LONG, 1, u32({value})); }
    TiffBytes& add_rational(std::uint16_t tag, std::uint32_t numerator, std::uint32_t denominator) {
        return add(tag, RATIONAL, 1, u32({numerator, denominator}));
    }
    // StripOffsets: places in the pixel data, which starts after the 8-byte header.
    TiffBytes& add_strips(std::vector<std::uint32_t> starts, std::uint16_t type = LONG) {
        for (std::uint32_t& start : starts) start += 8;
        return add(273, type, static_cast<std::uint32_t>(starts.size()), type == SHORT ? u16(starts) : u32(starts));
    }
    TiffBytes& pixels(std::vector<std::uint8_t> data) {
        pixels_ = std::move(data);
        return *this;
    }

    std::string bytes() const {
        std::vector<std::uint8_t> out = {std::uint8_t(big_ ? 'M' : 'I'), std::uint8_t(big_ ? 'M' : 'I')};
        const auto ifd = static_cast<std::uint32_t>(8 + pixels_.size());
        append(out, u16({42}));
        append(out, u32({ifd}));
        append(out, pixels_);
        append(out, u16({static_cast<std::uint32_t>(entries_.size())}));
        std::uint32_t after = ifd + 2 + 12 * static_cast<std::uint32_t>(entries_.size()) + 4;
        for (const Entry& e : entries_) {
            append(out, u16({e.tag, e.type}));
            append(out, u32({e.count}));
            std::vector<std::uint8_t> field = e.values.size() > 4 ? u32({after}) : e.values;
            field.resize(4, 0);
            append(out, field);
            if (e.values.size() > 4) after += static_cast<std::uint32_t>(e.values.size());
        }
        append(out, u32({0}));
        for (const Entry& e : entries_) {
            if (e.values.size() > 4) append(out, e.values);
        }
        return std::string(out.begin(), out.end());
    }

private:
    struct Entry {
        std::uint16_t tag;
        std::uint16_t type;
        std::uint32_t count;
        std::vector<std::uint8_t> values;
    };

    std::vector<std::uint8_t> put(const std::vector<std::uint32_t>& values, int size) const {
        std::vector<std::uint8_t> out;
        for (const std::uint32_t v : values) {
            for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(v >> 8 * (big_ ? size - 1 - i : i)));
        }
        return out;
    }
    static void append(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& bytes) {
        out.insert(out.end(), bytes.begin(), bytes.end());
    }

    bool big_;
    std::vector<Entry> entries_;
    std::vector<std::uint8_t> pixels_;
};

// An 8-bit grey picture in one strip, rows top first.
TiffBytes grey_picture(std::uint32_t width, std::uint32_t height, std::vector<std::uint8_t> samples,
                       bool big_endian = false) {
    TiffBytes tiff(big_endian);
    const auto size = static_cast<std::uint32_t>(samples.size());
    tiff.add_long(256, width).add_long(257, height).add_short(258, 8).add_short(262, 1).add_strips({0});
    tiff.add_long(279, size).pixels(std::move(samples));
    return tiff;
}

bool read_tiff(const std::string& bytes, ImageBuffer& image) {
    TempFolder folder;
    FileHandle file;
    if (file_open_read(folder.write("picture.tif", bytes), file)) return true;
    return tiff_read(file, image);
}

using Bgr = std::array<std::uint8_t, 3>;

// Pixel x of row y counted from the top.
Bgr pixel(const ImageBuffer& image, std::int32_t x, std::int32_t y) {
    const std::uint8_t* p = image.rows[image.height - 1 - y] + 3 * x;
    return {p[0], p[1], p[2]};
}

std::vector<std::uint8_t> greys_of_row(const ImageBuffer& image, std::int32_t y) {
    std::vector<std::uint8_t> greys;
    for (std::int32_t x = 0; x < image.width; ++x) {
        const Bgr p = pixel(image, x, y);
        greys.push_back(p[0] == p[1] && p[1] == p[2] ? p[0] : 77);  // 77: not grey
    }
    return greys;
}

// Reads the variant with the program's reader and with libtiff and compares them.
void expect_same_as_libtiff(const TiffVariant& variant, unsigned seed) {
    SCOPED_TRACE(variant.name);
    TempFolder folder;
    const std::string path = folder.native_file("variant.tif");
    ASSERT_FALSE(testing::write_tiff(path, variant, seed));
    Picture expected;
    ASSERT_FALSE(testing::libtiff_decode(path, expected));

    ImageBuffer image;
    FileHandle file;
    ASSERT_FALSE(file_open_read(testing::u16(path), file));
    ASSERT_FALSE(tiff_read(file, image));
    EXPECT_EQ(image.kind, PixelFormat::Colour8);
    EXPECT_EQ(testing::picture_difference(expected, testing::picture_of(image)), "");
    EXPECT_NEAR(image.resolution, expected.resolution, 1e-3);
}

struct SampleKind {
    const char* name;
    std::uint16_t bits;
    std::uint16_t samples;
    std::uint16_t photometric;
};

const SampleKind sample_kinds[] = {
    {"grey 1", 1, 1, 1},       {"grey 4", 4, 1, 1},       {"grey 8", 8, 1, 1},       {"grey 16", 16, 1, 1},
    {"white 1", 1, 1, 0},      {"white 4", 4, 1, 0},      {"white 8", 8, 1, 0},      {"white 16", 16, 1, 0},
    {"palette 1", 1, 1, 3},    {"palette 4", 4, 1, 3},    {"palette 8", 8, 1, 3},    {"rgb 8", 8, 3, 2},
    {"rgba 8", 8, 4, 2},       {"rgb 16", 16, 3, 2},      {"rgba 16", 16, 4, 2},
};

TEST(TiffReader, DecodesEverySampleKindInBothOrdersAsLibtiffDoes) {
    unsigned seed = 1;
    for (const SampleKind& kind : sample_kinds) {
        for (const bool big : {false, true}) {
            for (const bool lzw : {false, true}) {
                for (const std::uint32_t rows_per_strip : {0u, 5u}) {
                    TiffVariant v;
                    v.name = std::string(kind.name) + (big ? " big-endian" : " little-endian") +
                             (lzw ? " LZW" : " uncompressed") + (rows_per_strip ? " strips of 5" : " one strip");
                    v.big_endian = big;
                    v.lzw = lzw;
                    v.rows_per_strip = rows_per_strip;
                    v.bits = kind.bits;
                    v.samples = kind.samples;
                    v.photometric = kind.photometric;
                    expect_same_as_libtiff(v, seed++);
                }
            }
        }
    }
}

TEST(TiffReader, TurnsEveryOrientationUpright) {
    const SampleKind kinds[] = {{"rgb 8", 8, 3, 2}, {"grey 1", 1, 1, 1}, {"rgb 16", 16, 3, 2}};
    unsigned seed = 100;
    for (const SampleKind& kind : kinds) {
        for (std::uint16_t orientation = 1; orientation <= 8; ++orientation) {
            TiffVariant v;
            v.name = std::string(kind.name) + " orientation " + std::to_string(orientation);
            v.bits = kind.bits;
            v.samples = kind.samples;
            v.photometric = kind.photometric;
            v.orientation = orientation;
            v.big_endian = orientation % 2 == 0;
            v.lzw = orientation % 3 == 0;
            v.rows_per_strip = orientation % 4 == 0 ? 7 : 0;
            expect_same_as_libtiff(v, seed++);
        }
    }
}

TEST(TiffReader, DecodesLargePicturesAsLibtiffDoes) {
    // Noise fills the LZW table again and again, so the coder clears it; gradients make
    // long strings. More than 4 MiB of uncompressed rows takes several pieces.
    std::vector<TiffVariant> variants;
    for (const bool smooth : {false, true}) {
        for (const std::uint32_t rows_per_strip : {0u, 16u}) {
            TiffVariant v;
            v.name = std::string(smooth ? "gradients" : "noise") + " LZW rows per strip " + std::to_string(rows_per_strip);
            v.lzw = true;
            v.smooth = smooth;
            v.samples = 3;
            v.photometric = 2;
            v.width = 300;
            v.height = 200;
            v.rows_per_strip = rows_per_strip;
            v.big_endian = smooth;
            variants.push_back(v);
        }
    }
    TiffVariant pieces;
    pieces.name = "uncompressed, two pieces a strip";
    pieces.samples = 3;
    pieces.photometric = 2;
    pieces.width = 1200;
    pieces.height = 2600;
    pieces.rows_per_strip = 1300;
    pieces.smooth = true;
    variants.push_back(pieces);
    unsigned seed = 200;
    for (const TiffVariant& v : variants) expect_same_as_libtiff(v, seed++);
}

TEST(TiffReader, ResolutionInDotsPerInch) {
    TiffVariant centimetre;
    centimetre.name = "118.11 dots per centimetre";
    centimetre.x_resolution = 118.11f;
    centimetre.centimetre = true;
    expect_same_as_libtiff(centimetre, 300);

    struct Case {
        const char* name;
        std::function<void(TiffBytes&)> add;
        double resolution;
    };
    const Case cases[] = {
        {"no XResolution", [](TiffBytes&) {}, 300.0},
        {"118.11 per centimetre", [](TiffBytes& t) { t.add_rational(282, 11811, 100).add_short(296, 3); }, 300.0},
        {"72 per inch", [](TiffBytes& t) { t.add_rational(282, 72, 1).add_short(296, 2); }, 72.0},
        {"SHORT 96, no unit", [](TiffBytes& t) { t.add_short(282, 96); }, 96.0},
        {"0 / 0 keeps the usual", [](TiffBytes& t) { t.add_rational(282, 0, 0); }, 300.0},
        {"0 / 1 keeps the usual", [](TiffBytes& t) { t.add_rational(282, 0, 1); }, 300.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TiffBytes tiff = grey_picture(2, 1, {1, 2});
        c.add(tiff);
        ImageBuffer image;
        ASSERT_FALSE(read_tiff(tiff.bytes(), image));
        EXPECT_NEAR(image.resolution, c.resolution, 0.01);
    }
}

TEST(TiffReader, SampleRows) {
    struct Case {
        const char* name;
        std::uint32_t width;
        std::uint16_t bits;
        std::uint16_t photometric;
        std::vector<std::uint8_t> row;
        std::vector<std::uint8_t> greys;
    };
    const Case cases[] = {
        {"4-bit 0x0F 0xF0", 4, 4, 1, {0x0F, 0xF0}, {0, 255, 255, 0}},
        {"4-bit levels", 3, 4, 1, {0x18, 0x70}, {17, 136, 119}},
        {"1-bit 0xA0", 8, 1, 1, {0xA0}, {255, 0, 255, 0, 0, 0, 0, 0}},
        {"1-bit across bytes", 10, 1, 1, {0x01, 0x40}, {0, 0, 0, 0, 0, 0, 0, 255, 0, 255}},
        {"8-bit", 3, 8, 1, {0, 100, 255}, {0, 100, 255}},
        {"WhiteIsZero 8-bit", 3, 8, 0, {0, 100, 255}, {255, 155, 0}},
        {"WhiteIsZero 4-bit", 2, 4, 0, {0x0F}, {255, 0}},
        {"WhiteIsZero 1-bit 0xA0", 4, 1, 0, {0xA0}, {0, 255, 0, 255}},
    };
    for (const bool big : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (big ? " big-endian" : ""));
            TiffBytes tiff(big);
            tiff.add_long(256, c.width).add_long(257, 1).add_short(258, c.bits).add_short(262, c.photometric);
            tiff.add_strips({0}).add_long(279, static_cast<std::uint32_t>(c.row.size())).pixels(c.row);
            ImageBuffer image;
            ASSERT_FALSE(read_tiff(tiff.bytes(), image));
            EXPECT_EQ(greys_of_row(image, 0), c.greys);
        }
    }
}

TEST(TiffReader, SixteenBitColourIsTheSameInBothOrders) {
    const std::uint32_t samples[] = {0xFFFF, 0x8000, 0x0000, 0x1234, 0x00FF, 0xFF00};
    // Both orders, with a BitsPerSample for each sample and with one for all of them.
    ImageBuffer images[4];
    for (int i = 0; i < 4; ++i) {
        TiffBytes tiff(i % 2 == 1);
        std::vector<std::uint8_t> data;
        for (std::uint32_t s : samples) {
            const auto bytes = tiff.u16({s});
            data.insert(data.end(), bytes.begin(), bytes.end());
        }
        tiff.add_long(256, 2).add_long(257, 1).add_short(262, 2);
        if (i < 2) {
            tiff.add(258, SHORT, 3, tiff.u16({16, 16, 16}));
        } else {
            tiff.add_short(258, 16);
        }
        tiff.add_short(277, 3).add_strips({0}).add_long(279, 12).pixels(data);
        ASSERT_FALSE(read_tiff(tiff.bytes(), images[i]));
    }
    for (const ImageBuffer& image : images) {
        EXPECT_EQ(pixel(image, 0, 0), (Bgr{table_16_to_8[0], table_16_to_8[0x8000], 255}));
        EXPECT_EQ(pixel(image, 1, 0), (Bgr{table_16_to_8[0xFF00], table_16_to_8[0xFF], table_16_to_8[0x1234]}));
    }
}

TEST(TiffReader, StripTables) {
    const std::vector<std::uint8_t> rows = {1, 2, 3, 4, 5, 6};  // three rows of two
    struct Case {
        const char* name;
        std::function<void(TiffBytes&)> strips;
    };
    const Case cases[] = {
        {"one strip without byte counts", [](TiffBytes& t) { t.add_strips({0}); }},
        {"two strips given as SHORTs in the entry",
         [](TiffBytes& t) {
             t.add_short(278, 2).add_strips({0, 4}, SHORT).add(279, SHORT, 2, t.u16({4, 2}));
         }},
        {"three strips in LONG arrays, byte counts first",
         [](TiffBytes& t) {
             t.add_short(278, 1).add(279, LONG, 3, t.u32({2, 2, 2}));
             t.add_strips({0, 2, 4});
         }},
        {"uncompressed byte counts that disagree are made up from the rows",
         [](TiffBytes& t) { t.add_short(278, 2).add_strips({0, 4}).add(279, LONG, 2, t.u32({1, 99})); }},
        {"RowsPerStrip past the picture", [](TiffBytes& t) { t.add_long(278, 0xFFFFFFFF).add_strips({0}); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TiffBytes tiff;
        tiff.add_long(256, 2).add_long(257, 3).add_short(258, 8).add_short(262, 1);
        c.strips(tiff);
        tiff.pixels(rows);
        ImageBuffer image;
        ASSERT_FALSE(read_tiff(tiff.bytes(), image));
        EXPECT_EQ(greys_of_row(image, 0), (std::vector<std::uint8_t>{1, 2}));
        EXPECT_EQ(greys_of_row(image, 1), (std::vector<std::uint8_t>{3, 4}));
        EXPECT_EQ(greys_of_row(image, 2), (std::vector<std::uint8_t>{5, 6}));
    }
}

TEST(TiffReader, RowsWithoutDataAreBlack) {
    // WhiteIsZero, so that missing bytes taken as samples would show white.
    const std::vector<std::uint8_t> black(3, 0);
    const std::vector<std::uint8_t> rows = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    const std::vector<std::uint8_t> lzw = testing::libtiff_lzw({10, 20, 30, 40, 50, 60});  // two rows of three
    struct Case {
        const char* name;
        std::function<void(TiffBytes&)> strips;
        std::vector<std::uint8_t> pixels;  // the rows above, or their LZW
        int rows_with_data;
    };
    const Case cases[] = {
        {"a strip shorter than its rows, half a row more",
         [](TiffBytes& t) { t.add_strips({0}).add_long(279, 5); }, {10, 20, 30, 40, 50}, 1},
        {"fewer strips than the rows need",
         [](TiffBytes& t) { t.add_short(278, 1).add_strips({0, 3}).add(279, LONG, 2, t.u32({3, 3})); },
         {10, 20, 30, 40, 50, 60}, 2},
        {"byte counts for fewer strips than the offsets",
         [](TiffBytes& t) { t.add_short(278, 1).add(279, LONG, 2, t.u32({3, 3})).add_strips({0, 3, 6}); },
         {10, 20, 30, 40, 50, 60, 70, 80, 90}, 2},
        {"offsets for fewer strips than the byte counts",
         [](TiffBytes& t) { t.add_short(278, 1).add_strips({0, 3}).add(279, LONG, 3, t.u32({3, 3, 3})); },
         {10, 20, 30, 40, 50, 60, 70, 80, 90}, 2},
        {"an LZW strip that ends early",
         [&](TiffBytes& t) {
             t.add_short(259, 5).add_strips({0}).add_long(279, static_cast<std::uint32_t>(lzw.size()));
         },
         lzw, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TiffBytes tiff;
        tiff.add_long(256, 3).add_long(257, 4).add_short(258, 8).add_short(262, 0);
        c.strips(tiff);
        tiff.pixels(c.pixels);
        // The picture's storage is reused for a picture of the same size, so stale
        // pixels would stay where no data comes.
        ImageBuffer image;
        ASSERT_FALSE(image_allocate(image, PixelFormat::Colour8, 3, 4, 300.0));
        for (std::uint8_t* row : image.rows) std::memset(row, 0x55, static_cast<std::size_t>(image.stride));
        ASSERT_FALSE(read_tiff(tiff.bytes(), image));
        for (int y = 0; y < 4; ++y) {
            SCOPED_TRACE(y);
            if (y < c.rows_with_data) {
                EXPECT_EQ(greys_of_row(image, y)[2], 255 - rows[3 * y + 2]);
            } else {
                EXPECT_EQ(greys_of_row(image, y), black);
            }
        }
    }
}

TEST(TiffReader, AStripRunningPastTheEndOfTheFileIsCutThere) {
    // One-byte WhiteIsZero rows; the strip is the file's last two bytes, the zeros that
    // end the IFD, and its byte count asks for four.
    const auto picture = [](std::uint32_t strip) {
        return TiffBytes().add_long(256, 1).add_long(257, 4).add_short(258, 8).add_short(262, 0)
            .add_long(273, strip).add_long(279, 4).bytes();
    };
    ImageBuffer image;
    ASSERT_FALSE(read_tiff(picture(static_cast<std::uint32_t>(picture(0).size() - 2)), image));
    EXPECT_EQ(greys_of_row(image, 0)[0], 255);
    EXPECT_EQ(greys_of_row(image, 1)[0], 255);
    EXPECT_EQ(greys_of_row(image, 2)[0], 0);
    EXPECT_EQ(greys_of_row(image, 3)[0], 0);
}

TEST(TiffReader, AcceptedAndRefusedTagValues) {
    struct Case {
        const char* name;
        std::function<void(TiffBytes&)> add;
        bool accepted;
    };
    const Case cases[] = {
        {"NewSubfileType 1", [](TiffBytes& t) { t.add_long(254, 1); }, true},
        {"NewSubfileType 2", [](TiffBytes& t) { t.add_long(254, 2); }, false},
        {"SubfileType 1", [](TiffBytes& t) { t.add_short(255, 1); }, true},
        {"SubfileType 2", [](TiffBytes& t) { t.add_short(255, 2); }, false},
        {"Compression 1", [](TiffBytes& t) { t.add_short(259, 1); }, true},
        {"Compression 7", [](TiffBytes& t) { t.add_short(259, 7); }, false},
        {"PhotometricInterpretation 4", [](TiffBytes& t) { t.add_short(262, 4); }, false},
        {"FillOrder 1", [](TiffBytes& t) { t.add_short(266, 1); }, true},
        {"FillOrder 2", [](TiffBytes& t) { t.add_short(266, 2); }, false},
        {"Orientation 0", [](TiffBytes& t) { t.add_short(274, 0); }, false},
        {"Orientation 9", [](TiffBytes& t) { t.add_short(274, 9); }, false},
        {"SamplesPerPixel 2", [](TiffBytes& t) { t.add_short(277, 2); }, false},
        {"PlanarConfiguration 1", [](TiffBytes& t) { t.add_short(284, 1); }, true},
        {"PlanarConfiguration 2", [](TiffBytes& t) { t.add_short(284, 2); }, false},
        {"Predictor 1", [](TiffBytes& t) { t.add_short(317, 1); }, true},
        {"Predictor 2", [](TiffBytes& t) { t.add_short(317, 2); }, false},
        {"BitsPerSample 2", [](TiffBytes& t) { t.add_short(258, 2); }, false},
        {"BitsPerSample 32", [](TiffBytes& t) { t.add_short(258, 32); }, false},
        {"one BitsPerSample 8 for three samples", [](TiffBytes& t) { t.add_short(277, 3); }, true},
        {"BitsPerSample count 2", [](TiffBytes& t) { t.add(258, SHORT, 2, t.u16({8, 8})); }, false},
        {"BitsPerSample 8, 8, 16", [](TiffBytes& t) { t.add(258, SHORT, 3, t.u16({8, 8, 16})).add_short(277, 3); },
         false},
        {"colour samples with one sample a pixel", [](TiffBytes& t) { t.add(258, SHORT, 3, t.u16({8, 8, 8})); },
         false},
        {"1-bit samples three a pixel", [](TiffBytes& t) { t.add_short(258, 1).add_short(277, 3); }, false},
        {"4-bit samples three a pixel", [](TiffBytes& t) { t.add_short(258, 4).add_short(277, 3); }, false},
        {"palette without a ColorMap", [](TiffBytes& t) { t.add_short(262, 3); }, false},
        {"palette with too short a ColorMap",
         [](TiffBytes& t) { t.add_short(262, 3).add(320, SHORT, 3, std::vector<std::uint8_t>(6, 0)); }, false},
        {"a ColorMap in a grey picture", [](TiffBytes& t) { t.add(320, SHORT, 3, std::vector<std::uint8_t>(6, 0)); },
         true},
        {"ImageWidth 0", [](TiffBytes& t) { t.add_long(256, 0); }, false},
        {"ImageWidth as RATIONAL 4 / 2", [](TiffBytes& t) { t.add_rational(256, 4, 2); }, true},
        {"ImageWidth as RATIONAL 4 / 0", [](TiffBytes& t) { t.add_rational(256, 4, 0); }, false},
        {"ImageWidth as BYTE", [](TiffBytes& t) { t.add(256, BYTE, 1, {2}); }, true},
        {"ImageWidth as UNDEFINED (7)", [](TiffBytes& t) { t.add(256, 7, 1, {2}); }, false},
        {"ImageWidth as SLONG (9)", [](TiffBytes& t) { t.add(256, 9, 1, t.u32({2})); }, false},
        {"Orientation as LONG8 (16)", [](TiffBytes& t) { t.add(274, 16, 1, std::vector<std::uint8_t>(8, 0)); }, false},
        {"Compression as ASCII is 0", [](TiffBytes& t) { t.add(259, ASCII, 4, {'a', 'b', 'c', 0}); }, false},
        {"StripOffsets as BYTE", [](TiffBytes& t) { t.add(273, BYTE, 1, {0}); }, false},
        {"StripOffsets count 0", [](TiffBytes& t) { t.add(273, LONG, 0, t.u32({0})); }, false},
        {"an unknown tag of any type", [](TiffBytes& t) { t.add(40000, 13, 99, t.u32({0})); }, true},
        {"XResolution outside the file", [](TiffBytes& t) { t.add(282, RATIONAL, 1, t.u32({100000})); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TiffBytes tiff = grey_picture(2, 2, {1, 2, 3, 4});
        c.add(tiff);
        ImageBuffer image;
        ASSERT_FALSE(image_allocate(image, PixelFormat::Grey8, 5, 5, 72.0));
        EXPECT_EQ(read_tiff(tiff.bytes(), image), !c.accepted);
        EXPECT_EQ(image.kind, c.accepted ? PixelFormat::Colour8 : PixelFormat::Empty);
        EXPECT_EQ(image.rows.empty(), !c.accepted);
    }
}

// Puts a 32-bit number into the file's bytes at a position.
std::string patched(std::string bytes, std::size_t position, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[position + i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

TEST(TiffReader, RefusesDamagedFiles) {
    const std::string good = grey_picture(2, 2, {1, 2, 3, 4}).bytes();
    const std::vector<std::uint8_t> ten(10, 0);
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"cut inside the header", good.substr(0, 6)},
        {"cut inside the IFD", good.substr(0, 30)},
        {"43 for 42", "II+" + good.substr(3)},
        {"byte order pair II and MM mixed", "IM" + good.substr(2)},
        {"no byte order pair", "XX" + good.substr(2)},
        {"IFD past the end", patched(good, 4, 1000)},
        {"IFD entry count past the end", patched(good, 12, 0x7000)},
        {"IFD entry count read as negative", patched(good, 12, 0x8006)},
        {"no StripOffsets", TiffBytes().add_long(256, 2).add_long(257, 1).add_long(279, 2).pixels({1, 2}).bytes()},
        {"no ImageLength", TiffBytes().add_long(256, 2).add_strips({0}).pixels({1, 2}).bytes()},
        {"two strips without byte counts",
         TiffBytes().add_long(256, 1).add_long(257, 2).add_short(278, 1).add_strips({0, 1}).pixels({1, 2}).bytes()},
        {"a strip past the end of the file",
         TiffBytes().add_long(256, 1).add_long(257, 1).add_long(273, 5000).add_long(279, 1).bytes()},
        {"a strip offset table far larger than the file",
         TiffBytes().add_long(256, 1).add_long(257, 1).add(273, LONG, 0x40000000, TiffBytes().u32({8}))
             .add_long(279, 1).bytes()},
        {"a byte count table far larger than the file",
         TiffBytes().add_long(256, 1).add_long(257, 1).add_strips({0})
             .add(279, SHORT, 0xFFFFFFFF, TiffBytes().u32({8})).pixels({1}).bytes()},
        {"RowsPerStrip 0 with two strips",
         TiffBytes().add_long(256, 1).add_long(257, 2).add_short(278, 0).add_strips({0, 1})
             .add(279, SHORT, 2, TiffBytes().u16({1, 1})).pixels({1, 2}).bytes()},
        {"no strip data at all", grey_picture(2, 2, {}).bytes()},
        {"a 60000 x 60000 picture in a few bytes", grey_picture(60000, 60000, ten).bytes()},
        {"a 40000 x 40000 LZW picture in a few bytes",
         grey_picture(40000, 40000, ten).add_short(259, 5).bytes()},
        {"a row wider than a picture can be", grey_picture(1500000, 1, std::vector<std::uint8_t>(1500000)).bytes()},
        {"a stored row longer than 4 MiB",
         TiffBytes().add_long(256, 600000).add_long(257, 1).add(258, SHORT, 4, TiffBytes().u16({16, 16, 16, 16}))
             .add_short(277, 4).add_short(262, 2).add_strips({0}).pixels(std::vector<std::uint8_t>(8000)).bytes()},
        {"an LZW strip in the older bit order", grey_picture(2, 1, {0x00, 0x01, 0x02}).add_short(259, 5).bytes()},
        {"an LZW strip that does not start with Clear", grey_picture(2, 1, {0x20, 0x80, 0x40}).add_short(259, 5).bytes()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImageBuffer image;
        ASSERT_FALSE(image_allocate(image, PixelFormat::Colour8, 3, 3, 96.0));
        EXPECT_TRUE(read_tiff(c.bytes, image));
        EXPECT_EQ(image.kind, PixelFormat::Empty);
        EXPECT_TRUE(image.rows.empty());
    }
}

TEST(TiffReader, ReadsFromTheStartAndLeavesTheFileOpen) {
    TempFolder folder;
    FileHandle file;
    ASSERT_FALSE(file_open_read(folder.write("p.tif", grey_picture(2, 1, {7, 9}).bytes()), file));
    ASSERT_FALSE(file_seek(file, 13));
    ImageBuffer image;
    ASSERT_FALSE(tiff_read(file, image));
    EXPECT_EQ(greys_of_row(image, 0), (std::vector<std::uint8_t>{7, 9}));
    EXPECT_TRUE(file.is_open());
    EXPECT_FALSE(file_seek(file, 0));
    ASSERT_FALSE(tiff_read(file, image));  // again into the same image
    EXPECT_EQ(greys_of_row(image, 0), (std::vector<std::uint8_t>{7, 9}));
}

TEST(TiffIccExtract, ProfilesWrittenByLibtiff) {
    std::vector<std::uint8_t> profile(600);
    for (std::size_t i = 0; i < profile.size(); ++i) profile[i] = static_cast<std::uint8_t>(i * 7 + 3);
    for (const bool big : {false, true}) {
        for (const bool with_profile : {false, true}) {
            SCOPED_TRACE(std::string(big ? "big-endian" : "little-endian") + (with_profile ? " with" : " without"));
            TempFolder folder;
            TiffVariant v;
            v.big_endian = big;
            if (with_profile) v.profile = profile;
            ASSERT_FALSE(testing::write_tiff(folder.native_file("p.tif"), v, 5));
            std::vector<std::uint8_t> found = {1, 2, 3};
            EXPECT_FALSE(tiff_icc_extract(folder.file(u"p.tif"), found));
            EXPECT_EQ(found, with_profile ? profile : std::vector<std::uint8_t>{});
        }
    }
}

TEST(TiffIccExtract, HandMadeFiles) {
    const auto with_profile = [](std::uint32_t count, std::vector<std::uint8_t> bytes) {
        return grey_picture(1, 1, {5}).add(34675, 7, count, std::move(bytes)).bytes();
    };
    const std::vector<std::uint8_t> eight = {1, 2, 3, 4, 5, 6, 7, 8};
    struct Case {
        const char* name;
        std::string bytes;
        bool failed;
        std::vector<std::uint8_t> profile;
    };
    const Case cases[] = {
        {"a profile", with_profile(8, eight), false, eight},
        {"43 for 42 is not looked at", "II+" + with_profile(8, eight).substr(3), false, eight},
        {"a profile running past the end", with_profile(9000, eight), true, {}},
        {"a profile length of 4 GiB", with_profile(0xFFFFFFFF, eight), true, {}},
        {"no byte order pair", "MI" + with_profile(8, eight).substr(2), true, {}},
        {"cut inside the IFD", with_profile(8, eight).substr(0, 20), true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        std::vector<std::uint8_t> profile = {9};
        EXPECT_EQ(tiff_icc_extract(folder.write("p.tif", c.bytes), profile), c.failed);
        EXPECT_EQ(profile, c.profile);
    }
    std::vector<std::uint8_t> profile;
    EXPECT_TRUE(tiff_icc_extract(u"/nonexistent/p.tif", profile));
}

}  // namespace
}  // namespace lumivane

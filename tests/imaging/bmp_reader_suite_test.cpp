// The good files of the BMP test suite, and some questionable ones, each compared with
// Qt's own reader.

#include <QImage>
#include <gtest/gtest.h>

#include <string>

#include "imaging/bmp_reader.h"
#include "platform/text_encoding.h"

namespace lumivane {
namespace {

// Pixel (x, y) from the top as red, green and blue.
QRgb pixel(const ImageBuffer& image, int x, int y) {
    const std::uint8_t* row = image.rows[image.height - 1 - y];
    switch (image.kind) {
    case PixelFormat::Bilevel: return qRgb(bit_get(row, x), bit_get(row, x), bit_get(row, x));
    case PixelFormat::Grey8: return qRgb(row[x], row[x], row[x]);
    default: return qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    }
}

TEST(ReadBmpSuite, GoodFilesReadAsQtReadsThem) {
    struct Case {
        const char* name;
        bool read;  // false: a layout this reader refuses
        PixelFormat kind;
    };
    const Case cases[] = {
        {"pal1", true, PixelFormat::Bilevel},   {"pal1bg", true, PixelFormat::Colour8},
        {"pal1wb", true, PixelFormat::Bilevel}, {"pal4", true, PixelFormat::Colour8},
        {"pal8", true, PixelFormat::Colour8},   {"pal8-0", true, PixelFormat::Colour8},
        {"pal8nonsquare", true, PixelFormat::Colour8}, {"pal8os2", true, PixelFormat::Colour8},
        {"pal8v4", true, PixelFormat::Colour8}, {"pal8v5", true, PixelFormat::Colour8},
        {"pal8w124", true, PixelFormat::Colour8}, {"pal8w125", true, PixelFormat::Colour8},
        {"pal8w126", true, PixelFormat::Colour8}, {"rgb24", true, PixelFormat::Colour8},
        {"rgb24pal", true, PixelFormat::Colour8}, {"rgb32", true, PixelFormat::Colour8},
        // Compressed, 16-bit, with channel masks of their own, or top-down.
        {"pal4rle", false, {}}, {"pal8rle", false, {}}, {"rgb16", false, {}}, {"rgb16-565", false, {}},
        {"rgb16-565pal", false, {}}, {"rgb32bf", false, {}}, {"pal8topdown", false, {}},
        // Questionable ones that Qt reads too: a gap before the pixels, a table of 300
        // entries before 24-bit pixels, a fourth byte that is not zero.
        {"../q/pal8offs", true, PixelFormat::Colour8}, {"../q/rgb24largepal", true, PixelFormat::Colour8},
        {"../q/rgb32fakealpha", true, PixelFormat::Colour8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = std::string(LUMIVANE_TESTDATA) + "/bmp/g/" + c.name + ".bmp";
        ImageBuffer image;
        const bool failed = read_bmp(utf8_to_utf16(path), image);
        ASSERT_EQ(failed, !c.read);
        if (failed) {
            EXPECT_TRUE(image.empty());
            continue;
        }
        const QImage expected(QString::fromStdString(path));
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(image.kind, c.kind);
        ASSERT_EQ(image.width, expected.width());
        ASSERT_EQ(image.height, expected.height());
        int wrong = 0;
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                const QRgb want = expected.pixel(x, y) | 0xFF000000u;
                if (pixel(image, x, y) != want && ++wrong <= 3) ADD_FAILURE() << "pixel " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace lumivane

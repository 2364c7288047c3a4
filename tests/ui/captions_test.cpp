#include "ui/captions.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>

namespace lumivane {
namespace {

const QRgb grey = qRgb(128, 128, 128);
const QRgb black = qRgb(0, 0, 0);

QImage picture_with_caption(const std::u16string& caption, std::int32_t size, const CaptionFonts& fonts,
                            int width = 400, int height = 300) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(black);
    QPainter painter(&image);
    draw_caption(painter, image.rect(), caption, static_cast<CaptionSize>(size), fonts);
    return image;
}

// The columns of row y that are not black.
std::pair<int, int> lit_span(const QImage& image, int y) {
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) != black) {
            if (first < 0) first = x;
            last = x;
        }
    }
    return {first, last};
}

bool all_black_above(const QImage& image, int y_end) {
    for (int y = 0; y < y_end; ++y) {
        if (lit_span(image, y).first >= 0) return false;
    }
    return true;
}

TEST(CaptionFonts, HeightsDoubleWithTheSize) {
    const CaptionFonts fonts = make_caption_fonts(16);
    EXPECT_LE(fonts.text_heights[0], 16);
    EXPECT_GE(fonts.text_heights[0], 14);
    EXPECT_NEAR(fonts.text_heights[1], 2 * fonts.text_heights[0], 2);
    EXPECT_NEAR(fonts.text_heights[2], 4 * fonts.text_heights[0], 4);
    EXPECT_LE(fonts.text_heights[2], 64);
}

TEST(InterfaceFont, MeasuresFollowTheTextHeight) {
    QWidget window;
    InterfaceFont record;
    CaptionFonts captions = make_caption_fonts(base_font_height(nullptr));
    make_interface_font(&window, record, captions);
    ASSERT_TRUE(record.made);
    const int l = record.text_height * 3 / 2;
    EXPECT_EQ(record.line_height, l);
    EXPECT_EQ(record.margin, l / 4);
    EXPECT_EQ(record.wide, 12 * l);
    EXPECT_EQ(record.tall, l + 7);
    EXPECT_EQ(record.row, std::max(2 * (l / 4) + 2 * l, l + 7));
    EXPECT_GE(record.thin_line, 1);
    EXPECT_GE(record.gap, 2);
    EXPECT_GT(record.vertical_scroll_width, 0);
    EXPECT_LE(record.text_height, base_font_height(&window));
    release_interface_font(record);
    EXPECT_FALSE(record.made);
}

TEST(DrawCaption, ABandOfTwiceTheTextHeightAsWideAsTheText) {
    const CaptionFonts fonts = make_caption_fonts(12);
    for (std::int32_t size : {1, 2, 3}) {
        const int t = fonts.text_heights[static_cast<std::size_t>(size - 1)];
        const QImage image = picture_with_caption(u"Sunset", size, fonts);
        EXPECT_TRUE(all_black_above(image, 300 - 2 * t)) << size;
        const auto [first, last] = lit_span(image, 300 - 2 * t);  // top row of the band
        const int width = QFontMetrics(fonts.fonts[static_cast<std::size_t>(size - 1)]).horizontalAdvance("Sunset");
        EXPECT_EQ(last - first + 1, width) << size;
        EXPECT_NEAR((first + last) / 2.0, 199.5, 1.0) << size;  // centred
        EXPECT_EQ(image.pixel(first, 300 - 2 * t), grey);
        // White text inside the grey.
        bool white = false;
        for (int y = 300 - 2 * t; y < 300 - t && !white; ++y) {
            for (int x = first; x <= last && !white; ++x) white = qRed(image.pixel(x, y)) > 200;
        }
        EXPECT_TRUE(white) << size;
        // A single line leaves the lower half of the band black.
        EXPECT_EQ(lit_span(image, 300 - t / 2).first, -1) << size;
    }
}

TEST(DrawCaption, NothingForAnEmptyCaptionOrNoCaptions) {
    const CaptionFonts fonts = make_caption_fonts(12);
    EXPECT_TRUE(all_black_above(picture_with_caption(u"", 2, fonts), 300));
    EXPECT_TRUE(all_black_above(picture_with_caption(u"Hidden", 0, fonts), 300));
    // Any other size counts as medium.
    const QImage odd = picture_with_caption(u"Odd", 7, fonts);
    const QImage medium = picture_with_caption(u"Odd", 2, fonts);
    EXPECT_EQ(odd, medium);
}

TEST(DrawCaption, LinesAreCentredAndCutToTheBand) {
    const CaptionFonts fonts = make_caption_fonts(12);
    const int t = fonts.text_heights[0];
    const QImage image = picture_with_caption(u"A much longer first line\r\nshort\nthird line", 1, fonts);
    const auto top = lit_span(image, 300 - 2 * t);
    const auto second = lit_span(image, 300 - t);
    EXPECT_GT(top.second - top.first, second.second - second.first);
    EXPECT_NEAR((second.first + second.second) / 2.0, 199.5, 1.0);
    EXPECT_TRUE(all_black_above(image, 300 - 2 * t));  // the third line is cut off

    // Wider than the window: cut at both sides, not wrapped.
    const QImage wide = picture_with_caption(std::u16string(200, u'W'), 1, fonts, 200, 100);
    EXPECT_EQ(lit_span(wide, 100 - 2 * t), std::make_pair(0, 199));
    EXPECT_EQ(lit_span(wide, 100 - t).first, -1);
}

TEST(DrawCaption, AmpersandsAreMnemonics) {
    EXPECT_EQ(caption_display_text("Tom && Jerry"), "Tom & Jerry");
    EXPECT_EQ(caption_display_text("&Save"), "Save");
    EXPECT_EQ(caption_display_text("a&&&b"), "a&b");
    EXPECT_EQ(caption_display_text("end&"), "end");
    const CaptionFonts fonts = make_caption_fonts(12);
    const int t = fonts.text_heights[0];
    const auto doubled = lit_span(picture_with_caption(u"Fish && Chips", 1, fonts), 300 - 2 * t);
    const int width = QFontMetrics(fonts.fonts[0]).horizontalAdvance("Fish & Chips");
    EXPECT_EQ(doubled.second - doubled.first + 1, width);
}

}  // namespace
}  // namespace lumivane

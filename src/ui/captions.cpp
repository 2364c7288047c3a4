#include "ui/captions.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStyle>

#include <algorithm>

#include "imaging/memory_bitmap.h"

namespace lumivane {

int base_font_height(const QWidget* window) {
    if (window) {
        const int button = window->style()->pixelMetric(QStyle::PM_TitleBarButtonSize, nullptr, window);
        if (button > 0) return button * 7 / 10;
    }
    return QFontMetrics(QApplication::font()).height();
}

QFont interface_face(int height) {
    QFont font(QStringLiteral("Arial"));
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    // The height names the whole cell, ascent and descent together.
    int pixels = std::max(1, height);
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > height) font.setPixelSize(--pixels);
    return font;
}

CaptionFonts make_caption_fonts(int base_height) {
    CaptionFonts captions;
    for (std::size_t i = 0; i < 3; ++i) {
        captions.fonts[i] = interface_face(base_height << i);
        captions.text_heights[i] = QFontMetrics(captions.fonts[i]).height();
    }
    return captions;
}

void make_interface_font(const QWidget* window, InterfaceFont& r, CaptionFonts& captions) {
    r = InterfaceFont{};
    r.font = interface_face(base_font_height(window));
    r.made = true;
    r.text_height = QFontMetrics(r.font).height();
    r.line_height = r.text_height * 3 / 2;
    r.text_height_again = r.text_height;
    r.wide = 12 * r.line_height;
    r.tall = r.line_height + 7;
    r.margin = r.line_height / 4;
    r.row = std::max(2 * r.margin + 2 * r.line_height, r.line_height + 7);
    r.half_line = r.line_height / 2;
    r.thin_line = std::max(r.margin / 6 + 1, 1);
    r.gap = std::max(2 * r.margin / 3, 2);
    const QStyle* style = window ? window->style() : QApplication::style();
    r.vertical_scroll_width = style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window);
    r.horizontal_scroll_height = r.vertical_scroll_width;
    for (std::size_t i = 0; i < 3; ++i) captions.text_heights[i] = QFontMetrics(captions.fonts[i]).height();
}

void release_interface_font(InterfaceFont& record) {
    record.font = QFont();
    record.made = false;
}

QString caption_display_text(const QString& line) {
    QString shown;
    for (qsizetype i = 0; i < line.size(); ++i) {
        // "&" shows the character after it (underlined), so "&&" shows one "&"; a "&"
        // at the very end shows nothing.
        if (line[i] == u'&') {
            if (++i == line.size()) break;
        }
        shown += line[i];
    }
    return shown;
}

namespace {

QStringList caption_lines(const std::u16string& caption) {
    QString text = QString::fromStdU16String(caption);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text.split(u'\n');
}

}  // namespace

void draw_caption(QPainter& painter, const QRect& client, const std::u16string& caption, CaptionSize show_captions,
                  const CaptionFonts& fonts) {
    if (show_captions == CaptionSize::None || caption.empty()) return;
    const std::size_t choice = show_captions == CaptionSize::Small ? 0 : show_captions == CaptionSize::Large ? 2 : 1;
    const QFont& font = fonts.fonts[choice];
    const int height = fonts.text_heights[choice];
    const QRect band(client.left(), client.bottom() + 1 - 2 * height, client.width(), 2 * height);

    painter.save();
    painter.setClipRect(band);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    int top = band.top();
    for (const QString& line : caption_lines(caption)) {
        const int width = metrics.horizontalAdvance(caption_display_text(line));
        const QRect box(band.left() + (band.width() - width) / 2, top, width, height);
        if (width > 0) {
            painter.fillRect(box, QColor(128, 128, 128));
            painter.setPen(Qt::white);
            painter.drawText(box, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextDontClip, line);
        }
        top += height;
        if (top >= band.bottom()) break;
    }
    painter.restore();
}

CaptionFonts video_caption_fonts() { return make_caption_fonts(16); }

void draw_video_caption(MemoryBitmap& picture, const std::u16string& caption, CaptionSize show_captions,
                        const CaptionFonts& fonts) {
    if (!picture.pixels || picture.height <= 0) return;
    QImage image(picture.pixels, picture.width, picture.height, static_cast<qsizetype>(picture.stride),
                 QImage::Format_RGB32);
    // Scaled by the painter: a device pixel ratio below 1 would not be honoured.
    const qreal ratio = picture.height / 1080.0;
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(ratio, ratio);
    const QRect client(0, 0, qRound(picture.width / ratio), qRound(picture.height / ratio));
    draw_caption(painter, client, caption, show_captions, fonts);
}

}  // namespace lumivane

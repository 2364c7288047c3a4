#pragma once
// The interface font every window lays itself out with, the three caption fonts, and
// drawing a slide's caption over the bottom of a picture.

#include <QFont>
#include <QPainter>
#include <QRect>
#include <QWidget>

#include <array>
#include <string>

#include "document/slide_show.h"

namespace lumivane {

struct MemoryBitmap;

// The font and the measures derived from it, one record per window that needs them.
struct InterfaceFont {
    QFont font;
    bool made = false;
    int text_height = 0;            // the font's cell height
    int line_height = 0;            // L = text height * 3 / 2
    int text_height_again = 0;      // kept as a second copy, as the layouts read it
    int wide = 0;                   // 12 L
    int tall = 0;                   // L + 7
    int margin = 0;                 // M = L / 4
    int row = 0;                    // 2 M + 2 L, at least L + 7
    int half_line = 0;              // L / 2
    int thin_line = 0;              // M / 6 + 1, at least 1
    int gap = 0;                    // 2 M / 3, at least 2
    int vertical_scroll_width = 0;  // the style's scroll bar width
    int horizontal_scroll_height = 0;
};

// The height the program's fonts are made from: seven tenths of the style's caption
// button height for the window's screen, or the system font's height without a window.
int base_font_height(const QWidget* window);

// "Arial" (substituted by a metric-compatible face where it is missing) whose cell is
// height pixels high.
QFont interface_face(int height);

// The three caption fonts, heights h, 2h and 4h, with their measured cell heights.
struct CaptionFonts {
    std::array<QFont, 3> fonts;
    std::array<int, 3> text_heights{};
};

CaptionFonts make_caption_fonts(int base_height);

// Fills the record for the window and measures the caption fonts again for it.
void make_interface_font(const QWidget* window, InterfaceFont& record, CaptionFonts& captions);
void release_interface_font(InterfaceFont& record);

// The text of one caption line as drawn: a single "&" marks the next character
// (not drawn itself), "&&" draws one "&".
QString caption_display_text(const QString& line);

// Draws the caption in a band of twice the chosen font's height at the bottom of
// client: each line white on a grey band exactly as wide as itself, centred, not
// wrapped, clipped to the band. show_captions 1, 2, 3 picks the font (any other
// non-zero value counts as 2); 0 and an empty caption draw nothing.
void draw_caption(QPainter& painter, const QRect& client, const std::u16string& caption, CaptionSize show_captions,
                  const CaptionFonts& fonts);

// The caption fonts of videos, the same on every machine: those of a system font 16
// pixels high.
CaptionFonts video_caption_fonts();

// Draws the caption over a video frame (32-bit pixels, top-down) as the playback window
// draws it on a full-HD screen, scaled with the frame's height, so that it covers the
// same part of the picture at every size.
void draw_video_caption(MemoryBitmap& picture, const std::u16string& caption, CaptionSize show_captions,
                        const CaptionFonts& fonts);

}  // namespace lumivane

#pragma once
// The small drawing helpers the program's own controls share: a solid fill, the bevel
// around a button, a point-in-rectangle test and the width of a line of text.

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QWidget>

#include "ui/captions.h"

namespace lumivane {

void fill_rectangle(QPainter& painter, const QRect& rectangle, const QColor& colour);

// The two colours of a bevel ring: the left and top edges, then the right and bottom
// ones. Raised, a light grey (grey + 32) over a dark one (grey - 32); pressed, a dark red
// (grey - 32, 0, 0) over a light red (grey + 32, 32, 32). Channels are kept in 0..255.
struct BevelColours {
    QColor top_left;
    QColor bottom_right;
};
BevelColours bevel_colours(int grey, bool pressed);

// Draws rings one-pixel frames just outside the rectangle (x, y, x + width, y + height),
// ring i at distance i. The top-left colour takes the left column and the top row up to
// the last pixel before the top-right corner; the bottom-right colour takes the right
// column and the bottom row from the pixel after the bottom-left corner.
void draw_bevel(QPainter& painter, int x, int y, int width, int height, int rings, int grey, bool pressed);

// Whether (x, y) lies between x0 and x1 and between y0 and y1, both ends included,
// whichever end of each pair is the larger.
[[nodiscard]] bool point_in_rectangle(int x, int y, int x0, int y0, int x1, int y1);

// The width in pixels of text in the record's font on the window's screen.
int text_width(const QString& text, const QWidget* window, const InterfaceFont& font);

}  // namespace lumivane

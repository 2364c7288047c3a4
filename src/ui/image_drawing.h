#pragma once
// Putting the core's bottom-up BGR pictures on screen. Each call turns the rows into
// Qt's top-down picture in one copy.

#include <QImage>
#include <QPainter>

#include "imaging/frame_bitmap.h"
#include "imaging/image_buffer.h"

namespace lumivane {

// Draws a Grey8 or Colour8 image with its top-left corner at (x, y), one storage
// block at a time; other kinds draw nothing. A picture made for a screen of ratio device
// pixels to one of the window's pixels is drawn ratio times smaller, pixel for pixel.
void image_draw_grey8(QPainter& painter, const ImageBuffer& image, int x, int y, qreal ratio = 1.0);
void image_draw_colour8(QPainter& painter, const ImageBuffer& image, int x, int y, qreal ratio = 1.0);

// Copies the whole frame into picture (made RGB32 of the frame's size when it is not).
void frame_draw(QImage& picture, const FrameBitmap& frame);

}  // namespace lumivane

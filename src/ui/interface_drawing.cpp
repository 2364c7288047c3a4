#include "ui/interface_drawing.h"

#include <QFontMetrics>

#include <algorithm>
#include <utility>

namespace lumivane {

namespace {

QColor clamped(int red, int green, int blue) {
    const auto c = [](int v) { return std::clamp(v, 0, 255); };
    return QColor(c(red), c(green), c(blue));
}

}  // namespace

void fill_rectangle(QPainter& painter, const QRect& rectangle, const QColor& colour) {
    painter.fillRect(rectangle, colour);
}

BevelColours bevel_colours(int grey, bool pressed) {
    if (pressed) return {clamped(grey - 32, 0, 0), clamped(grey + 32, 32, 32)};
    return {clamped(grey + 32, grey + 32, grey + 32), clamped(grey - 32, grey - 32, grey - 32)};
}

void draw_bevel(QPainter& painter, int x, int y, int width, int height, int rings, int grey, bool pressed) {
    const BevelColours colours = bevel_colours(grey, pressed);
    for (int i = 1; i <= rings; ++i) {
        const int left = x - i;
        const int top = y - i;
        const int right = x + width + i;
        const int bottom = y + height + i;
        painter.fillRect(QRect(left, top, 1, bottom - top + 1), colours.top_left);
        painter.fillRect(QRect(left, top, right - left, 1), colours.top_left);
        painter.fillRect(QRect(right, top, 1, bottom - top + 1), colours.bottom_right);
        painter.fillRect(QRect(left + 1, bottom, right - left, 1), colours.bottom_right);
    }
}

bool point_in_rectangle(int x, int y, int x0, int y0, int x1, int y1) {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    return x >= x0 && x <= x1 && y >= y0 && y <= y1;
}

int text_width(const QString& text, const QWidget* window, const InterfaceFont& font) {
    const QFontMetrics metrics = window ? QFontMetrics(font.font, window) : QFontMetrics(font.font);
    return metrics.horizontalAdvance(text);
}

}  // namespace lumivane

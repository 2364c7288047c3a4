#include "ui/image_drawing.h"

#include <cstring>

#include "imaging/memory_bitmap.h"

namespace lumivane {

namespace {

// One block of n rows starting at row p, flipped into a top-down picture of the same
// bytes (Qt knows blue, green, red order), which the painter converts as it draws.
template <bool Colour>
QImage block_picture(const ImageBuffer& image, std::int32_t p, std::int32_t n) {
    QImage picture(image.width, n, Colour ? QImage::Format_BGR888 : QImage::Format_Grayscale8);
    const std::size_t row_bytes = static_cast<std::size_t>(image.width) * (Colour ? 3 : 1);
    for (std::int32_t i = 0; i < n; ++i) std::memcpy(picture.scanLine(i), image.rows[p + n - 1 - i], row_bytes);
    return picture;
}

template <bool Colour>
void draw_blocks(QPainter& painter, const ImageBuffer& image, int x, int y, qreal ratio) {
    if (image.empty() || image.width <= 0) return;
    if (image.kind != (Colour ? PixelFormat::Colour8 : PixelFormat::Grey8)) return;
    for (std::int32_t p = 0; p < image.height; p += image.rows_per_block) {
        const std::int32_t n = std::min(image.rows_per_block, image.height - p);
        QImage picture = block_picture<Colour>(image, p, n);
        picture.setDevicePixelRatio(ratio);
        painter.drawImage(QPointF(x, y + (image.height - p - n) / ratio), picture);
    }
}

}  // namespace

void image_draw_grey8(QPainter& painter, const ImageBuffer& image, int x, int y, qreal ratio) {
    draw_blocks<false>(painter, image, x, y, ratio);
}

void image_draw_colour8(QPainter& painter, const ImageBuffer& image, int x, int y, qreal ratio) {
    draw_blocks<true>(painter, image, x, y, ratio);
}

void frame_draw(QImage& picture, const FrameBitmap& frame) {
    if (!frame.pixels || frame.width <= 0 || frame.height <= 0) return;
    if (picture.width() != frame.width || picture.height() != frame.height ||
        picture.format() != QImage::Format_RGB32) {
        picture = QImage(frame.width, frame.height, QImage::Format_RGB32);
    }
    MemoryBitmap target{picture.bits(), picture.width(), picture.height(), picture.bytesPerLine()};
    static_cast<void>(frame_draw(target, frame));  // the picture was made to the frame's size
}

}  // namespace lumivane

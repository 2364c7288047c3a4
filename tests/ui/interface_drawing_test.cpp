#include "ui/interface_drawing.h"

#include <gtest/gtest.h>

#include <QImage>

namespace lumivane {
namespace {

TEST(Bevel, RingsTakeTheirColoursEdgeByEdge) {
    struct Case {
        int grey;
        bool pressed;
        QRgb top_left, bottom_right;
    };
    const Case cases[] = {
        {192, false, qRgb(224, 224, 224), qRgb(160, 160, 160)},  // the image bar's raised button
        {192, true, qRgb(160, 0, 0), qRgb(224, 32, 32)},         // and pressed
        {240, false, qRgb(255, 255, 255), qRgb(208, 208, 208)},  // channels stay in 0..255
        {10, true, qRgb(0, 0, 0), qRgb(42, 32, 32)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.grey);
        QImage picture(40, 40, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        {
            QPainter painter(&picture);
            draw_bevel(painter, 10, 10, 20, 10, 2, c.grey, c.pressed);
        }
        for (int i = 1; i <= 2; ++i) {
            const int left = 10 - i, top = 10 - i, right = 30 + i, bottom = 20 + i;
            EXPECT_EQ(picture.pixel(left, top), c.top_left);
            EXPECT_EQ(picture.pixel(left, bottom), c.top_left);       // the left column's end
            EXPECT_EQ(picture.pixel(right - 1, top), c.top_left);     // the top row's end
            EXPECT_EQ(picture.pixel(right, top), c.bottom_right);     // the right column's start
            EXPECT_EQ(picture.pixel(right, bottom), c.bottom_right);
            EXPECT_EQ(picture.pixel(left + 1, bottom), c.bottom_right);
        }
        EXPECT_EQ(picture.pixel(10, 10), qRgb(0, 0, 255));  // inside stays as it was
        EXPECT_EQ(picture.pixel(7, 7), qRgb(0, 0, 255));    // and beyond the rings
    }
}

TEST(PointInRectangle, BothEndsCountWhicheverIsLarger) {
    struct Case {
        int x, y, x0, y0, x1, y1;
        bool inside;
    };
    const Case cases[] = {{0, 10, 0, 0, 10, 10, true}, {10, 0, 10, 10, 0, 0, true}, {11, 5, 0, 0, 10, 10, false},
                          {5, -1, 10, 10, 0, 0, false}, {3, 3, 3, 3, 3, 3, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(point_in_rectangle(c.x, c.y, c.x0, c.y0, c.x1, c.y1), c.inside)
            << c.x << "," << c.y << " in " << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1;
    }
}

}  // namespace
}  // namespace lumivane

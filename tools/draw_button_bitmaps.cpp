// Draws the program's button pictures and writes them as 24-bit bitmap files into the
// folder given on the command line (the repository keeps them in resources/bitmaps):
//   build/default/tools/draw_button_bitmaps resources/bitmaps
// Each picture is drawn on a 64 x 64 grid with bold shapes, so that it stays clear when
// the buttons reduce it to 20 to 60 pixels.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int size = 64;

const QColor background(0xF3, 0xF3, 0xEF);
const QColor slate(0x3C, 0x48, 0x56);
const QColor blue(0x2A, 0x66, 0xC8);
const QColor green(0x2E, 0x9A, 0x3C);
const QColor red(0xD0, 0x3A, 0x30);
const QColor orange(0xE0, 0x84, 0x1E);
const QColor paper(0xFF, 0xFF, 0xFF);

QPen pen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine) {
    return QPen(colour, width, style, Qt::RoundCap, Qt::RoundJoin);
}

void fill_polygon(QPainter& p, const QColor& colour, const std::vector<QPointF>& points) {
    p.setPen(pen(colour, 3));
    p.setBrush(colour);
    p.drawPolygon(points.data(), static_cast<int>(points.size()));
}

// A triangle pointing right (direction 1) or left (-1), its tip at x.
void triangle(QPainter& p, const QColor& colour, double x, double direction, double length, double half_height,
              double y = 32) {
    fill_polygon(p, colour, {{x, y}, {x - direction * length, y - half_height}, {x - direction * length, y + half_height}});
}

// An arrow with a shaft, pointing right (1) or left (-1), its tip at x.
void arrow(QPainter& p, const QColor& colour, double x, double direction) {
    const double d = direction;
    fill_polygon(p, colour,
                 {{x, 32}, {x - d * 22, 10}, {x - d * 22, 23}, {x - d * 48, 23}, {x - d * 48, 41}, {x - d * 22, 41},
                  {x - d * 22, 54}});
}

// A slide: a white frame holding a small landscape.
void slide(QPainter& p, double x, double y, double w, double h) {
    p.setPen(pen(slate, 3));
    p.setBrush(paper);
    p.drawRect(QRectF(x, y, w, h));
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    const QPointF hills[] = {{x + 3, y + h - 3}, {x + w * 0.4, y + h * 0.45}, {x + w * 0.62, y + h * 0.7},
                             {x + w * 0.78, y + h * 0.55}, {x + w - 3, y + h - 3}};
    p.drawPolygon(hills, 5);
    p.setBrush(orange);
    p.drawEllipse(QPointF(x + w * 0.72, y + h * 0.27), w * 0.12, w * 0.12);
}

void plus(QPainter& p, double cx, double cy) {
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawRoundedRect(QRectF(cx - 12, cy - 4.5, 24, 9), 2, 2);
    p.drawRoundedRect(QRectF(cx - 4.5, cy - 12, 9, 24), 2, 2);
}

void axes(QPainter& p) {
    p.setPen(pen(slate, 3.5));
    p.drawLine(QPointF(9, 6), QPointF(9, 55));
    p.drawLine(QPointF(9, 55), QPointF(58, 55));
}

// A box to be centred between two solid triangles pointing at it, with the centre
// line through it; vertical turns the whole picture a quarter.
void centring(QPainter& p, bool vertical) {
    if (vertical) {
        p.translate(32, 32);
        p.rotate(90);
        p.translate(-32, -32);
    }
    p.setPen(pen(slate, 2.5, Qt::DashLine));
    p.drawLine(QPointF(32, 4), QPointF(32, 60));
    p.setPen(pen(orange, 5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(21, 17, 22, 30));
    triangle(p, blue, 16, 1, 12, 11);
    triangle(p, blue, 48, -1, 12, 11);
}

void draw_run(QPainter& p) { fill_polygon(p, green, {{18, 10}, {54, 32}, {18, 54}}); }

void draw_pause(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawRoundedRect(QRectF(15, 11, 13, 42), 2, 2);
    p.drawRoundedRect(QRectF(36, 11, 13, 42), 2, 2);
}

void draw_prev(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawRoundedRect(QRectF(9, 12, 9, 40), 2, 2);
    triangle(p, blue, 21, -1, 33, 20);
}

void draw_next(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawRoundedRect(QRectF(46, 12, 9, 40), 2, 2);
    triangle(p, blue, 43, 1, 33, 20);
}

void draw_settings(QPainter& p) {
    // A cog of eight teeth around a hub with a hole.
    QPainterPath cog;
    const int teeth = 8;
    for (int i = 0; i < 2 * teeth; ++i) {
        const double a0 = (i - 0.5) * M_PI / teeth;
        const double a1 = (i + 0.5) * M_PI / teeth;
        const double r = i % 2 == 0 ? 28 : 20;
        const double inset = i % 2 == 0 ? 0.12 : 0.0;  // teeth narrow towards their tips
        const QPointF from(32 + r * std::cos(a0 + inset), 32 + r * std::sin(a0 + inset));
        const QPointF to(32 + r * std::cos(a1 - inset), 32 + r * std::sin(a1 - inset));
        if (i == 0) {
            cog.moveTo(from);
        } else {
            cog.lineTo(from);
        }
        cog.lineTo(to);
    }
    cog.closeSubpath();
    cog.addEllipse(QPointF(32, 32), 8, 8);
    cog.setFillRule(Qt::OddEvenFill);
    p.setPen(pen(slate, 1.5));
    p.setBrush(slate);
    p.drawPath(cog);
}

void draw_trash(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(slate);
    p.drawRoundedRect(QRectF(25, 6, 14, 7), 2, 2);   // handle
    p.drawRoundedRect(QRectF(11, 11, 42, 7), 2, 2);  // lid
    const QPointF body[] = {{15, 21}, {49, 21}, {45, 58}, {19, 58}};
    p.drawPolygon(body, 4);
    p.setPen(pen(background, 3.5));
    for (const double x : {24.5, 32.0, 39.5}) p.drawLine(QPointF(x, 27), QPointF(x + (x - 32) * 0.12, 52));
}

void draw_cut(QPainter& p) {
    // Blades crossing at the pivot, handles below.
    p.setPen(pen(slate, 6));
    p.drawLine(QPointF(25, 38), QPointF(46, 6));
    p.drawLine(QPointF(39, 38), QPointF(18, 6));
    p.setPen(pen(red, 5.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(20, 46), 9, 9);
    p.drawEllipse(QPointF(44, 46), 9, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(background);
    p.drawEllipse(QPointF(32, 27), 2.5, 2.5);
}

void draw_copy(QPainter& p) {
    auto sheet = [&](double x, double y, const QColor& edge) {
        p.setPen(pen(edge, 3.5));
        p.setBrush(paper);
        p.drawRect(QRectF(x, y, 28, 36));
        p.setPen(pen(edge, 3));
        for (int i = 0; i < 3; ++i) p.drawLine(QPointF(x + 6, y + 10 + 8 * i), QPointF(x + 22, y + 10 + 8 * i));
    };
    sheet(8, 6, slate);
    sheet(27, 22, blue);
}

void draw_insert_before(QPainter& p) {
    slide(p, 29, 12, 30, 40);
    plus(p, 15, 32);
}

void draw_insert_after(QPainter& p) {
    slide(p, 5, 12, 30, 40);
    plus(p, 49, 32);
}

void draw_help(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawEllipse(QPointF(32, 32), 28, 28);
    QPainterPath hook;
    hook.moveTo(22, 24);
    hook.cubicTo(22, 11, 42, 11, 42, 23);
    hook.cubicTo(42, 31, 32, 31, 32, 40);
    p.setPen(pen(paper, 7));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawEllipse(QPointF(32, 50), 4.5, 4.5);
}

void draw_left(QPainter& p) { arrow(p, blue, 6, -1); }
void draw_right(QPainter& p) { arrow(p, blue, 58, 1); }

void draw_expand_crop_box(QPainter& p) {
    // Corner marks of the largest box, and arrows from a small box out to them.
    p.setPen(pen(orange, 6));
    p.setBrush(Qt::NoBrush);
    const double lo = 6, hi = 58, arm = 15;
    for (const double x : {lo, hi}) {
        for (const double y : {lo, hi}) {
            const double dx = x == lo ? arm : -arm;
            const double dy = y == lo ? arm : -arm;
            const QPointF corner[] = {{x + dx, y}, {x, y}, {x, y + dy}};
            p.drawPolyline(corner, 3);
        }
    }
    p.setPen(pen(slate, 4));
    p.drawRect(QRectF(26, 26, 12, 12));
    for (const double sx : {-1.0, 1.0}) {
        for (const double sy : {-1.0, 1.0}) {
            const QPointF from(32 + sx * 9, 32 + sy * 9);
            const QPointF tip(32 + sx * 19, 32 + sy * 19);
            p.setPen(pen(slate, 4));
            p.drawLine(from, tip);
            fill_polygon(p, slate, {tip + QPointF(sx * 2, sy * 2), tip + QPointF(-sx * 7, sy * 1),
                                    tip + QPointF(sx * 1, -sy * 7)});
        }
    }
}

void draw_reflect_horizontal(QPainter& p) { centring(p, false); }
void draw_reflect_vertical(QPainter& p) { centring(p, true); }

void draw_linear(QPainter& p) {
    axes(p);
    p.setPen(pen(blue, 5.5));
    p.drawLine(QPointF(13, 51), QPointF(56, 9));
}

void draw_spline(QPainter& p) {
    axes(p);
    QPainterPath curve;
    curve.moveTo(13, 51);
    curve.cubicTo(44, 51, 26, 9, 56, 9);
    p.setPen(pen(blue, 5.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
}

struct Picture {
    const char* file;
    std::function<void(QPainter&)> draw;
};

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_button_bitmaps FOLDER\n");
        return 2;
    }
    const Picture pictures[] = {
        {"Run.bmp", draw_run},
        {"Pause.bmp", draw_pause},
        {"Prev.bmp", draw_prev},
        {"Next.bmp", draw_next},
        {"Settings.bmp", draw_settings},
        {"Trash.bmp", draw_trash},
        {"Cut.bmp", draw_cut},
        {"Copy.bmp", draw_copy},
        {"Insert Before.bmp", draw_insert_before},
        {"Insert After.bmp", draw_insert_after},
        {"Help.bmp", draw_help},
        {"Left.bmp", draw_left},
        {"Right.bmp", draw_right},
        {"Expand Crop Box.bmp", draw_expand_crop_box},
        {"Reflect Horizontal.bmp", draw_reflect_horizontal},
        {"Reflect Vertical.bmp", draw_reflect_vertical},
        {"Linear.bmp", draw_linear},
        {"Spline.bmp", draw_spline},
    };
    for (const Picture& picture : pictures) {
        QImage image(size, size, QImage::Format_RGB32);
        image.fill(background);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            picture.draw(painter);
        }
        const QString path = QString::fromLocal8Bit(argv[1]) + "/" + picture.file;
        if (!image.convertToFormat(QImage::Format_RGB888).save(path, "BMP")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

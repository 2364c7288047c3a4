// How a slide's path moves from one displayed picture to the next, in exact and in
// smooth motion, drawn by the processor and, where an OpenGL 3.3 context can be made
// (a display: QT_QPA_PLATFORM=xcb under Xvfb), on the graphics processor: renders the
// path's first frames as the timeline does, 60 a second (slowed down as asked), and
// measures the shift between each two pictures by registering them (Lucas-Kanade on
// their brightness). Prints the shift the box's edges ask for beside the measured ones,
// and how far each way strays from it.
//
//   motion_steps SHOW_FOLDER SLIDE WIDTH HEIGHT [FRAMES [SLOWER]]
//
// SLIDE counts from 0; SLOWER stretches the path's first segment that many times.

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>

#include <algorithm>
#include <memory>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/motion_setting.h"
#include "app/show_folder.h"
#include "app/show_images.h"
#include "document/show_index.h"
#include "imaging/frame_bitmap.h"
#include "playback/pan_zoom.h"
#include "support/silent_ui.h"
#include "ui/gl_playback_view.h"
#include "ui/gl_scene_renderer.h"

namespace {

using namespace lumivane;

struct Brightness {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<double> values;  // rows from the top

    double at(std::int32_t x, std::int32_t y) const { return values[static_cast<std::size_t>(y) * width + x]; }
    double between(double x, double y) const {
        const auto x0 = static_cast<std::int32_t>(std::floor(x)), y0 = static_cast<std::int32_t>(std::floor(y));
        const double fx = x - x0, fy = y - y0;
        return (1 - fy) * ((1 - fx) * at(x0, y0) + fx * at(x0 + 1, y0)) +
               fy * ((1 - fx) * at(x0, y0 + 1) + fx * at(x0 + 1, y0 + 1));
    }
};

// Pixels of 3 or 4 bytes, blue, green, red, rows bottom row first.
Brightness brightness(const std::uint8_t* pixels, std::int32_t width, std::int32_t height, std::int64_t stride,
                      std::int32_t bytes) {
    Brightness b{width, height, std::vector<double>(static_cast<std::size_t>(width) * height)};
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels + (height - 1 - y) * stride;
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint8_t* p = row + bytes * x;
            b.values[static_cast<std::size_t>(y) * width + x] = 0.114 * p[0] + 0.587 * p[1] + 0.299 * p[2];
        }
    }
    return b;
}

// The graphics processor's pictures, read back; none without an OpenGL 3.3 context.
struct GraphicsPath {
    QOpenGLContext context;
    QOffscreenSurface surface;
    std::unique_ptr<QOpenGLFramebufferObject> target;
    GlSceneRenderer renderer;
    std::vector<std::uint8_t> pixels;

    bool start(std::int32_t width, std::int32_t height) {
        context.setFormat(playback_surface_format());
        surface.setFormat(context.format());
        surface.create();
        if (!context.create() || !context.makeCurrent(&surface) || renderer.initialise()) return false;
        target = std::make_unique<QOpenGLFramebufferObject>(width, height);
        pixels.resize(4 * static_cast<std::size_t>(width) * height);
        return target->bind();
    }
    Brightness draw(const SlideShow& show, std::int32_t slide, double progress, Motion motion, std::int32_t width,
                    std::int32_t height) {
        PlaybackScene scene;
        scene.shown = {slide, 0, progress};
        renderer.draw(show, scene, motion, width, height);
        context.functions()->glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
        return brightness(pixels.data(), width, height, 4 * std::int64_t{width}, 4);
    }
};

// The shift (dx, dy) for which after(x, y) is before(x + dx, y + dy), refined from the
// guess given; a margin keeps every sample inside both pictures.
void register_shift(const Brightness& before, const Brightness& after, double& dx, double& dy) {
    const std::int32_t margin = 40;
    for (int step = 0; step < 8; ++step) {
        double xx = 0, xy = 0, yy = 0, ex = 0, ey = 0;
        for (std::int32_t y = margin; y < after.height - margin; y += 2) {
            for (std::int32_t x = margin; x < after.width - margin; x += 2) {
                const double px = x + dx, py = y + dy;
                const double gx = (before.between(px + 1, py) - before.between(px - 1, py)) / 2;
                const double gy = (before.between(px, py + 1) - before.between(px, py - 1)) / 2;
                const double e = after.at(x, y) - before.between(px, py);
                xx += gx * gx, xy += gx * gy, yy += gy * gy, ex += gx * e, ey += gy * e;
            }
        }
        const double det = xx * yy - xy * xy;
        if (det == 0) return;
        const double sx = (yy * ex - xy * ey) / det, sy = (xx * ey - xy * ex) / det;
        dx += sx, dy += sy;
        if (std::abs(sx) < 1e-4 && std::abs(sy) < 1e-4) return;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: motion_steps SHOW_FOLDER SLIDE WIDTH HEIGHT [FRAMES [SLOWER]]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::int32_t slide = std::atoi(argv[2]), width = std::atoi(argv[3]), height = std::atoi(argv[4]);
    const std::int32_t frames = argc > 5 ? std::atoi(argv[5]) : 60;
    const double slower = argc > 6 ? std::atof(argv[6]) : 1.0;
    QGuiApplication application(argc, argv);
    testing::SilentUi ui;
    AppContext context(ui);
    context.show.show_folder = std::u16string(folder.begin(), folder.end());
    if (read_show(context, context.show.show_folder, u"index.ssi")) return 1;
    load_show_images(context);
    if (slide < 0 || slide >= context.show.slide_count() || width < 100 || height < 100) return 2;
    const Slide& shown = context.show.slides[static_cast<std::size_t>(slide)];
    if (shown.frames.empty()) return 2;
    const double delay = shown.frames[0].delay < 0 ? context.show.settings.default_delay : shown.frames[0].delay;
    const double step = 1.0 / (60.0 * delay * slower);

    GraphicsPath graphics;
    const bool on_graphics = graphics.start(width, height);
    // By way: the processor's exact and smooth motion, then the graphics processor's.
    const char* const names[] = {"processor exact", "processor smooth", "graphics exact", "graphics smooth"};
    const std::int32_t ways = on_graphics ? 4 : 2;
    std::vector<double> wanted, measured[4];
    for (std::int32_t way = 0; way < ways; ++way) {
        const Motion motion = way % 2 == 0 ? Motion::Exact : Motion::Smooth;
        set_motion(context, motion);
        FrameBitmap frame;
        if (frame_create(frame, width, height)) return 1;
        Brightness before;
        for (std::int32_t k = 0; k <= frames; ++k) {
            Brightness after;
            if (way < 2) {
                static_cast<void>(render_slide_frame(context.show, slide, 0, k * step, motion, frame));
                after = brightness(frame.pixels.get(), width, height, frame.stride, 3);
            } else {
                after = graphics.draw(context.show, slide, k * step, motion, width, height);
            }
            if (k > 0) {
                const PictureBox a = slide_picture_box(context.show, shown, 0, (k - 1) * step, width, height);
                const PictureBox b = slide_picture_box(context.show, shown, 0, k * step, width, height);
                const double scale = (b.right - b.left) / (width - 1);
                if (way == 0) wanted.push_back((b.left - a.left) / scale);
                double dx = std::round((b.left - a.left) / scale), dy = std::round((b.top - a.top) / scale);
                register_shift(before, after, dx, dy);
                measured[way].push_back(dx);
            }
            before = std::move(after);
        }
    }
    std::printf("frame  wanted_dx  exact_dx  smooth_dx%s\n", on_graphics ? "  gl_exact_dx  gl_smooth_dx" : "");
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        std::printf("%5zu %10.3f %9.3f %10.3f", i + 1, wanted[i], measured[0][i], measured[1][i]);
        if (on_graphics) std::printf(" %12.3f %13.3f", measured[2][i], measured[3][i]);
        std::printf("\n");
    }
    if (!on_graphics) std::printf("no OpenGL 3.3 context here: the processor's pictures only\n");
    for (std::int32_t way = 0; way < ways; ++way) {
        double squares = 0, largest = 0;
        std::int32_t still = 0;
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            const double e = measured[way][i] - wanted[i];
            squares += e * e;
            largest = std::max(largest, std::abs(e));
            if (std::abs(measured[way][i]) < 0.02) ++still;
        }
        std::printf("%-16s: rms error %.3f px, largest %.3f px, %d of %zu frames without movement\n", names[way],
                    std::sqrt(squares / wanted.size()), largest, still, wanted.size());
    }
    if (on_graphics) graphics.renderer.release();
    return 0;
}

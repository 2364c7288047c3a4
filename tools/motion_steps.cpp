// How a slide's path moves from one displayed picture to the next, in exact and in
// smooth motion: renders the path's first frames as the timeline does, 60 a second
// (slowed down as asked), and measures the shift between each two pictures by
// registering them (Lucas-Kanade on their brightness). Prints the shift the box's edges
// ask for beside the two measured ones, and how far each motion strays from it.
//
//   motion_steps SHOW_FOLDER SLIDE WIDTH HEIGHT [FRAMES [SLOWER]]
//
// SLIDE counts from 0; SLOWER stretches the path's first segment that many times.

#include <algorithm>
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
#include "playback/motion.h"
#include "playback/pan_zoom.h"
#include "support/silent_ui.h"

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

Brightness brightness(const FrameBitmap& frame) {
    Brightness b{frame.width, frame.height, std::vector<double>(static_cast<std::size_t>(frame.width) * frame.height)};
    for (std::int32_t y = 0; y < frame.height; ++y) {
        const std::uint8_t* row = frame.row(frame.height - 1 - y);
        for (std::int32_t x = 0; x < frame.width; ++x) {
            b.values[static_cast<std::size_t>(y) * frame.width + x] =
                0.114 * row[3 * x] + 0.587 * row[3 * x + 1] + 0.299 * row[3 * x + 2];
        }
    }
    return b;
}

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

    std::vector<double> wanted, measured[2];
    for (const Motion motion : {Motion::Exact, Motion::Smooth}) {
        static_cast<void>(set_motion(context, motion));
        FrameBitmap frame;
        if (frame_create(frame, width, height)) return 1;
        Brightness before;
        for (std::int32_t k = 0; k <= frames; ++k) {
            static_cast<void>(render_slide_frame(context.show, slide, 0, k * step, motion, frame));
            Brightness after = brightness(frame);
            if (k > 0) {
                const PictureBox a = slide_picture_box(context.show, shown, 0, (k - 1) * step, width, height);
                const PictureBox b = slide_picture_box(context.show, shown, 0, k * step, width, height);
                const double scale = (b.right - b.left) / (width - 1);
                if (motion == Motion::Exact) wanted.push_back((b.left - a.left) / scale);
                double dx = std::round((b.left - a.left) / scale), dy = std::round((b.top - a.top) / scale);
                register_shift(before, after, dx, dy);
                measured[static_cast<std::size_t>(motion)].push_back(dx);
            }
            before = std::move(after);
        }
    }
    std::printf("frame  wanted_dx  exact_dx  smooth_dx\n");
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        std::printf("%5zu %10.3f %9.3f %10.3f\n", i + 1, wanted[i], measured[0][i], measured[1][i]);
    }
    for (const Motion motion : {Motion::Exact, Motion::Smooth}) {
        double squares = 0, largest = 0;
        std::int32_t still = 0;
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            const double e = measured[static_cast<std::size_t>(motion)][i] - wanted[i];
            squares += e * e;
            largest = std::max(largest, std::abs(e));
            if (std::abs(measured[static_cast<std::size_t>(motion)][i]) < 0.02) ++still;
        }
        std::printf("%s: rms error %.3f px, largest %.3f px, %d of %zu frames without movement\n",
                    motion == Motion::Exact ? "exact " : "smooth", std::sqrt(squares / wanted.size()), largest, still,
                    wanted.size());
    }
    return 0;
}

#include "playback/pan_zoom.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <numbers>

#include "document/slide_show.h"
#include "imaging/frame_bitmap.h"
#include "imaging/memory_bitmap.h"
#include "imaging/worker_pool.h"
#include "platform/user_interface.h"

namespace lumivane {

namespace {

// Box edges come from files and may be huge or not numbers at all. Held to 2^30 pixels
// either side, every sampling map entry is computed in 64 bits without overflow.
constexpr std::int64_t edge_limit = std::int64_t{1} << 30;

double hold_real(double v) {
    const double limit = static_cast<double>(edge_limit);
    return std::isnan(v) ? 0.0 : std::clamp(v, -limit, limit);
}

// A fraction times a picture side, rounded half away from zero; not-a-number gives 0.
std::int64_t pixel_edge(double v) {
    v = hold_real(v);
    return static_cast<std::int64_t>(v >= 0 ? v + 0.5 : v - 0.5);
}

// The whole picture with black bars to the frame's proportions (integer arithmetic,
// division truncating toward zero).
PixelBox fit_pixel_box(std::int64_t w, std::int64_t h, std::int64_t frame_width, std::int64_t frame_height) {
    std::int64_t m = (w - 1) * frame_height / frame_width;
    std::int64_t o = w - 1;
    if (m < h - 1) {
        m = h - 1;
        o = (h - 1) * frame_width / frame_height;
    }
    PixelBox box{0, 0, w - 1, h - 1};
    if (w - 1 < o) {
        box.left = (w - 1 - o) / 2;
        box.right = w - 1 - box.left;
    } else if (h - 1 < m) {
        box.top = (h - 1 - m) / 2;
        box.bottom = h - 1 - box.top;
    }
    return box;
}

// Frame positions 0..count - 1 spread evenly over from..to, rounded to the nearest
// picture position; positions outside 0..limit - 1 become -1 (black).
void fill_map(std::int32_t* map, std::int32_t count, std::int64_t from, std::int64_t to, std::int32_t limit) {
    const std::int64_t span = count - 1;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int64_t v = span == 0 ? from : from + (i * (to - from) + span / 2) / span;
        map[i] = v >= 0 && v < limit ? static_cast<std::int32_t>(v) : -1;
    }
}

bool has_pixels(const FrameBitmap& frame) { return frame.pixels && frame.width > 0 && frame.height > 0; }

// Where a rendering goes: the bottom-up rows of a 24-bit frame, or the window's 32-bit
// top-down picture.
struct RenderTarget {
    FrameBitmap* frame = nullptr;
    MemoryBitmap* picture = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;

    void clear() const {
        if (frame) frame_clear(*frame);
        if (picture) memory_bitmap_clear(*picture);
    }
};

// One frame row from picture row `in`, nearest neighbour; black outside the picture.
void sample_row(const std::uint8_t* in, const std::int32_t* columns, std::uint8_t* out, std::int32_t width) {
    for (std::int32_t j = 0; j < width; ++j, out += 3) {
        if (columns[j] < 0) {
            out[0] = out[1] = out[2] = 0;
        } else {
            const std::uint8_t* pixel = in + 3 * static_cast<std::size_t>(columns[j]);
            out[0] = pixel[0];
            out[1] = pixel[1];
            out[2] = pixel[2];
        }
    }
}

// The same row straight into the window's picture: 32-bit pixels, opaque; no picture
// row at all is a black row. Each pixel is read as 4 bytes, the fourth replaced by 255,
// except the picture's last column, whose fourth byte may lie past the row.
void sample_row_opaque(const std::uint8_t* in, std::int32_t in_width, const std::int32_t* columns, std::uint8_t* out,
                       std::int32_t width) {
    constexpr std::uint32_t opaque = 0xFF000000u;
    for (std::int32_t j = 0; j < width; ++j) {
        std::uint32_t v = 0;
        if (in && columns[j] >= 0) {
            const std::uint8_t* p = in + 3 * static_cast<std::size_t>(columns[j]);
            if (columns[j] < in_width - 1) {
                std::memcpy(&v, p, 4);
            } else {
                v = p[0] | p[1] << 8 | p[2] << 16;
            }
        }
        v |= opaque;
        std::memcpy(out + 4 * static_cast<std::size_t>(j), &v, 4);
    }
}

bool valid_slide(const SlideShow& show, std::int32_t slide_index) {
    return slide_index >= 0 && slide_index < show.slide_count();
}

}  // namespace

double path_progress(Interpolation interpolation, double t) {
    t = std::isnan(t) ? 0.0 : std::clamp(t, 0.0, 1.0);
    if (interpolation == Interpolation::Nonlinear) return 1.0 - (1.0 + std::cos(std::numbers::pi * t)) / 2.0;
    return t;
}

PictureBox slide_picture_box(const SlideShow& show, const Slide& slide, std::int32_t key_frame, double progress,
                             std::int32_t frame_width, std::int32_t frame_height) {
    const std::int64_t w = picture_width(slide.picture);
    const std::int64_t h = picture_height(slide.picture);
    const SlideStyle style = effective_style(show, slide);
    const std::int32_t count = slide.frame_count();
    if ((style != SlideStyle::Crop && style != SlideStyle::Path) || count == 0) {
        const PixelBox b = fit_pixel_box(w, h, std::max(frame_width, 1), std::max(frame_height, 1));
        return {hold_real(static_cast<double>(b.left)), hold_real(static_cast<double>(b.top)),
                hold_real(static_cast<double>(b.right)), hold_real(static_cast<double>(b.bottom))};
    }
    // The last key frame (or one past it) is shown at rest.
    const std::int32_t k = std::clamp(key_frame, 0, count - 1);
    const PanFrame& from = slide.frames[static_cast<std::size_t>(k)];
    const double sw = static_cast<double>(w - 1);
    const double sh = static_cast<double>(h - 1);
    if (style == SlideStyle::Crop || k + 1 == count) {
        return {hold_real(from.left * sw), hold_real(from.top * sh), hold_real(from.right * sw),
                hold_real(from.bottom * sh)};
    }
    const PanFrame& to = slide.frames[static_cast<std::size_t>(k) + 1];
    const double t = path_progress(slide.interpolation, progress);
    const auto edge = [t](double a, double b, double s) { return hold_real((1.0 - t) * a * s + t * b * s); };
    return {edge(from.left, to.left, sw), edge(from.top, to.top, sh), edge(from.right, to.right, sw),
            edge(from.bottom, to.bottom, sh)};
}

PixelBox slide_pixel_box(const SlideShow& show, const Slide& slide, std::int32_t key_frame, double progress,
                         std::int32_t frame_width, std::int32_t frame_height) {
    const PictureBox b = slide_picture_box(show, slide, key_frame, progress, frame_width, frame_height);
    return {pixel_edge(b.left), pixel_edge(b.top), pixel_edge(b.right), pixel_edge(b.bottom)};
}

void exact_maps(std::int32_t image_width, std::int32_t image_height, const PictureBox& box, std::int32_t width,
                std::int32_t height, std::int32_t* columns, std::int32_t* rows) {
    // Frame and picture rows are both stored bottom row first.
    fill_map(columns, width, pixel_edge(box.left), pixel_edge(box.right), image_width);
    fill_map(rows, height, image_height - 1 - pixel_edge(box.bottom), image_height - 1 - pixel_edge(box.top),
             image_height);
}

namespace {

// Exact motion: the box rounded to whole pixels, each frame pixel the nearest picture
// pixel.
bool render_exact(const ImageBuffer& image, const PictureBox& box, const RenderTarget& target) {
    const std::int32_t width = target.width;
    const std::int32_t height = target.height;
    std::unique_ptr<std::int32_t[]> maps(new (std::nothrow) std::int32_t[static_cast<std::size_t>(width) + height]);
    if (!maps) return true;
    std::int32_t* const columns = maps.get();
    std::int32_t* const rows = columns + width;
    exact_maps(image.width, image.height, box, width, height, columns, rows);

    return pool_run_rows(
        processor_count(),
        [&](std::int32_t first, std::int32_t last) {
            for (std::int32_t i = first; i <= last; ++i) {
                // A frame row outside the picture is black.
                const std::uint8_t* in = rows[i] < 0 ? nullptr : image.rows[static_cast<std::size_t>(rows[i])];
                const bool repeated = i > first && rows[i] == rows[i - 1] && in;
                if (target.picture) {
                    std::uint8_t* out = target.picture->row(height - 1 - i);
                    if (repeated) {
                        // Enlarging repeats picture rows: copy the row just made.
                        std::memcpy(out, out + target.picture->stride, 4 * static_cast<std::size_t>(width));
                    } else {
                        sample_row_opaque(in, image.width, columns, out, width);
                    }
                } else if (!in) {
                    std::fill_n(target.frame->row(i), target.frame->stride, std::uint8_t{0});
                } else if (repeated) {
                    std::memcpy(target.frame->row(i), target.frame->row(i - 1), 3 * static_cast<std::size_t>(width));
                } else {
                    sample_row(in, columns, target.frame->row(i), width);
                }
            }
            return false;
        },
        height);
}

}  // namespace

PictureBox box_in_picture(const PictureBox& box, const PictureSource& source, const ImageBuffer& image) {
    if (image.width == source.width && image.height == source.height) return box;
    const double sx = source.width > 1 ? static_cast<double>(image.width - 1) / (source.width - 1) : 1.0;
    const double sy = source.height > 1 ? static_cast<double>(image.height - 1) / (source.height - 1) : 1.0;
    return {box.left * sx, box.top * sy, box.right * sx, box.bottom * sy};
}

namespace {

bool render_box(const Slide& slide, const PictureBox& box, Motion motion, PictureNeed need,
                const RenderTarget& target) {
    const PictureView view = picture_get(slide.picture, need);
    // A slide whose file could not be read has no picture to show.
    const ImageBuffer* image = view.image.get();
    if (!image || image->kind != PixelFormat::Colour8 || image->width <= 0 || image->height <= 0) {
        target.clear();
        return false;
    }
    const PictureBox in_picture = box_in_picture(box, slide.picture->source, *image);
    if (motion != Motion::Smooth) return render_exact(*image, in_picture, target);
    static const std::vector<ImageBuffer> no_levels;
    const std::vector<ImageBuffer>& levels = view.levels ? *view.levels : no_levels;
    return target.frame ? smooth_render(*image, levels, in_picture, *target.frame)
                        : smooth_render(*image, levels, in_picture, *target.picture);
}

bool render_slide(const SlideShow& show, std::int32_t slide_index, std::int32_t key_frame, double progress,
                  Motion motion, const RenderTarget& target) {
    if (show.slides.empty()) {
        target.clear();
        return false;
    }
    if (!valid_slide(show, slide_index)) return true;
    const Slide& slide = show.slides[static_cast<std::size_t>(slide_index)];
    return render_box(slide, slide_picture_box(show, slide, key_frame, progress, target.width, target.height), motion,
                      picture_need(show, slide, motion, target.width, target.height), target);
}

bool fits_picture(const MemoryBitmap& picture) {
    return picture.width > 0 && picture.height > 0 && fits_memory_bitmap(picture, picture.width, picture.height);
}

}  // namespace

bool render_slide_frame(const SlideShow& show, std::int32_t slide_index, std::int32_t key_frame, double progress,
                        Motion motion, FrameBitmap& frame) {
    if (!has_pixels(frame)) return true;
    return render_slide(show, slide_index, key_frame, progress, motion, {&frame, nullptr, frame.width, frame.height});
}

bool render_slide_picture(const SlideShow& show, std::int32_t slide_index, std::int32_t key_frame, double progress,
                          Motion motion, MemoryBitmap& picture) {
    if (!fits_picture(picture)) return true;
    return render_slide(show, slide_index, key_frame, progress, motion,
                        {nullptr, &picture, picture.width, picture.height});
}

bool render_box_picture(const Slide& slide, const PictureBox& box, Motion motion, MemoryBitmap& picture) {
    if (!fits_picture(picture)) return true;
    const PictureNeed need{motion == Motion::Smooth ? box_reduction(box, picture.width, picture.height) : 1,
                           motion == Motion::Smooth};
    return render_box(slide, box, motion, need, {nullptr, &picture, picture.width, picture.height});
}

std::int32_t box_reduction(const PictureBox& box, std::int32_t frame_width, std::int32_t frame_height) {
    const double across = std::abs(box.right - box.left) / std::max(frame_width, 1);
    const double down = std::abs(box.bottom - box.top) / std::max(frame_height, 1);
    const double room = std::min(across, down);
    std::int32_t reduction = 1;
    while (reduction < 8 && room >= 2.0 * reduction) reduction *= 2;
    return reduction;
}

PictureNeed picture_need(const SlideShow& show, const Slide& slide, Motion motion, std::int32_t frame_width,
                         std::int32_t frame_height) {
    if (motion != Motion::Smooth) return {1, false};
    // Every key frame's box, where the path rests and where it passes: the smallest
    // decides. A path's boxes between key frames lie between theirs in size.
    std::int32_t reduction = 8;
    const std::int32_t count = std::max(slide.frame_count(), 1);
    for (std::int32_t k = 0; k < count; ++k) {
        const PictureBox box = slide_picture_box(show, slide, k, 0.0, frame_width, frame_height);
        reduction = std::min(reduction, box_reduction(box, frame_width, frame_height));
    }
    return {reduction, true};
}

BoxShape box_shape(const PanFrame& box) {
    return {(box.left + box.right) / 2.0, (box.top + box.bottom) / 2.0, box.right - box.left, box.bottom - box.top};
}

bool box_outside_image(const PanFrame& box) {
    return box.left < 0.0 || box.right > 1.0 || box.top < 0.0 || box.bottom > 1.0;
}

std::optional<PanFrame> zoom_crop_box(PanFrame box, const BoxShape& start, double factor, bool may_leave) {
    const double cx = start.centre_x;
    const double cy = start.centre_y;
    const double w = start.width;
    const double h = start.height;
    // A box without area (possible in a hand-edited file) has no proportions to keep.
    if (!(w > 0.0 && h > 0.0) || !std::isfinite(w) || !std::isfinite(h) || !std::isfinite(factor)) {
        return std::nullopt;
    }

    double g = factor * w / 2.0;
    double f = factor * h / 2.0;
    // Only the width triggers the minimum: the smaller side becomes 0.2.
    if (g < 0.1) {
        f = (0.2 / w) * h / 2.0;
        if (f < 0.1) {
            g = (0.2 / h) * w / 2.0;
            f = 0.1;
        } else {
            g = 0.1;
        }
    }
    if (!may_leave && !box_outside_image(box)) {
        if (cx - g < 0.0) {
            g = cx;
            f = (cx / (w / 2.0)) * h / 2.0;
        }
        if (cx + g > 1.0) {
            g = 1.0 - cx;
            f = (g / (w / 2.0)) * h / 2.0;
        }
        if (cy - f < 0.0) {
            g = (cy / (h / 2.0)) * w / 2.0;
            f = cy;
        }
        if (cy + f > 1.0) {
            f = 1.0 - cy;
            g = (f / (h / 2.0)) * w / 2.0;
        }
    }
    box.left = cx - g;
    box.right = cx + g;
    box.top = cy - f;
    box.bottom = cy + f;
    return box;
}

PanFrame pan_crop_box(PanFrame box, const BoxShape& start, double dx, double dy, bool may_leave) {
    const double cx = start.centre_x;
    const double cy = start.centre_y;
    const double w = start.width;
    const double h = start.height;
    if (!may_leave && !box_outside_image(box)) {
        if (cx + dx - w / 2.0 < 0.0) dx = w / 2.0 - cx;
        if (cx + dx + w / 2.0 > 1.0) dx = 1.0 - w / 2.0 - cx;
        if (cy + dy - h / 2.0 < 0.0) dy = h / 2.0 - cy;
        if (cy + dy + h / 2.0 > 1.0) dy = 1.0 - h / 2.0 - cy;
    }
    box.left = cx + dx - w / 2.0;
    box.right = cx + dx + w / 2.0;
    box.top = cy + dy - h / 2.0;
    box.bottom = cy + dy + h / 2.0;
    return box;
}

namespace {

// Changes the slide's effective style from one style to another, marking the show.
void switch_style(SlideShow& show, Slide& slide, SlideStyle from, SlideStyle to) {
    if (effective_style(show, slide) == from) {
        slide.style = to;
        show.modified = true;
    }
}

// Key frame 0 of a slide whose picture has a size; null otherwise, for there is nothing
// to measure a box against.
PanFrame* first_key_frame(Slide& slide) {
    const bool sized = picture_width(slide.picture) > 0 && picture_height(slide.picture) > 0;
    return slide.frames.empty() || !sized ? nullptr : &slide.frames[0];
}

}  // namespace

void crop_to_proportions(SlideShow& show, std::int32_t slide_index) {
    if (!valid_slide(show, slide_index)) return;
    Slide& slide = show.slides[static_cast<std::size_t>(slide_index)];
    switch_style(show, slide, SlideStyle::Fit, SlideStyle::Crop);
    PanFrame* box = first_key_frame(slide);
    if (box == nullptr) return;
    centre_crop_box(show, *box, picture_width(slide.picture), picture_height(slide.picture));
}

void centre_crop_box(const SlideShow& show, PanFrame& box, std::int32_t image_width, std::int32_t image_height) {
    if (image_width <= 0 || image_height <= 0) return;
    const Proportions p = show_proportions(show.settings);
    const std::int64_t w = image_width;
    const std::int64_t h = image_height;
    std::int64_t e = w * p.height / p.width;
    std::int64_t f = w;
    if (h < e) {
        e = h;
        f = h * p.width / p.height;
    }
    box.left = static_cast<double>(w - f) / 2.0 / static_cast<double>(w);
    box.top = static_cast<double>(h - e) / 2.0 / static_cast<double>(h);
    box.right = 1.0 - box.left;
    box.bottom = 1.0 - box.top;
}

void picture_holding_box(PanFrame& box, std::int64_t w, std::int64_t h, std::int64_t frame_width,
                         std::int64_t frame_height) {
    if (w <= 0 || h <= 0 || frame_width <= 0 || frame_height <= 0) return;
    std::int64_t e = w * frame_height / frame_width;
    std::int64_t f = w;
    if (e < h) {
        e = h;
        f = h * frame_width / frame_height;
    }
    const double dw = static_cast<double>(w);
    const double dh = static_cast<double>(h);
    if (w < f) {
        const std::int64_t a = (w - f) / 2;
        box = {box.delay, static_cast<double>(a) / dw, 0.0, static_cast<double>(w - a) / dw, 1.0};
    } else if (h < e) {
        const std::int64_t b = (h - e) / 2;
        box = {box.delay, 0.0, static_cast<double>(b) / dh, 1.0, static_cast<double>(h - b) / dh};
    } else {
        box = {box.delay, 0.0, 0.0, 1.0, 1.0};
    }
}

void fit_to_window(SlideShow& show, std::int32_t slide_index, std::int32_t frame_width, std::int32_t frame_height) {
    if (!valid_slide(show, slide_index)) return;
    Slide& slide = show.slides[static_cast<std::size_t>(slide_index)];
    switch_style(show, slide, SlideStyle::Crop, SlideStyle::Fit);
    PanFrame* box = first_key_frame(slide);
    if (box == nullptr) return;
    std::int64_t wf = frame_width;
    std::int64_t hf = frame_height;
    if (wf <= 0 || hf <= 0) {
        const Proportions p = show_proportions(show.settings);
        wf = p.width;
        hf = p.height;
    }
    picture_holding_box(*box, picture_width(slide.picture), picture_height(slide.picture), wf, hf);
}

void fit_box_to_proportions(const SlideShow& show, PanFrame& box, std::int32_t image_width,
                            std::int32_t image_height) {
    if (image_width <= 0 || image_height <= 0) return;
    const Proportions p = show_proportions(show.settings);
    const double w = image_width;
    const double h = image_height;
    double bw = (box.right - box.left) * w;
    double bh = bw * p.height / p.width;
    const double box_height = (box.bottom - box.top) * h;
    if (bh > box_height) {
        bh = box_height;
        bw = bh * p.width / p.height;
    }
    const double cx = (box.left + box.right) / 2.0 * w;
    const double cy = (box.top + box.bottom) / 2.0 * h;
    box.left = (cx - bw / 2.0) / w;
    box.right = (cx + bw / 2.0) / w;
    box.top = (cy - bh / 2.0) / h;
    box.bottom = (cy + bh / 2.0) / h;
}

}  // namespace lumivane

#pragma once
// Which part of a slide's picture is shown and how it moves from key frame to key
// frame, the sampling of one displayed frame from the full-size picture, and the tools
// that edit a key frame's crop box.
//
// Crop boxes are fractions of the picture measured from its top-left corner: x of
// (width - 1), y of (height - 1); (0, 0, 1, 1) is the whole picture. Boxes may reach
// beyond it, and what lies outside is shown black.

#include <cstdint>
#include <optional>

#include "document/slide_show.h"
#include "imaging/smooth_sampling.h"

namespace lumivane {

struct FrameBitmap;
struct MemoryBitmap;
struct PanFrame;
struct Slide;
struct SlideShow;

// How displayed pictures are sampled (the session's `motion`). Exact takes the nearest
// picture pixel on boxes rounded to whole pixels; smooth filters each pixel at its
// exact position (smooth_sampling.h). Any other value samples as exact.
enum class Motion : std::int32_t { Exact = 0, Smooth = 1 };

// A crop box in picture pixels, rows counted from the top.
struct PixelBox {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
};

// The eased progress of a path: constant speed keeps t, the nonlinear choice starts
// and ends slowly. t is held to 0..1 first.
double path_progress(Interpolation interpolation, double t);

// The part of the slide's picture that a frame of the given size shows at key frame k
// and progress t towards key frame k + 1. Fit shows the whole picture with black bars
// to the frame's proportions; crop shows key frame k; a path moves from key frame k
// to k + 1, and rests at its last key frame. A slide without key frames is fitted.
PixelBox slide_pixel_box(const SlideShow& show, const Slide& slide, std::int32_t key_frame, double progress,
                         std::int32_t frame_width, std::int32_t frame_height);
// The same box before it is rounded to whole pixels: the edges as the key frames and
// the easing give them, held to 2^30 pixels either side (not-a-number gives 0).
PictureBox slide_picture_box(const SlideShow& show, const Slide& slide, std::int32_t key_frame, double progress,
                             std::int32_t frame_width, std::int32_t frame_height);

// A box of the full-size picture in the pixels of the picture decoded, which may be
// smaller (or another size, when the file changed since the show was opened).
PictureBox box_in_picture(const PictureBox& box, const PictureSource& source, const ImageBuffer& image);

// What rendering a slide into frames of the given size needs of its picture: exact
// motion the full-size picture; smooth motion its levels, and the picture only as large
// as every key frame's box needs (box_reduction).
PictureNeed picture_need(const SlideShow& show, const Slide& slide, Motion motion, std::int32_t frame_width,
                         std::int32_t frame_height);
// The largest reduction (1, 2, 4 or 8) at which the box of the full-size picture still
// has a picture pixel for every pixel of a frame of the given size.
std::int32_t box_reduction(const PictureBox& box, std::int32_t frame_width, std::int32_t frame_height);

// Renders the slide into the frame in the given motion, from its picture (and its
// levels) as picture_need asks, on the worker pool. Exact samples the nearest picture pixel on the box
// rounded to whole pixels. Without slides the frame is cleared to black; a slide
// without a picture shows black. Fails, leaving the frame as it was, when the frame has
// no pixels, the slide index is outside the show or working memory cannot be allocated.
[[nodiscard]] bool render_slide_frame(const SlideShow& show, std::int32_t slide_index, std::int32_t key_frame,
                                      double progress, Motion motion, FrameBitmap& frame);
// The same straight into the window's picture, in one pass: the pixels the frame would
// hold, turned top-down into 32-bit ones.
[[nodiscard]] bool render_slide_picture(const SlideShow& show, std::int32_t slide_index, std::int32_t key_frame,
                                        double progress, Motion motion, MemoryBitmap& picture);
// Exact motion's sampling of a box for a frame of width x height: for each frame
// column the picture column it shows, for each frame row the picture row, both rows
// counted bottom row first; -1 where the frame shows black. Both ways of drawing a
// show take their pixels from these maps.
void exact_maps(std::int32_t image_width, std::int32_t image_height, const PictureBox& box, std::int32_t width,
                std::int32_t height, std::int32_t* columns, std::int32_t* rows);
// Any box of a slide's picture, at the picture's size: what the slides' paths show, and
// what a preview of a path can show. A slide without a picture gives black.
[[nodiscard]] bool render_box_picture(const Slide& slide, const PictureBox& box, Motion motion, MemoryBitmap& picture);

// A box's centre and size, recorded when a mouse gesture begins so that the whole
// gesture is applied to that starting box.
struct BoxShape {
    double centre_x = 0.0;
    double centre_y = 0.0;
    double width = 0.0;
    double height = 0.0;
};
BoxShape box_shape(const PanFrame& box);

[[nodiscard]] bool box_outside_image(const PanFrame& box);

// The starting box scaled about its centre by factor, no smaller than 0.2 on its smaller
// side, and (unless it may leave the picture, as while Shift is held, or box already
// reaches outside it) no larger than the picture; box gives the delay. None when the
// starting box has no area and cannot be scaled.
std::optional<PanFrame> zoom_crop_box(PanFrame box, const BoxShape& start, double factor, bool may_leave);
// The starting box moved by (dx, dy), kept inside the picture under the same rule as the
// zoom.
PanFrame pan_crop_box(PanFrame box, const BoxShape& start, double dx, double dy, bool may_leave);

// The box becomes the smallest centred box of the frame's proportions that holds the
// whole picture of w by h, reaching beyond it on two sides when their proportions differ.
void picture_holding_box(PanFrame& box, std::int64_t w, std::int64_t h, std::int64_t frame_width,
                         std::int64_t frame_height);
// Key frame 0 becomes the largest centred box of the show's proportions; a fitted slide
// becomes a cropped one.
void crop_to_proportions(SlideShow& show, std::int32_t slide_index);
// The box becomes the largest one of the show's proportions centred on a picture of
// the given size, measured in whole pixels. A picture without area leaves it alone.
void centre_crop_box(const SlideShow& show, PanFrame& box, std::int32_t image_width, std::int32_t image_height);
// Key frame 0 becomes the centred box of the frame's proportions that just holds the
// whole picture; a cropped slide becomes a fitted one. Without a frame size the show's
// proportions stand in for the frame's.
void fit_to_window(SlideShow& show, std::int32_t slide_index, std::int32_t frame_width, std::int32_t frame_height);
// Shrinks a stored box about its centre to the show's proportions.
void fit_box_to_proportions(const SlideShow& show, PanFrame& box, std::int32_t image_width,
                            std::int32_t image_height);

}  // namespace lumivane

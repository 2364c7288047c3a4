#pragma once
// Sampling a picture for smooth motion. The crop box keeps its real edges, and every
// frame pixel is filtered from the picture at its exact position, so that a slow pan
// moves by fractions of a pixel instead of whole-pixel steps.
//
// A picture reduced for the frame is sampled from its levels (picture_levels.h): from
// the level at which the frame's pixel spans one to two level pixels, bilinear, and
// blended, as the reduction grows, towards bilinear sampling of the next coarser level
// (made from this level's 2 x 2 means on the fly). The blend follows the reduction
// continuously, so a zoom passes from level to level without a visible step. An
// enlarged picture is sampled bilinear from the picture itself. Where a frame pixel
// covers the picture only in part (at the picture's edges) it is that much darker, so
// edges move smoothly too.
//
// Each axis is filtered on its own: the rows of a level are summed first, then each
// frame pixel takes four neighbouring sums, so each frame pixel costs a few vector
// operations. Pixel work runs on the worker pool.

#include <cstdint>
#include <vector>

#include "imaging/image_buffer.h"

namespace lumivane {

struct FrameBitmap;
struct MemoryBitmap;

// A crop box in picture pixels, rows counted from the top: left and right are the
// positions of the centres of the frame's first and last columns, top and bottom of its
// first and last rows. The edges may be fractions and may lie outside the picture.
struct PictureBox {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

// Renders the box of a Colour8 picture with its levels (none is allowed: the picture
// is then sampled bilinear at any reduction) into the frame or the window's picture.
// Outside the picture is black. Fails, leaving the target as it was, when the picture
// is not Colour8, the target has no pixels or working memory cannot be allocated.
[[nodiscard]] bool smooth_render(const ImageBuffer& picture, const std::vector<ImageBuffer>& levels, const PictureBox& box,
                   FrameBitmap& frame);
[[nodiscard]] bool smooth_render(const ImageBuffer& picture, const std::vector<ImageBuffer>& levels, const PictureBox& box,
                   MemoryBitmap& target);

// The weights of one frame pixel along one axis: four neighbouring pixels of a level
// from first on, each weight in units of 1 / one, together the part of the frame
// pixel that covers the picture.
struct AxisTaps {
    std::int32_t first = 0;
    std::int32_t weights[4] = {};
};

// The level a box is sampled from: the coarsest one whose pixels are no larger than
// the frame's (scale: picture pixels per frame pixel), at most level_count.
std::int32_t sampling_level(double scale, std::int32_t level_count);

// The taps of count frame pixels spread evenly from `from` to `to` (picture pixels)
// along an axis of picture_size pixels, sampled at the given level, whose size along
// this axis is level_size.
void axis_taps(double from, double to, std::int32_t count, std::int32_t picture_size, std::int32_t level,
               std::int32_t level_size, std::int32_t one, AxisTaps* taps);

// The two loops of the filter, as plain code and in the vector forms this processor
// can run; smooth_render uses the last. Exposed so that tests compare them.
//
// Row sums: out[b] = sum over k < tap_count of weights[k] * rows[k][b], for b < bytes.
using RowSumFunction = void (*)(const std::uint8_t* const* rows, const std::int16_t* weights, std::int32_t tap_count,
                                std::int32_t bytes, std::int16_t* out);
// Column sums: 32-bit pixel j (blue, green, red, 255) from the row sums (three per
// pixel) of pixels first[j] to first[j] + 3 with the weights in pairs01 (w0, w1 four
// times, eight per pixel) and pairs23, rounded from units of 1 / 2^21. The sums must be
// readable 16 values past the last pixel any first[j] + 3 names.
using ColumnSumFunction = void (*)(const std::int16_t* sums, const std::int32_t* first, const std::int16_t* pairs01,
                                   const std::int16_t* pairs23, std::int32_t count, std::uint8_t* out);
struct SmoothFunctions {
    RowSumFunction row_sum;
    ColumnSumFunction column_sum;
};
std::vector<SmoothFunctions> smooth_functions();

}  // namespace lumivane

#pragma once
// Scaling a picture to a given size. Nearest takes one source pixel for each
// destination pixel (the slide dialog's preview); linear filters with the triangle
// kernel, a vertical pass into one row of source width and then a horizontal pass,
// with integer weights on a scale of 255 (the button pictures).

#include <cstdint>

#include "imaging/image_buffer.h"

namespace lumivane {

enum class ResampleFilter : std::int32_t { Nearest = 0, Linear = 1 };

// The destination is reallocated at width x height with the given resolution. The
// same size, or an empty source, gives a copy. Every kind is handled; a Bilevel
// source stays Bilevel under Nearest and becomes Grey8 under Linear. Destination rows
// are spread over the worker pool.
[[nodiscard]] bool image_resample(const ImageBuffer& source, ImageBuffer& destination, std::int32_t width, std::int32_t height,
                    double resolution, ResampleFilter filter);

}  // namespace lumivane

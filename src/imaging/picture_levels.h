#pragma once
// Smaller copies of a slide's picture for smooth motion. Level 1 is the picture halved
// in both directions, each pixel the mean of a 2 x 2 block; every further level halves
// the one before, down to a single row or column. An odd last row or column is
// averaged with itself. All levels together take about a third of the picture's bytes.

#include <cstdint>
#include <vector>

#include "imaging/image_buffer.h"

namespace lumivane {

// The size of the level below one of the given size: half, rounded up.
inline std::int32_t half_size(std::int32_t size) { return size / 2 + size % 2; }

// Bytes the levels of a Colour8 picture of this size take.
std::uint64_t picture_levels_bytes(std::int32_t width, std::int32_t height);

// Makes levels 1, 2, ... of a Colour8 picture, on the worker pool. Any other picture
// gets none. Fails, leaving no levels, when one cannot be allocated.
[[nodiscard]] bool make_picture_levels(const ImageBuffer& picture, std::vector<ImageBuffer>& levels);

}  // namespace lumivane

#pragma once
// Small pictures made from big ones: thumbnails for the slide grid, and the washed-out
// look of disabled tool buttons.

#include <cstdint>

#include "imaging/image_buffer.h"

namespace lumivane {

// Nearest lower sampling into the largest picture of the source's proportions that
// fits the box less a margin on every side (at least 2 x 2). Colour8 sources give a
// Colour8 thumbnail, others Grey8; an empty source gives an empty one.
[[nodiscard]] bool image_make_preview(const ImageBuffer& source, ImageBuffer& destination, std::int32_t box_width,
                        std::int32_t box_height, std::int32_t margin);

// Every byte v (padding included) becomes (v + 768) / 5.
[[nodiscard]] bool image_make_dimmed(const ImageBuffer& source, ImageBuffer& destination);

}  // namespace lumivane

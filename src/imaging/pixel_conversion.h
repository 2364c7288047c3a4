#pragma once
// Turning a decoded row of any layout the decoder delivers into a Colour8 row (blue,
// green, red). 16-bit samples are reduced with table_16_to_8; alpha is dropped and
// premultiplied values are taken as they are.

#include <cstdint>
#include <vector>

#include "platform/image_decoder.h"

namespace lumivane {

void convert_row(PixelLayout layout, const std::vector<std::uint32_t>& palette, const std::uint8_t* source,
                 std::uint8_t* destination, std::int32_t width);

// Grey pictures: grey layouts, and palettes whose every entry is grey (an empty
// palette counts as grey). Their embedded profiles are not used.
[[nodiscard]] bool is_grey_source(PixelLayout layout, const std::vector<std::uint32_t>& palette);

}  // namespace lumivane

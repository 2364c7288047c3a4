#pragma once
// The program's own reader of baseline TIFF files: the first image of the file, in
// strips, uncompressed or LZW; 1-, 4- and 8-bit grey or palette, 16-bit grey, 8- and
// 16-bit RGB with an optional fourth sample; either byte order; the Orientation tag.

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/image_buffer.h"
#include "platform/files.h"

namespace lumivane {

// Reads the picture from position 0 of an open file, which stays open. On success the
// image is Colour8, turned upright by the Orientation tag, with its resolution in dots
// per inch; on failure it is Empty. Nothing is shown to the user either way.
[[nodiscard]] bool tiff_read(FileHandle& file, ImageBuffer& image);

// The ICC profile of the first image (tag 34675). A file without one succeeds with an
// empty profile.
[[nodiscard]] bool tiff_icc_extract(const std::u16string& path, std::vector<std::uint8_t>& profile);

}  // namespace lumivane

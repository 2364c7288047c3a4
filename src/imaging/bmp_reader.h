#pragma once
// The program's own reader of Windows bitmap files, for the button pictures:
// uncompressed files of 1, 2, 4, 8, 24 or 32 bits per pixel with a 12-, 40-, 108- or
// 124-byte (or longer) header, stored bottom row first.

#include <string>

#include "imaging/image_buffer.h"
#include "platform/files.h"

namespace lumivane {

// Reads the picture into image, which is freed first. Palette pictures take the
// smallest kind that keeps their colours: Bilevel when every table entry is black or
// white (set bits are the white ones), Grey8 when every entry is grey, else Colour8;
// 24- and 32-bit pictures are Colour8. Top-down files (a negative height), compressed
// ones and any file whose parts do not fit in it fail and leave the image empty.
[[nodiscard]] bool read_bmp(const std::u16string& path, ImageBuffer& image);
// The same from position 0 of an open file, which stays open.
[[nodiscard]] bool read_bmp(FileHandle& file, ImageBuffer& image);

}  // namespace lumivane

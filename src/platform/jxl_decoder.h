#pragma once
// JPEG XL pictures through libjxl.

#include <memory>

#include "platform/files.h"
#include "platform/image_decoder.h"

namespace lumivane {

// Decodes the first frame to 8-bit RGB or grey rows, transparent pixels laid on black,
// with the ICC profile of the colour the pixels come out in and the picture's
// orientation, which the loader applies. A file cut short gives what the library can
// render of it. The decoder reads the whole of file from its current position and
// closes it.
std::unique_ptr<ImageDecoder> open_jxl_decoder(FileHandle file);

}  // namespace lumivane

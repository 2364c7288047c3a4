#pragma once
// JPEG pictures through libjpeg-turbo, EXIF metadata through libexif.

#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/image_decoder.h"

namespace lumivane {

// Colour pictures decode straight to BGR rows, grey ones to grey rows; CMYK and other
// colour spaces give no decoder. Corrupt data never ends the process. The decoder
// reads file from its current position and closes it.
std::unique_ptr<ImageDecoder> open_jpeg_decoder(FileHandle file);

}  // namespace lumivane

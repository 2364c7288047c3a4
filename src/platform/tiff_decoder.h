#pragma once
// TIFF pictures through libtiff.

#include <memory>
#include <string>

#include "platform/image_decoder.h"

namespace lumivane {

// Strips of 8-bit grey, black-and-white, 16-bit grey, 8-bit palette, and 8 or 16-bit
// RGB with or without alpha come as the file holds them; any other TIFF the library
// can read comes through its own conversion to RGBA.
std::unique_ptr<ImageDecoder> open_tiff_decoder(const std::string& native_path);

}  // namespace lumivane

#pragma once
// TIFF pictures through libtiff.

#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/image_decoder.h"

namespace lumivane {

// Strips of 8-bit grey, black-and-white, 16-bit grey, 8-bit palette, and 8 or 16-bit
// RGB with or without alpha come as the file holds them; any other TIFF the library
// can read comes through its own conversion to RGBA, grey pictures as grey rows. The
// decoder reads file from its start and closes it; the name is for the library's
// messages.
std::unique_ptr<ImageDecoder> open_tiff_decoder(FileHandle file, const std::string& native_path);

}  // namespace lumivane

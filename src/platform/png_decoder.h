#pragma once
// PNG pictures through libpng.

#include <memory>

#include "platform/files.h"
#include "platform/image_decoder.h"

namespace lumivane {

// Any bit depth and colour type decodes to 8-bit BGR or grey rows, transparent pixels
// laid on black. The picture's colour comes as a profile: its iCCP chunk, or one built
// from gAMA and cHRM; an sRGB chunk or none of them means sRGB. Corrupt data never ends
// the process. The decoder reads file from its current position and closes it.
std::unique_ptr<ImageDecoder> open_png_decoder(FileHandle file);

}  // namespace lumivane

#pragma once
// HEIC, HEIF and AVIF pictures through libheif.

#include <memory>

#include "platform/files.h"
#include "platform/image_decoder.h"

namespace lumivane {

// Decodes the primary image to 8-bit RGB rows (10 and 12 bits rounded down to 8),
// turned and mirrored as the file says, transparent pixels laid on black. Its colour
// comes as the file's ICC profile, or as one built from its colour description for the
// common primaries and curves; otherwise it is sRGB. A file whose picture data is cut or
// damaged gives no rows. The decoder reads the whole of file from its current position
// and closes it.
std::unique_ptr<ImageDecoder> open_heif_decoder(FileHandle file);

}  // namespace lumivane

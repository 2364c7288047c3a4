#pragma once
// WebP pictures, lossy or lossless, through libwebp.

#include <memory>

#include "platform/files.h"
#include "platform/image_decoder.h"

namespace lumivane {

// Decodes to BGR rows, transparent pixels laid on black, with the ICC profile the file
// holds. A file cut short gives the rows its data reached. The decoder reads the whole
// of file from its current position and closes it.
std::unique_ptr<ImageDecoder> open_webp_decoder(FileHandle file);

}  // namespace lumivane

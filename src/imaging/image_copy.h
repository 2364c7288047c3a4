#pragma once

#include "imaging/image_buffer.h"

namespace lumivane {

// The destination becomes a copy of the source: same kind, size and resolution, every
// row (padding included) copied on the worker pool.
[[nodiscard]] bool image_copy(const ImageBuffer& source, ImageBuffer& destination);

}  // namespace lumivane

#pragma once
// The seven ways to turn a picture upright. Positions are (x, y) counted from the
// top-left of a W x H source:
//   image_mirror_left_right  W x H  (W-1-x, y)
//   image_rotate_180         W x H  (W-1-x, H-1-y)
//   image_mirror_top_bottom  W x H  (x, H-1-y)
//   image_transpose          H x W  (y, x)
//   image_rotate_cw          H x W  (H-1-y, x)
//   image_transverse         H x W  (H-1-y, W-1-x)
//   image_rotate_ccw         H x W  (y, W-1-x)
// Every kind is handled; the work runs on the worker pool over the source rows.

#include "imaging/image_buffer.h"

namespace lumivane {

[[nodiscard]] bool image_mirror_left_right(const ImageBuffer& source, ImageBuffer& destination);
[[nodiscard]] bool image_rotate_180(const ImageBuffer& source, ImageBuffer& destination);
[[nodiscard]] bool image_mirror_top_bottom(const ImageBuffer& source, ImageBuffer& destination);
[[nodiscard]] bool image_transpose(const ImageBuffer& source, ImageBuffer& destination);
[[nodiscard]] bool image_rotate_cw(const ImageBuffer& source, ImageBuffer& destination);
[[nodiscard]] bool image_transverse(const ImageBuffer& source, ImageBuffer& destination);
[[nodiscard]] bool image_rotate_ccw(const ImageBuffer& source, ImageBuffer& destination);

using OrientationOperation = bool (*)(const ImageBuffer& source, ImageBuffer& destination);
// The operation that turns a picture stored with this TIFF/EXIF Orientation value
// upright: 2 to 8 in the order above; nullptr for 1 and every other value.
OrientationOperation orientation_operation(std::uint32_t orientation);

// Turns the picture upright for its Orientation value; 1 and unknown values leave it.
// On failure the picture stays as it was rather than half turned.
[[nodiscard]] bool apply_orientation(ImageBuffer& image, std::uint32_t orientation);

}  // namespace lumivane

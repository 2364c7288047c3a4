#pragma once
// Pictures of random bytes for tests that move or filter pixels.

#include <gtest/gtest.h>

#include <random>

#include "imaging/image_buffer.h"

namespace lumivane::testing {

// Every pixel byte random; bilevel bits past the width and the row padding stay clear.
inline ImageBuffer random_image(PixelFormat kind, int w, int h, unsigned seed) {
    ImageBuffer image;
    EXPECT_FALSE(image_allocate(image, kind, w, h, 96.0));
    std::mt19937 random(seed);
    const auto used = static_cast<std::size_t>(unpadded_row_bytes(kind, w));
    for (std::uint8_t* row : image.rows) {
        for (std::size_t i = 0; i < used; ++i) row[i] = static_cast<std::uint8_t>(random());
        if (kind == PixelFormat::Bilevel && w % 8 != 0) row[used - 1] &= static_cast<std::uint8_t>(0xFF << (8 - w % 8));
    }
    return image;
}

}  // namespace lumivane::testing

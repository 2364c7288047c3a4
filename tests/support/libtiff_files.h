#pragma once
// Test files written by libtiff, and libtiff's own decode of a file as the reference
// the program's reader is compared with.

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/image_buffer.h"

namespace lumivane::testing {

struct TiffVariant {
    std::string name;
    bool big_endian = false;
    bool lzw = false;
    std::uint32_t rows_per_strip = 0;  // 0: one strip holds the whole picture
    std::uint16_t bits = 8;
    std::uint16_t samples = 1;
    std::uint16_t photometric = 1;  // 0 WhiteIsZero, 1 BlackIsZero, 2 RGB, 3 palette
    std::uint16_t orientation = 1;
    std::vector<std::uint8_t> profile;  // written as tag 34675 unless empty
    std::uint32_t width = 37;
    std::uint32_t height = 23;
    bool smooth = false;  // gentle gradients, which LZW packs well, instead of noise
    float x_resolution = 240.0f;
    bool centimetre = false;
};

// Writes the variant with libtiff, its samples drawn from seed; true on failure.
bool write_tiff(const std::string& path, const TiffVariant& variant, unsigned seed);

// An upright picture, top row first, three bytes a pixel: blue, green, red.
struct Picture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    double resolution = 0.0;  // dots per inch
    std::vector<std::uint8_t> bgr;
};

// libtiff reads the rows; samples become 8-bit blue, green and red (grey levels spread
// over 0 to 255, WhiteIsZero inverted, 16 bits through table_16_to_8, palette entries
// looked up) and pixels are placed as the Orientation tag says the picture stands.
// True on failure.
bool libtiff_decode(const std::string& path, Picture& picture);

// The picture held by a Colour8 image.
Picture picture_of(const ImageBuffer& image);

// Where pictures differ: an empty text when they are the same.
std::string picture_difference(const Picture& expected, const Picture& actual);

// The strip libtiff's LZW makes of bytes.
std::vector<std::uint8_t> libtiff_lzw(const std::vector<std::uint8_t>& bytes);

}  // namespace lumivane::testing

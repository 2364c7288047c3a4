#pragma once
// JPEG files for tests and benchmarks: small ones made with the markers a test needs,
// and libjpeg-turbo's own decode of a file to compare with.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lumivane::testing {

struct JpegMarker {
    int code;  // 0xE0 + n for APPn
    std::vector<std::uint8_t> bytes;
};

// Writes a JPEG of the given size; pixel(x, y, channel) gives each sample counted from
// the top-left, channels red, green, blue (or one grey channel).
void write_jpeg(const std::string& path, int width, int height, bool grey,
                const std::function<std::uint8_t(int x, int y, int channel)>& pixel,
                const std::vector<JpegMarker>& markers = {}, int quality = 95, bool progressive = false,
                int restart_rows = 0);
// The same with whole rows: fill(y, row) writes row y, counted from the top. With
// restart_rows, a restart marker follows every that many rows of blocks.
void write_jpeg_rows(const std::string& path, int width, int height, bool grey,
                     const std::function<void(int y, std::uint8_t* row)>& fill, const std::vector<JpegMarker>& markers,
                     int quality, bool progressive, int restart_rows = 0);

// The APP2 markers that carry profile split into chunks of at most chunk_size bytes,
// numbered 1 to n of n.
std::vector<JpegMarker> icc_markers(const std::vector<std::uint8_t>& profile, std::size_t chunk_size);

// An APP1 EXIF marker whose IFD0 holds only the orientation tag.
JpegMarker exif_orientation_marker(std::uint16_t orientation);

std::vector<std::uint8_t> file_bytes(const std::string& path);

// A picture as libjpeg-turbo decodes it: top row first, three bytes a pixel (blue,
// green, red). Empty when the file cannot be read.
struct JpegPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> bgr;
};
JpegPicture libjpeg_decode(const std::string& path);

}  // namespace lumivane::testing

#pragma once
// The raster image every imaging operation reads and writes. Rows are stored bottom
// row first, each padded to a multiple of 4 bytes, in blocks of at most 4 MiB;
// consecutive rows inside one block are stride bytes apart.

#include <cstdint>
#include <memory>
#include <vector>

namespace lumivane {

enum class PixelFormat : std::uint32_t {
    Empty = 0,
    Bilevel = 1,   // 1 bit, most significant bit first
    Grey8 = 2,
    Colour8 = 3,   // blue, green, red
    Grey16 = 4,    // one 16-bit sample in machine byte order
    Colour16 = 5,  // three 16-bit samples, blue, green, red
};

inline constexpr std::int32_t image_block_bytes = 4194304;

struct ImageBuffer {
    PixelFormat kind = PixelFormat::Empty;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t stride = 0;
    double resolution = 0.0;  // horizontal dots per inch
    std::vector<std::uint8_t*> rows;  // rows[0] is the bottom row
    std::int32_t block_count = 0;
    std::int32_t rows_per_block = 0;
    std::vector<std::unique_ptr<std::uint8_t[]>> blocks;

    ImageBuffer() = default;
    ImageBuffer(ImageBuffer&& other) noexcept { *this = std::move(other); }
    ImageBuffer& operator=(ImageBuffer&& other) noexcept;
    // Copying a picture is image_copy, which runs on the worker pool.
    ImageBuffer(const ImageBuffer&) = delete;
    ImageBuffer& operator=(const ImageBuffer&) = delete;

    bool empty() const { return rows.empty(); }
};

}  // namespace lumivane

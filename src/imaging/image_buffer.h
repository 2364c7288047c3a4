#pragma once
// The raster image every imaging operation reads and writes. Rows are stored bottom
// row first, each padded to a multiple of 4 bytes, in blocks of at most 4 MiB;
// consecutive rows inside one block are stride bytes apart.

#include <cstdint>
#include <cstdlib>
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

// Large blocks are mapped from the system on their own (mapped_bytes), small ones come
// from the heap.
struct BlockDeleter {
    std::size_t mapped_bytes = 0;
    void operator()(std::uint8_t* block) const;
};
using ImageBlock = std::unique_ptr<std::uint8_t[], BlockDeleter>;

struct ImageBuffer {
    PixelFormat kind = PixelFormat::Empty;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t stride = 0;
    double resolution = 0.0;  // horizontal dots per inch
    std::vector<std::uint8_t*> rows;  // rows[0] is the bottom row
    std::int32_t block_count = 0;
    std::int32_t rows_per_block = 0;
    std::vector<ImageBlock> blocks;

    ImageBuffer() = default;
    ImageBuffer(ImageBuffer&& other) noexcept { *this = std::move(other); }
    ImageBuffer& operator=(ImageBuffer&& other) noexcept;
    // Copying a picture is image_copy, which runs on the worker pool.
    ImageBuffer(const ImageBuffer&) = delete;
    ImageBuffer& operator=(const ImageBuffer&) = delete;

    bool empty() const { return rows.empty(); }
};

// Blocks needed for height rows (positive, as rows_per_block): the last one may be part full.
std::int32_t image_block_count(std::int32_t height, std::int32_t rows_per_block);
// Bytes per row before padding; 0 for Empty and unknown kinds.
std::int64_t unpadded_row_bytes(PixelFormat kind, std::int32_t width);
// The row size rounded up to a multiple of 4.
inline std::int64_t row_stride(std::int64_t bytes) { return (bytes + 3) & ~std::int64_t{3}; }
// Bytes of storage a picture of this kind and size takes.
inline std::uint64_t image_bytes(PixelFormat kind, std::int32_t width, std::int32_t height) {
    return width <= 0 || height <= 0 ? 0
                                     : static_cast<std::uint64_t>(row_stride(unpadded_row_bytes(kind, width))) *
                                           static_cast<std::uint64_t>(height);
}

// Sets every field to its empty value without releasing storage; a moved-from or
// fresh buffer is already clear.
void image_clear(ImageBuffer& image);
void image_free(ImageBuffer& image);
// Frees the buffer, then allocates zeroed storage. Empty or unknown kinds and zero
// sizes give no storage and succeed; a negative height, a row longer than 4 MiB or a
// failed allocation leave the buffer empty and fail.
[[nodiscard]] bool image_allocate(ImageBuffer& image, PixelFormat kind, std::int32_t width, std::int32_t height,
                    double resolution);
// The same, with the pixel bytes left as they are, for operations that write every
// byte of every row themselves (padding included).
[[nodiscard]] bool image_allocate_for_overwrite(ImageBuffer& image, PixelFormat kind, std::int32_t width, std::int32_t height,
                                  double resolution);

inline bool is_pixel_kind(PixelFormat kind) {
    return kind >= PixelFormat::Bilevel && kind <= PixelFormat::Colour16;
}
// Bytes of one pixel; 0 for Bilevel, whose pixels are bits.
int bytes_per_pixel(PixelFormat kind);

// A bilevel pixel: 255 when set, else 0. Pixel x is bit 7 - x mod 8 of byte x / 8.
inline std::uint8_t bit_get(const std::uint8_t* row, std::int32_t x) {
    return (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
}
inline void bit_set(std::uint8_t* row, std::int32_t x) { row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7)); }
inline void bit_clear(std::uint8_t* row, std::int32_t x) {
    row[x >> 3] &= static_cast<std::uint8_t>(~(0x80 >> (x & 7)));
}

}  // namespace lumivane

#include "imaging/image_buffer.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include <sys/mman.h>

namespace lumivane {

ImageBuffer& ImageBuffer::operator=(ImageBuffer&& other) noexcept {
    if (this != &other) {
        kind = other.kind;
        width = other.width;
        height = other.height;
        stride = other.stride;
        resolution = other.resolution;
        rows = std::move(other.rows);
        block_count = other.block_count;
        rows_per_block = other.rows_per_block;
        blocks = std::move(other.blocks);
        other.rows.clear();
        other.blocks.clear();
        image_clear(other);
    }
    return *this;
}

std::int64_t unpadded_row_bytes(PixelFormat kind, std::int32_t width) {
    const std::int64_t w = width;
    switch (kind) {
    case PixelFormat::Bilevel: return (w + 7) / 8;
    case PixelFormat::Grey8: return w;
    case PixelFormat::Colour8: return 3 * w;
    case PixelFormat::Grey16: return 2 * w;
    case PixelFormat::Colour16: return 6 * w;
    default: return 0;
    }
}

std::int32_t image_block_count(std::int32_t height, std::int32_t rows_per_block) {
    // Rounded up without forming height + rows_per_block - 1, which passes 2^31 for the
    // tallest pictures.
    return height / rows_per_block + (height % rows_per_block != 0 ? 1 : 0);
}

int bytes_per_pixel(PixelFormat kind) {
    switch (kind) {
    case PixelFormat::Grey8: return 1;
    case PixelFormat::Colour8: return 3;
    case PixelFormat::Grey16: return 2;
    case PixelFormat::Colour16: return 6;
    default: return 0;
    }
}

void image_clear(ImageBuffer& image) {
    image.kind = PixelFormat::Empty;
    image.width = image.height = image.stride = 0;
    image.resolution = 0.0;
    image.rows.clear();
    image.block_count = image.rows_per_block = 0;
    image.blocks.clear();
}

void image_free(ImageBuffer& image) {
    image.rows.clear();
    image.rows.shrink_to_fit();
    image.blocks.clear();
    image.blocks.shrink_to_fit();
    image_clear(image);
}

namespace {

std::size_t block_bytes(const ImageBuffer& image, std::int32_t block) {
    const std::int32_t rows = std::min(image.rows_per_block, image.height - block * image.rows_per_block);
    return static_cast<std::size_t>(rows) * static_cast<std::size_t>(image.stride);
}

// Large blocks are mapped straight from the system: their pages read as zero and take
// memory only once written, so rows that no decoded data reaches (a file that ends
// early) cost nothing, and zeroing them is free. Huge pages are not asked for: faulting
// them in slowed loading by a tenth to a half, and drawing and turning gained nothing
// measurable from them.
constexpr std::size_t mapped_block_bytes = 2u << 20;

ImageBlock allocate_block(std::size_t bytes, bool zeroed) {
    if (bytes < mapped_block_bytes) {
        return ImageBlock(static_cast<std::uint8_t*>(zeroed ? std::calloc(bytes, 1) : std::malloc(bytes)));
    }
    void* area = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED) return nullptr;
    return ImageBlock(static_cast<std::uint8_t*>(area), BlockDeleter{bytes});
}

}  // namespace

void BlockDeleter::operator()(std::uint8_t* block) const {
    if (mapped_bytes > 0) {
        ::munmap(block, mapped_bytes);
    } else {
        std::free(block);
    }
}

namespace {

bool allocate(ImageBuffer& image, PixelFormat kind, std::int32_t width, std::int32_t height, double resolution,
              bool zeroed) {
    // A picture of the same kind and size keeps its storage: giving it back and asking
    // again would make the system hand out fresh pages, each one faulted in anew.
    if (!image.empty() && image.kind == kind && image.width == width && image.height == height) {
        image.resolution = resolution;
        if (zeroed) {
            for (std::int32_t b = 0; b < image.block_count; ++b) std::memset(image.blocks[b].get(), 0, block_bytes(image, b));
        }
        return false;
    }
    image_free(image);
    image.kind = kind;
    image.width = width;
    image.height = height;
    image.resolution = resolution;
    if (!is_pixel_kind(kind)) return false;
    if (width < 0) {
        image_free(image);
        return true;
    }
    const std::int64_t stride = row_stride(unpadded_row_bytes(kind, width));
    if (stride == 0 || height == 0) {
        image.stride = stride <= image_block_bytes ? static_cast<std::int32_t>(stride) : 0;
        return false;
    }
    // A negative height, or a row longer than a block, cannot be stored.
    if (height < 0 || stride > image_block_bytes) {
        image_free(image);
        return true;
    }
    image.stride = static_cast<std::int32_t>(stride);
    image.rows_per_block = image_block_bytes / image.stride;
    image.block_count = image_block_count(height, image.rows_per_block);
    try {
        image.rows.resize(static_cast<std::size_t>(height));
        image.blocks.reserve(static_cast<std::size_t>(image.block_count));
        for (std::int32_t b = 0; b < image.block_count; ++b) {
            const std::int32_t first_row = b * image.rows_per_block;
            const std::int32_t rows_in_block = std::min(image.rows_per_block, height - first_row);
            const std::size_t bytes = block_bytes(image, b);
            ImageBlock block = allocate_block(bytes, zeroed);
            if (block == nullptr) {
                image_free(image);
                return true;
            }
            for (std::int32_t r = 0; r < rows_in_block; ++r) {
                image.rows[static_cast<std::size_t>(first_row + r)] =
                    block.get() + static_cast<std::size_t>(r) * static_cast<std::size_t>(image.stride);
            }
            image.blocks.push_back(std::move(block));
        }
    } catch (const std::exception&) {
        // Out of memory, or a row array longer than the library allows: no picture.
        image_free(image);
        return true;
    }
    return false;
}

}  // namespace

bool image_allocate(ImageBuffer& image, PixelFormat kind, std::int32_t width, std::int32_t height,
                    double resolution) {
    return allocate(image, kind, width, height, resolution, true);
}

bool image_allocate_for_overwrite(ImageBuffer& image, PixelFormat kind, std::int32_t width, std::int32_t height,
                                  double resolution) {
    return allocate(image, kind, width, height, resolution, false);
}

}  // namespace lumivane

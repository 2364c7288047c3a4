#include "imaging/image_buffer.h"

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
        other.kind = PixelFormat::Empty;
        other.width = other.height = other.stride = 0;
        other.resolution = 0.0;
        other.rows.clear();
        other.block_count = other.rows_per_block = 0;
        other.blocks.clear();
    }
    return *this;
}

}  // namespace lumivane

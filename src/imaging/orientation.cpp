#include "imaging/orientation.h"

#include <algorithm>
#include <cstring>

#include "imaging/worker_pool.h"

namespace lumivane {

namespace {

// Where source row r (from the bottom), pixel x lands, in storage terms.
enum class Move { MirrorLeftRight, Rotate180, MirrorTopBottom, Transpose, RotateCw, Transverse, RotateCcw };

bool is_quarter_turn(Move move) { return move >= Move::Transpose; }

struct Geometry {
    Move move;
    std::int32_t width;   // source
    std::int32_t height;  // source

    std::int32_t row_of(std::int32_t r, std::int32_t x) const {
        switch (move) {
        case Move::MirrorLeftRight: return r;
        case Move::Rotate180:
        case Move::MirrorTopBottom: return height - 1 - r;
        case Move::Transpose:
        case Move::RotateCw: return width - 1 - x;
        case Move::Transverse:
        case Move::RotateCcw: return x;
        }
        return 0;
    }
    std::int32_t column_of(std::int32_t r, std::int32_t x) const {
        switch (move) {
        case Move::MirrorLeftRight:
        case Move::Rotate180: return width - 1 - x;
        case Move::MirrorTopBottom: return x;
        case Move::Transpose:
        case Move::RotateCcw: return height - 1 - r;
        case Move::RotateCw:
        case Move::Transverse: return r;
        }
        return 0;
    }
};

void zero_padding(ImageBuffer& image) {
    const auto used = static_cast<std::size_t>(unpadded_row_bytes(image.kind, image.width));
    const std::size_t padding = static_cast<std::size_t>(image.stride) - used;
    if (padding == 0) return;
    for (std::uint8_t* row : image.rows) std::memset(row + used, 0, padding);
}

// Bits are moved one at a time; a destination byte holds bits of eight source rows,
// so these moves run on one worker when they turn the picture.
bool move_bits(const ImageBuffer& source, ImageBuffer& destination, const Geometry& g, std::int32_t first,
               std::int32_t last) {
    for (std::int32_t r = first; r <= last; ++r) {
        const std::uint8_t* from = source.rows[r];
        for (std::int32_t x = 0; x < g.width; ++x) {
            std::uint8_t* to = destination.rows[g.row_of(r, x)];
            if (bit_get(from, x)) {
                bit_set(to, g.column_of(r, x));
            } else {
                bit_clear(to, g.column_of(r, x));
            }
        }
    }
    return false;
}

template <int Bytes>
void reverse_row(const std::uint8_t* from, std::uint8_t* to, std::int32_t width) {
    to += static_cast<std::size_t>(width - 1) * Bytes;
    for (std::int32_t x = 0; x < width; ++x, from += Bytes, to -= Bytes) std::memcpy(to, from, Bytes);
}

// Whole rows: reversed, or moved as they are.
template <int Bytes>
bool move_rows(const ImageBuffer& source, ImageBuffer& destination, const Geometry& g, std::int32_t first,
               std::int32_t last) {
    for (std::int32_t r = first; r <= last; ++r) {
        std::uint8_t* to = destination.rows[g.row_of(r, 0)];
        if (g.move == Move::MirrorTopBottom) {
            std::memcpy(to, source.rows[r], static_cast<std::size_t>(source.stride));
        } else {
            reverse_row<Bytes>(source.rows[r], to, g.width);
        }
    }
    return false;
}

// Quarter turns and diagonal mirrors read a source column into a destination row.
// Working in tiles keeps both the source rows and the destination rows of a tile in
// cache.
constexpr std::int32_t tile = 64;        // source rows per tile
constexpr std::int32_t tile_columns = 256;  // source columns per tile

template <int Bytes>
bool turn_tiles(const ImageBuffer& source, ImageBuffer& destination, const Geometry& g, std::int32_t first,
                std::int32_t last) {
    // Destination columns run with r or against it; either way tiles and the rows in
    // them are visited in the order that writes each destination row forwards.
    const bool columns_descend = g.column_of(0, 0) != 0;
    const std::int32_t count = last - first + 1;
    const std::uint8_t* from[tile];
    for (std::int32_t done = 0; done < count; done += tile) {
        const std::int32_t rows = std::min(tile, count - done);
        const std::int32_t r0 = columns_descend ? last - done - rows + 1 : first + done;
        const std::int32_t leftmost_row = columns_descend ? r0 + rows - 1 : r0;
        for (std::int32_t x0 = 0; x0 < g.width; x0 += tile_columns) {
            const std::int32_t x1 = std::min(g.width, x0 + tile_columns);
            for (std::int32_t i = 0; i < rows; ++i) {
                const std::int32_t r = columns_descend ? leftmost_row - i : leftmost_row + i;
                from[i] = source.rows[r] + static_cast<std::size_t>(x0) * Bytes;
            }
            for (std::int32_t x = x0; x < x1; ++x) {
                std::uint8_t* to = destination.rows[g.row_of(r0, x)] +
                                   static_cast<std::size_t>(g.column_of(leftmost_row, x)) * Bytes;
                const std::size_t offset = static_cast<std::size_t>(x - x0) * Bytes;
                std::int32_t i = 0;
                if constexpr (Bytes == 3) {
                    // Four bytes at a time: the fourth lands on the next pixel, which is
                    // written next. The last pixel of the run, and pixels of the source's
                    // last column (whose fourth byte may lie past the row), take three.
                    if (x + 1 < g.width) {
                        for (; i + 1 < rows; ++i, to += 3) {
                            std::uint32_t v;
                            std::memcpy(&v, from[i] + offset, 4);
                            std::memcpy(to, &v, 4);
                        }
                    }
                }
                for (; i < rows; ++i, to += Bytes) std::memcpy(to, from[i] + offset, Bytes);
            }
        }
    }
    return false;
}

template <int Bytes>
bool move_pixels(const ImageBuffer& source, ImageBuffer& destination, const Geometry& g, std::int32_t first,
                 std::int32_t last) {
    return is_quarter_turn(g.move) ? turn_tiles<Bytes>(source, destination, g, first, last)
                                   : move_rows<Bytes>(source, destination, g, first, last);
}

bool orient(const ImageBuffer& source, ImageBuffer& destination, Move move) {
    if (&source == &destination) return true;
    const bool turn = is_quarter_turn(move);
    const std::int32_t width = turn ? source.height : source.width;
    const std::int32_t height = turn ? source.width : source.height;
    // Bits are set and cleared one by one, so they start from a cleared picture.
    const bool bits = source.kind == PixelFormat::Bilevel;
    const bool failed = bits ? image_allocate(destination, source.kind, width, height, source.resolution)
                             : image_allocate_for_overwrite(destination, source.kind, width, height, source.resolution);
    if (failed) return true;
    if (destination.empty() || source.empty()) return false;
    if (!bits) zero_padding(destination);

    const Geometry g{move, source.width, source.height};
    RangeCallback work;
    switch (source.kind) {
    case PixelFormat::Bilevel:
        work = [&](std::int32_t first, std::int32_t last) { return move_bits(source, destination, g, first, last); };
        break;
    case PixelFormat::Grey8:
        work = [&](std::int32_t first, std::int32_t last) { return move_pixels<1>(source, destination, g, first, last); };
        break;
    case PixelFormat::Grey16:
        work = [&](std::int32_t first, std::int32_t last) { return move_pixels<2>(source, destination, g, first, last); };
        break;
    case PixelFormat::Colour8:
        work = [&](std::int32_t first, std::int32_t last) { return move_pixels<3>(source, destination, g, first, last); };
        break;
    case PixelFormat::Colour16:
        work = [&](std::int32_t first, std::int32_t last) { return move_pixels<6>(source, destination, g, first, last); };
        break;
    default: return false;
    }
    const std::int32_t budget = bits && turn ? 1 : processor_count();
    return pool_run_rows(budget, work, source.height);
}

}  // namespace

bool image_mirror_left_right(const ImageBuffer& s, ImageBuffer& d) { return orient(s, d, Move::MirrorLeftRight); }
bool image_rotate_180(const ImageBuffer& s, ImageBuffer& d) { return orient(s, d, Move::Rotate180); }
bool image_mirror_top_bottom(const ImageBuffer& s, ImageBuffer& d) { return orient(s, d, Move::MirrorTopBottom); }
bool image_transpose(const ImageBuffer& s, ImageBuffer& d) { return orient(s, d, Move::Transpose); }
bool image_rotate_cw(const ImageBuffer& s, ImageBuffer& d) { return orient(s, d, Move::RotateCw); }
bool image_transverse(const ImageBuffer& s, ImageBuffer& d) { return orient(s, d, Move::Transverse); }
bool image_rotate_ccw(const ImageBuffer& s, ImageBuffer& d) { return orient(s, d, Move::RotateCcw); }

OrientationOperation orientation_operation(std::uint32_t orientation) {
    static constexpr OrientationOperation operations[] = {image_mirror_left_right, image_rotate_180,
                                                          image_mirror_top_bottom, image_transpose,
                                                          image_rotate_cw,         image_transverse,
                                                          image_rotate_ccw};
    return orientation >= 2 && orientation <= 8 ? operations[orientation - 2] : nullptr;
}

bool apply_orientation(ImageBuffer& image, std::uint32_t orientation) {
    const OrientationOperation upright = orientation_operation(orientation);
    if (upright == nullptr) return false;
    ImageBuffer turned;
    if (upright(image, turned)) return true;
    image = std::move(turned);
    return false;
}

}  // namespace lumivane

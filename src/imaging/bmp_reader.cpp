#include "imaging/bmp_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "platform/system_memory.h"

namespace lumivane {

namespace {

constexpr std::uint32_t file_header_bytes = 14;
constexpr std::uint32_t core_header_bytes = 12;
constexpr std::uint32_t info_header_bytes = 40;
constexpr std::uint32_t v4_header_bytes = 108;
constexpr std::uint32_t v5_header_bytes = 124;  // and anything longer, read as far as this
constexpr std::uint32_t masks_bytes = 12;       // the three channel masks after a 40-byte header

constexpr std::uint32_t compression_none = 0;
constexpr std::uint32_t compression_bitfields = 3;

std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t u32(const std::uint8_t* p) { return static_cast<std::uint32_t>(u16(p)) | std::uint32_t{u16(p + 2)} << 16; }
std::int32_t i32(const std::uint8_t* p) { return static_cast<std::int32_t>(u32(p)); }

bool read_exactly(FileHandle& file, std::uint32_t length, void* buffer) {
    std::uint32_t n = length;
    return file_read(file, n, buffer) == ReadResult::Failed || n != length;
}

// One colour table entry: blue, green, red.
struct Entry {
    std::uint8_t blue = 0, green = 0, red = 0;
};

// What the headers say, checked against each other and against the file's size.
struct Layout {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t bits = 0;
    double resolution = 100.0;
    std::uint32_t table_entries = 0;  // as the file holds them
    std::uint32_t entry_bytes = 4;
    std::uint32_t table_position = 0;
    std::uint32_t pixel_position = 0;
    std::uint32_t row_bytes = 0;  // one row in the file, padded to 4 bytes
};

bool is_supported_bit_count(std::uint32_t bits) {
    return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// Reads both headers from the start of the file. Fails for anything this reader does
// not take: compressed pixels (but for 32-bit pixels whose channel masks say plain
// blue, green, red), other bit counts, top-down rows, no pixels at all, or parts that
// lie beyond the end of the file.
bool read_layout(FileHandle& file, std::uint32_t file_size, Layout& layout) {
    std::uint8_t file_header[file_header_bytes];
    std::uint8_t header[v5_header_bytes] = {};
    if (read_exactly(file, file_header_bytes, file_header) || file_header[0] != 'B' || file_header[1] != 'M') return true;
    if (read_exactly(file, 4, header)) return true;
    const std::uint32_t header_size = u32(header);
    if (header_size != core_header_bytes && header_size != info_header_bytes && header_size != v4_header_bytes &&
        header_size < v5_header_bytes) {
        return true;
    }
    if (header_size > file_size - file_header_bytes) return true;
    const std::uint32_t kept = std::min(header_size, v5_header_bytes);
    if (read_exactly(file, kept - 4, header + 4)) return true;
    std::uint64_t table_position = std::uint64_t{file_header_bytes} + header_size;

    std::uint32_t compression = compression_none;
    std::uint32_t colours_used = 0;
    if (header_size == core_header_bytes) {
        layout.width = u16(header + 4);
        layout.height = u16(header + 6);
        layout.bits = u16(header + 10);
        layout.entry_bytes = 3;
    } else {
        layout.width = i32(header + 4);
        layout.height = i32(header + 8);
        layout.bits = u16(header + 14);
        compression = u32(header + 16);
        layout.resolution = i32(header + 24) * 25.4 / 1000.0;
        colours_used = u32(header + 32);
    }
    if (layout.width <= 0 || layout.height <= 0 || !is_supported_bit_count(layout.bits)) return true;
    if (compression == compression_bitfields && layout.bits == 32) {
        // Masks in the header, or right after a 40-byte one.
        std::uint8_t masks[masks_bytes];
        if (header_size == info_header_bytes) {
            if (read_exactly(file, masks_bytes, masks)) return true;
            table_position += masks_bytes;
        } else {
            std::memcpy(masks, header + 40, masks_bytes);
        }
        if (u32(masks) != 0x00FF0000 || u32(masks + 4) != 0x0000FF00 || u32(masks + 8) != 0x000000FF) return true;
    } else if (compression != compression_none) {
        return true;
    }

    // A core header's table is always full; the others may say how many entries they use.
    const std::uint32_t full_table = layout.bits <= 8 ? 1u << layout.bits : 0;
    layout.table_entries = colours_used != 0 ? colours_used : full_table;
    const std::uint64_t table_end = table_position + std::uint64_t{layout.table_entries} * layout.entry_bytes;
    if (table_end > file_size) return true;
    layout.table_position = static_cast<std::uint32_t>(table_position);

    const std::uint64_t row_bytes = row_stride((std::int64_t{layout.width} * layout.bits + 7) / 8);
    const std::uint64_t pixel_bytes = row_bytes * static_cast<std::uint64_t>(layout.height);
    // The pixels start where the file header says when that lies after the colour
    // table; a writer may leave a gap there. Otherwise they follow the table.
    const std::uint32_t offset = u32(file_header + 10);
    std::uint64_t pixel_position = table_end;
    if (offset >= table_end && offset + pixel_bytes <= file_size) pixel_position = offset;
    if (pixel_position + pixel_bytes > file_size) return true;
    layout.pixel_position = static_cast<std::uint32_t>(pixel_position);
    layout.row_bytes = static_cast<std::uint32_t>(row_bytes);
    return false;
}

// Bilevel when every entry is black or white, Grey8 when every one is grey, else Colour8.
PixelFormat kind_of_table(const std::vector<Entry>& table, std::uint32_t bits) {
    if (table.empty() || bits >= 24) return PixelFormat::Colour8;
    PixelFormat kind = bits == 1 ? PixelFormat::Bilevel : PixelFormat::Grey8;
    for (const Entry& e : table) {
        if (e.red != e.green || e.red != e.blue) return PixelFormat::Colour8;
        if (e.red != 0 && e.red != 255) kind = PixelFormat::Grey8;
    }
    return kind;
}

// A byte of eight bilevel pixels with each bit set when its table entry is white: a
// table of black then white keeps the bits, white then black inverts them.
std::array<std::uint8_t, 256> bilevel_bytes(const std::vector<Entry>& table) {
    const bool white0 = !table.empty() && table[0].red == 255;
    const bool white1 = table.size() > 1 && table[1].red == 255;
    std::array<std::uint8_t, 256> map{};
    for (int v = 0; v < 256; ++v) {
        int out = 0;
        for (int bit = 0; bit < 8; ++bit) {
            if ((v >> bit & 1) ? white1 : white0) out |= 1 << bit;
        }
        map[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(out);
    }
    return map;
}

void convert_row(const Layout& layout, const std::vector<Entry>& table, const std::array<std::uint8_t, 256>& bits_map,
                 const std::uint8_t* in, ImageBuffer& image, std::uint8_t* out) {
    const std::int32_t width = layout.width;
    if (image.kind == PixelFormat::Bilevel) {
        const auto bytes = static_cast<std::size_t>((width + 7) / 8);
        for (std::size_t i = 0; i < bytes; ++i) out[i] = bits_map[in[i]];
        if (width % 8 != 0) out[bytes - 1] &= static_cast<std::uint8_t>(0xFF << (8 - width % 8));
        return;
    }
    if (layout.bits == 24) {
        std::memcpy(out, in, static_cast<std::size_t>(width) * 3);
        return;
    }
    if (layout.bits == 32) {
        for (std::int32_t x = 0; x < width; ++x) std::memcpy(out + 3 * x, in + 4 * x, 3);
        return;
    }
    // Indices of 1, 2, 4 or 8 bits, the leftmost pixel in the high bits. Entries the
    // file does not have read as black.
    const std::uint32_t bits = layout.bits;
    const std::uint32_t mask = (1u << bits) - 1;
    static const Entry black;
    for (std::int32_t x = 0; x < width; ++x) {
        const std::uint64_t bit = std::uint64_t(x) * bits;
        const std::uint32_t index = in[bit / 8] >> (8 - bits - bit % 8) & mask;
        const Entry& e = index < table.size() ? table[index] : black;
        if (image.kind == PixelFormat::Grey8) {
            out[x] = e.blue;
        } else {
            out[3 * x] = e.blue;
            out[3 * x + 1] = e.green;
            out[3 * x + 2] = e.red;
        }
    }
}

bool read_pixels(FileHandle& file, std::uint32_t file_size, ImageBuffer& image) {
    Layout layout;
    if (read_layout(file, file_size, layout)) return true;

    // At most 256 entries are kept, whatever the file says it has.
    std::vector<Entry> table(std::min<std::uint32_t>(layout.table_entries, 256));
    if (!table.empty()) {
        std::vector<std::uint8_t> bytes(table.size() * layout.entry_bytes);
        if (file_seek(file, layout.table_position) ||
            read_exactly(file, static_cast<std::uint32_t>(bytes.size()), bytes.data())) {
            return true;
        }
        for (std::size_t i = 0; i < table.size(); ++i) {
            const std::uint8_t* p = bytes.data() + i * layout.entry_bytes;
            table[i] = {p[0], p[1], p[2]};
        }
    }

    const PixelFormat kind = kind_of_table(table, layout.bits);
    const std::int64_t stride = row_stride(unpadded_row_bytes(kind, layout.width));
    if (!memory_fits(static_cast<std::uint64_t>(stride) * static_cast<std::uint64_t>(layout.height))) return true;
    if (image_allocate(image, kind, layout.width, layout.height, layout.resolution)) return true;

    const std::array<std::uint8_t, 256> bits_map = bilevel_bytes(table);
    std::vector<std::uint8_t> row(layout.row_bytes);
    if (file_seek(file, layout.pixel_position)) return true;
    for (std::int32_t r = 0; r < layout.height; ++r) {  // bottom row first, as the image keeps them
        if (read_exactly(file, layout.row_bytes, row.data())) return true;
        convert_row(layout, table, bits_map, row.data(), image, image.rows[r]);
    }
    return false;
}

}  // namespace

bool read_bmp(FileHandle& file, ImageBuffer& image) {
    image_free(image);
    std::uint32_t size = 0;
    bool failed = true;
    try {
        failed = file_size(file, size) || file_seek(file, 0) || read_pixels(file, size, image);
    } catch (const std::bad_alloc&) {
        failed = true;
    }
    if (failed) image_free(image);
    return failed;
}

bool read_bmp(const std::u16string& path, ImageBuffer& image) {
    FileHandle file;
    if (file_open_read(path, file)) {
        image_free(image);
        return true;
    }
    return read_bmp(file, image);
}

}  // namespace lumivane

#include "imaging/tiff_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <new>
#include <span>

#include "imaging/lookup_tables.h"
#include "imaging/lzw_decoder.h"
#include "imaging/orientation.h"
#include "imaging/profile_file.h"
#include "imaging/worker_pool.h"
#include "platform/system_memory.h"

namespace lumivane {

namespace {

// Pixel data is read with file reads of at most this many bytes, and uncompressed
// strips are converted in pieces of at most piece_bytes of stored rows.
constexpr std::uint32_t file_read_bytes = 8192;
constexpr std::uint64_t piece_bytes = 4194304;
// Rows are converted on the worker pool from this many pixels on.
constexpr std::uint64_t parallel_pixels = 65536;

// LZW makes at most about 1,363 bytes of one byte of strip (a full table of 3,839
// strings each one longer than the last, from 9- to 12-bit codes). A picture that
// needs more stored bytes than its strips' bytes times this could ever give is refused
// before anything is allocated for it. Uncompressed files get the same allowance, so
// that a file cut short still shows what it holds.
constexpr std::uint64_t max_expansion = 1400;

enum : std::uint16_t {
    tag_new_subfile_type = 254,
    tag_subfile_type = 255,
    tag_image_width = 256,
    tag_image_length = 257,
    tag_bits_per_sample = 258,
    tag_compression = 259,
    tag_photometric = 262,
    tag_fill_order = 266,
    tag_strip_offsets = 273,
    tag_orientation = 274,
    tag_samples_per_pixel = 277,
    tag_rows_per_strip = 278,
    tag_strip_byte_counts = 279,
    tag_x_resolution = 282,
    tag_planar_configuration = 284,
    tag_resolution_unit = 296,
    tag_predictor = 317,
    tag_colour_map = 320,
    tag_icc_profile = 34675,
};

enum : std::uint16_t { type_byte = 1, type_ascii = 2, type_short = 3, type_long = 4, type_rational = 5 };

struct ByteOrder {
    bool big_endian = false;

    std::uint16_t u16(const std::uint8_t* p) const {
        return static_cast<std::uint16_t>(big_endian ? p[0] << 8 | p[1] : p[1] << 8 | p[0]);
    }
    std::uint32_t u32(const std::uint8_t* p) const {
        const std::uint32_t a = u16(p);
        const std::uint32_t b = u16(p + 2);
        return big_endian ? a << 16 | b : b << 16 | a;
    }
};

struct IfdEntry {
    std::uint16_t tag;
    std::uint16_t type;
    std::uint32_t count;
    std::array<std::uint8_t, 4> field;  // the value, or the offset of the values
};

// An open file with its size, its byte order and the entries of its first IFD. Every
// position and length taken from the file is checked against the size before use.
struct TiffFile {
    explicit TiffFile(FileHandle& file) : handle(file) {}

    FileHandle& handle;
    std::uint32_t size = 0;
    ByteOrder order;
    std::vector<IfdEntry> entries;

    std::uint32_t field_u32(const IfdEntry& entry) const { return order.u32(entry.field.data()); }
    std::uint16_t field_u16(const IfdEntry& entry, int index = 0) const {
        return order.u16(entry.field.data() + 2 * index);
    }
    bool holds(std::uint64_t position, std::uint64_t length) const {
        return position <= size && length <= size - position;
    }
};

// Reads exactly length bytes from the current position, at most 8192 bytes at a time.
bool read_bytes(FileHandle& handle, std::uint64_t length, std::uint8_t* buffer) {
    while (length > 0) {
        const auto asked = static_cast<std::uint32_t>(std::min<std::uint64_t>(length, file_read_bytes));
        std::uint32_t got = asked;
        if (file_read(handle, got, buffer) != ReadResult::Read || got != asked) return true;
        buffer += got;
        length -= got;
    }
    return false;
}

bool read_at(TiffFile& file, std::uint64_t position, std::uint64_t length, std::uint8_t* buffer) {
    if (!file.holds(position, length)) return true;
    if (file_seek(file.handle, static_cast<std::uint32_t>(position))) return true;
    return read_bytes(file.handle, length, buffer);
}

// The byte order pair, the number 42 when asked for, and the entries of the first IFD.
// An entry count of 32768 or more counts as negative: the IFD then has no entries.
bool read_first_ifd(TiffFile& file, bool check_number) {
    if (file_size(file.handle, file.size)) return true;
    std::uint8_t header[8];
    if (read_at(file, 0, sizeof header, header)) return true;
    if (header[0] != header[1] || (header[0] != 'I' && header[0] != 'M')) return true;
    file.order.big_endian = header[0] == 'M';
    if (check_number && file.order.u16(header + 2) != 42) return true;

    const std::uint64_t ifd = file.order.u32(header + 4);
    std::uint8_t count_bytes[2];
    if (read_at(file, ifd, 2, count_bytes)) return true;
    const std::uint16_t count = file.order.u16(count_bytes);
    if (count >= 32768) return false;
    const std::uint64_t table_bytes = std::uint64_t{12} * count;
    if (!file.holds(ifd + 2, table_bytes)) return true;
    std::vector<std::uint8_t> table(table_bytes);
    if (read_bytes(file.handle, table_bytes, table.data())) return true;
    file.entries.resize(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint8_t* raw = table.data() + 12 * std::size_t{i};
        IfdEntry& entry = file.entries[i];
        entry.tag = file.order.u16(raw);
        entry.type = file.order.u16(raw + 2);
        entry.count = file.order.u32(raw + 4);
        std::memcpy(entry.field.data(), raw + 8, 4);
    }
    return false;
}

// What the first IFD says about the picture.
struct Layout {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bits = 1;
    PixelFormat kind = PixelFormat::Bilevel;
    std::uint32_t samples = 1;
    bool lzw = false;
    bool invert = false;   // WhiteIsZero
    bool palette = false;  // samples index the ColorMap
    std::uint32_t rows_per_strip = 0xFFFFFFFF;  // the whole picture
    std::vector<std::uint64_t> offsets;
    std::vector<std::uint64_t> byte_counts;
    bool has_byte_counts = false;
    double resolution = 300.0;
    bool centimetre = false;
    std::uint32_t orientation = 1;
    const IfdEntry* colour_map = nullptr;
};

// The one number an entry stands for. Types other than BYTE, ASCII, SHORT, LONG and
// RATIONAL have none, and fail.
bool entry_number(TiffFile& file, const IfdEntry& entry, double& value) {
    switch (entry.type) {
    case type_byte: value = entry.field[0]; return false;
    case type_ascii: value = 0.0; return false;
    case type_short: value = file.field_u16(entry); return false;
    case type_long: value = file.field_u32(entry); return false;
    case type_rational: {
        std::uint8_t fraction[8];
        if (read_at(file, file.field_u32(entry), sizeof fraction, fraction)) return true;
        value = static_cast<double>(file.order.u32(fraction)) / static_cast<double>(file.order.u32(fraction + 4));
        return false;
    }
    default: return true;
    }
}

// The entry's number as a whole 32-bit number, any fraction cut off; fails when it has
// none (a rational with a zero denominator, or too large).
bool entry_whole(TiffFile& file, const IfdEntry& entry, std::uint32_t& value) {
    double number = 0.0;
    if (entry_number(file, entry, number)) return true;
    if (!(number >= 0.0 && number < 4294967296.0)) return true;
    value = static_cast<std::uint32_t>(number);
    return false;
}

// StripOffsets and StripByteCounts: one value in the field, two SHORTs in the field,
// or an array of SHORTs or LONGs at the offset, which must lie inside the file.
bool read_strip_table(TiffFile& file, const IfdEntry& entry, std::vector<std::uint64_t>& table) {
    if (entry.type != type_short && entry.type != type_long) return true;
    if (entry.count == 0) return true;
    table.clear();
    if (entry.count == 1) {
        table.push_back(entry.type == type_short ? file.field_u16(entry) : file.field_u32(entry));
        return false;
    }
    if (entry.count == 2 && entry.type == type_short) {
        table = {file.field_u16(entry, 0), file.field_u16(entry, 1)};
        return false;
    }
    const unsigned size = entry.type == type_short ? 2 : 4;
    const std::uint64_t bytes = std::uint64_t{size} * entry.count;
    const std::uint64_t position = file.field_u32(entry);
    if (!file.holds(position, bytes)) return true;
    std::vector<std::uint8_t> raw(bytes);
    if (read_at(file, position, bytes, raw.data())) return true;
    table.resize(entry.count);
    for (std::uint32_t i = 0; i < entry.count; ++i) {
        const std::uint8_t* value = raw.data() + std::size_t{size} * i;
        table[i] = size == 2 ? file.order.u16(value) : file.order.u32(value);
    }
    return false;
}

bool read_bits_per_sample(TiffFile& file, const IfdEntry& entry, Layout& layout) {
    if (entry.count == 1) {
        std::uint32_t bits = 0;
        if (entry_whole(file, entry, bits)) return true;
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16) return true;
        layout.bits = bits;
        layout.kind = bits == 1 ? PixelFormat::Bilevel : bits == 16 ? PixelFormat::Grey16 : PixelFormat::Grey8;
        return false;
    }
    // One size per sample: the first three, SHORTs at the offset, must agree.
    if ((entry.count != 3 && entry.count != 4) || entry.type != type_short) return true;
    std::uint8_t sizes[6];
    if (read_at(file, file.field_u32(entry), sizeof sizes, sizes)) return true;
    const std::uint16_t bits = file.order.u16(sizes);
    if (file.order.u16(sizes + 2) != bits || file.order.u16(sizes + 4) != bits) return true;
    if (bits != 8 && bits != 16) return true;
    layout.bits = bits;
    layout.kind = bits == 8 ? PixelFormat::Colour8 : PixelFormat::Colour16;
    return false;
}

// Applies one entry of the IFD; fails on a value the reader refuses. Tags it does not
// know are skipped.
bool apply_entry(TiffFile& file, const IfdEntry& entry, Layout& layout) {
    std::uint32_t value = 0;
    switch (entry.tag) {
    case tag_new_subfile_type: return entry_whole(file, entry, value) || value > 1;
    case tag_subfile_type: return entry_whole(file, entry, value) || value != 1;
    case tag_image_width: return entry_whole(file, entry, layout.width);
    case tag_image_length: return entry_whole(file, entry, layout.height);
    case tag_bits_per_sample: return read_bits_per_sample(file, entry, layout);
    case tag_compression:
        if (entry_whole(file, entry, value) || (value != 1 && value != 5)) return true;
        layout.lzw = value == 5;
        return false;
    case tag_photometric:
        if (entry_whole(file, entry, value) || value > 3) return true;
        layout.invert = value == 0;
        layout.palette = value == 3;
        return false;
    case tag_fill_order: return entry_whole(file, entry, value) || value != 1;
    case tag_strip_offsets: return read_strip_table(file, entry, layout.offsets);
    case tag_orientation: return entry_whole(file, entry, layout.orientation) || layout.orientation < 1 ||
                                 layout.orientation > 8;
    case tag_samples_per_pixel:
        if (entry_whole(file, entry, value) || (value != 1 && value != 3 && value != 4)) return true;
        layout.samples = value;
        if (value >= 3 && layout.kind == PixelFormat::Grey8) layout.kind = PixelFormat::Colour8;
        if (value >= 3 && layout.kind == PixelFormat::Grey16) layout.kind = PixelFormat::Colour16;
        return false;
    case tag_rows_per_strip: return entry_whole(file, entry, layout.rows_per_strip);
    case tag_strip_byte_counts:
        layout.has_byte_counts = true;
        return read_strip_table(file, entry, layout.byte_counts);
    case tag_x_resolution: {
        double resolution = 0.0;
        if (entry_number(file, entry, resolution)) return true;
        // A zero, negative or undefined resolution keeps the usual one.
        if (resolution > 0.0 && resolution < 1e300) layout.resolution = resolution;
        return false;
    }
    case tag_planar_configuration: return entry_whole(file, entry, value) || value != 1;
    case tag_resolution_unit: {
        double unit = 0.0;
        if (entry_number(file, entry, unit)) return true;
        layout.centimetre = unit == 3.0;
        return false;
    }
    case tag_predictor: return entry_whole(file, entry, value) || value != 1;
    case tag_colour_map: layout.colour_map = &entry; return false;
    default: return false;
    }
}

// Whether the kind, the bits and the samples describe something the rows can be
// converted from: grey and palette pictures have one sample, colour ones three or four
// of 8 or 16 bits.
bool samples_supported(const Layout& layout) {
    const bool one = layout.samples == 1;
    switch (layout.kind) {
    case PixelFormat::Bilevel: return one && layout.bits == 1;
    case PixelFormat::Grey8: return one && (layout.bits == 4 || layout.bits == 8);
    case PixelFormat::Grey16: return one && layout.bits == 16 && !layout.palette;
    case PixelFormat::Colour8: return !one && layout.bits == 8 && !layout.palette;
    case PixelFormat::Colour16: return !one && layout.bits == 16 && !layout.palette;
    default: return false;
    }
}

std::uint64_t stored_row_bytes(const Layout& layout) {
    const std::uint64_t w = layout.width;
    switch (layout.kind) {
    case PixelFormat::Bilevel: return (w + 7) / 8;
    case PixelFormat::Grey8: return layout.bits == 4 ? (w + 1) / 2 : w;
    case PixelFormat::Colour8: return w * layout.samples;
    case PixelFormat::Grey16: return 2 * w;
    case PixelFormat::Colour16: return 2 * w * layout.samples;
    default: return 0;
    }
}

// How the strips cover the picture.
struct Strips {
    std::uint64_t row_bytes = 0;       // of one stored row
    std::uint32_t rows_per_strip = 0;  // the last strip may have fewer
    std::size_t count = 0;             // strips that hold rows of the picture
};

std::uint32_t strip_rows(const Layout& layout, const Strips& strips, std::size_t strip) {
    const std::uint64_t top = std::uint64_t{strips.rows_per_strip} * strip;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(strips.rows_per_strip, layout.height - top));
}

// Checks the picture's size, samples and strip tables against each other and the
// file, and works out the strips: byte counts are made up when missing or, for
// uncompressed strips, when any disagrees with the rows; counts running past the end
// of the file are cut there.
bool plan_strips(TiffFile& file, Layout& layout, Strips& strips) {
    if (layout.width == 0 || layout.height == 0 || layout.width > 0x7FFFFFFF || layout.height > 0x7FFFFFFF) {
        return true;
    }
    // The upright picture, three bytes a pixel, must have rows that a block can hold.
    if (row_stride(3 * std::int64_t{layout.width}) > image_block_bytes) return true;
    if (!samples_supported(layout) || layout.offsets.empty()) return true;
    strips.row_bytes = stored_row_bytes(layout);

    std::size_t count = layout.offsets.size();
    if (layout.has_byte_counts) {
        count = std::min(count, layout.byte_counts.size());
    } else if (count >= 2) {
        return true;
    }
    std::uint32_t rows_per_strip = layout.rows_per_strip;
    if (count == 1 || rows_per_strip > layout.height) rows_per_strip = layout.height;
    if (rows_per_strip == 0) return true;
    strips.rows_per_strip = rows_per_strip;
    // Strips past the picture's last row have nothing to add.
    strips.count = std::min<std::size_t>(count, (layout.height - 1) / rows_per_strip + 1);
    layout.offsets.resize(strips.count);

    if (!layout.has_byte_counts) layout.byte_counts = {strips.row_bytes * layout.height};
    layout.byte_counts.resize(strips.count);
    if (!layout.lzw && strips.count >= 2) {
        bool differs = false;
        for (std::size_t k = 0; k < strips.count; ++k) {
            differs |= layout.byte_counts[k] != strips.row_bytes * strip_rows(layout, strips, k);
        }
        for (std::size_t k = 0; differs && k < strips.count; ++k) {
            layout.byte_counts[k] = strips.row_bytes * strip_rows(layout, strips, k);
        }
    }

    std::uint64_t strip_bytes = 0;
    for (std::size_t k = 0; k < strips.count; ++k) {
        if (layout.offsets[k] > file.size) return true;
        layout.byte_counts[k] = std::min(layout.byte_counts[k], file.size - layout.offsets[k]);
        strip_bytes += layout.byte_counts[k];
    }
    // More stored bytes than max_expansion times the strips' bytes (said without overflow).
    const std::uint64_t stored = strips.row_bytes * layout.height;
    return (stored + max_expansion - 1) / max_expansion > strip_bytes;
}

// Stored rows to Colour8 rows. Samples of one to eight bits go through a table of
// 256 colours (grey levels, or the palette); 16-bit samples through table_16_to_8.
struct Conversion {
    using Row = void (*)(const Conversion&, const std::uint8_t* in, std::uint8_t* out, std::int32_t width);
    Row row = nullptr;
    std::array<std::array<std::uint8_t, 3>, 256> colours{};  // blue, green, red
    std::uint32_t samples = 1;
};

void convert_1_bit(const Conversion& c, const std::uint8_t* in, std::uint8_t* out, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, out += 3) {
        std::memcpy(out, c.colours[(in[x >> 3] >> (7 - (x & 7))) & 1].data(), 3);
    }
}

void convert_4_bit(const Conversion& c, const std::uint8_t* in, std::uint8_t* out, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, out += 3) {
        const std::uint8_t pair = in[x >> 1];
        std::memcpy(out, c.colours[(x & 1) ? pair & 15 : pair >> 4].data(), 3);
    }
}

void convert_8_bit(const Conversion& c, const std::uint8_t* in, std::uint8_t* out, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, out += 3) std::memcpy(out, c.colours[in[x]].data(), 3);
}

template <std::uint32_t Samples>
void convert_rgb_8(const Conversion&, const std::uint8_t* in, std::uint8_t* out, std::int32_t width) {
    std::int32_t x = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // Four bytes at a time, turned around: blue, green, red and a zero that the
        // next pixel overwrites. The last pixel takes three.
        for (; x + 1 < width; ++x, in += Samples, out += 3) {
            std::uint32_t v;
            std::memcpy(&v, in, 4);
            v = __builtin_bswap32(v) >> 8;
            std::memcpy(out, &v, 4);
        }
    }
    for (; x < width; ++x, in += Samples, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

template <bool BigEndian>
std::uint8_t sample_16(const std::uint8_t* p) {
    return table_16_to_8[BigEndian ? p[0] << 8 | p[1] : p[1] << 8 | p[0]];
}

template <bool BigEndian>
void convert_grey_16(const Conversion&, const std::uint8_t* in, std::uint8_t* out, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, in += 2, out += 3) out[0] = out[1] = out[2] = sample_16<BigEndian>(in);
}

template <bool BigEndian>
void convert_rgb_16(const Conversion& c, const std::uint8_t* in, std::uint8_t* out, std::int32_t width) {
    const std::uint32_t step = 2 * c.samples;
    for (std::int32_t x = 0; x < width; ++x, in += step, out += 3) {
        out[0] = sample_16<BigEndian>(in + 4);
        out[1] = sample_16<BigEndian>(in + 2);
        out[2] = sample_16<BigEndian>(in);
    }
}

// The palette: 2^bits reds, then greens, then blues, 16 bits each.
bool read_palette(TiffFile& file, const Layout& layout, Conversion& conversion) {
    const IfdEntry* map = layout.colour_map;
    const std::uint32_t entries = 1u << layout.bits;
    if (map == nullptr || map->type != type_short || map->count != 3 * entries) return true;
    std::vector<std::uint8_t> raw(std::size_t{6} * entries);
    if (read_at(file, file.field_u32(*map), raw.size(), raw.data())) return true;
    for (std::uint32_t i = 0; i < entries; ++i) {
        for (std::uint32_t channel = 0; channel < 3; ++channel) {
            const std::uint16_t v = file.order.u16(raw.data() + 2 * (channel * entries + i));
            conversion.colours[i][2 - channel] = table_16_to_8[v];
        }
    }
    return false;
}

bool choose_conversion(TiffFile& file, const Layout& layout, Conversion& conversion) {
    conversion.samples = layout.samples;
    const bool big = file.order.big_endian;
    switch (layout.kind) {
    case PixelFormat::Colour8:
        conversion.row = layout.samples == 3 ? convert_rgb_8<3> : convert_rgb_8<4>;
        return false;
    case PixelFormat::Grey16: conversion.row = big ? convert_grey_16<true> : convert_grey_16<false>; return false;
    case PixelFormat::Colour16: conversion.row = big ? convert_rgb_16<true> : convert_rgb_16<false>; return false;
    default: break;
    }
    conversion.row = layout.bits == 1 ? convert_1_bit : layout.bits == 4 ? convert_4_bit : convert_8_bit;
    if (layout.palette) return read_palette(file, layout, conversion);
    const std::uint32_t top = (1u << layout.bits) - 1;
    for (std::uint32_t i = 0; i <= top; ++i) conversion.colours[i].fill(static_cast<std::uint8_t>(i * 255 / top));
    return false;
}

// Fills picture rows from the top down.
struct RowFiller {
    const Layout& layout;
    const Conversion& conversion;
    std::uint64_t row_bytes;
    ImageBuffer& image;

    std::uint8_t* picture_row(std::uint64_t from_top) const {
        return image.rows[static_cast<std::size_t>(image.height - 1 - static_cast<std::int64_t>(from_top))];
    }

    // Converts rows stored rows into the picture from row top on, on the worker pool
    // when there are enough of them; data is changed when the samples are inverted.
    void convert(std::uint8_t* data, std::uint64_t top, std::uint64_t rows) const {
        const auto work = [&](std::int32_t first, std::int32_t last) {
            const std::size_t used = std::size_t{3} * static_cast<std::size_t>(image.width);
            for (std::int32_t i = first; i <= last; ++i) {
                std::uint8_t* in = data + static_cast<std::uint64_t>(i) * row_bytes;
                if (layout.invert) {
                    for (std::uint64_t b = 0; b < row_bytes; ++b) in[b] = static_cast<std::uint8_t>(~in[b]);
                }
                std::uint8_t* out = picture_row(top + static_cast<std::uint64_t>(i));
                conversion.row(conversion, in, out, image.width);
                std::memset(out + used, 0, static_cast<std::size_t>(image.stride) - used);
            }
            return false;
        };
        if (rows == 0) return;
        const auto count = static_cast<std::int32_t>(rows);
        if (rows * static_cast<std::uint64_t>(image.width) < parallel_pixels) {
            work(0, count - 1);
        } else {
            static_cast<void>(pool_run_rows(processor_count(), work, count));  // the rows' work cannot fail
        }
    }

    // Rows the file has no data for are black.
    void black(std::uint64_t top, std::uint64_t rows) const {
        for (std::uint64_t i = 0; i < rows; ++i) std::memset(picture_row(top + i), 0, static_cast<std::size_t>(image.stride));
    }
};

// Uncompressed rows are gathered into a piece of at most 4 MiB, from as many strips as
// it takes, read with file reads of at most 8192 bytes, and converted together. A strip
// that ends early has its piece converted at once and its missing rows made black.
bool read_uncompressed(TiffFile& file, const Layout& layout, const Strips& strips, const RowFiller& filler) {
    const std::uint64_t row_bytes = strips.row_bytes;
    const std::uint64_t piece_rows = std::min<std::uint64_t>(layout.height, piece_bytes / row_bytes);
    if (piece_rows == 0) return true;
    const auto piece = std::make_unique_for_overwrite<std::uint8_t[]>(piece_rows * row_bytes);
    std::uint64_t first = 0;  // the picture row, from the top, of the piece's first row
    std::uint64_t held = 0;
    const auto convert = [&] {
        filler.convert(piece.get(), first, held);
        first += held;
        held = 0;
    };
    std::uint64_t position = file.size + std::uint64_t{1};  // not known
    for (std::size_t k = 0; k < strips.count; ++k) {
        const std::uint32_t rows = strip_rows(layout, strips, k);
        // Strips usually follow one another in the file.
        if (layout.offsets[k] != position && file_seek(file.handle, static_cast<std::uint32_t>(layout.offsets[k]))) {
            return true;
        }
        position = layout.offsets[k];
        std::uint64_t unread = layout.byte_counts[k];
        for (std::uint64_t done = 0; done < rows;) {
            const std::uint64_t n = std::min<std::uint64_t>(piece_rows - held, rows - done);
            const std::uint64_t bytes = std::min(n * row_bytes, unread);
            if (read_bytes(file.handle, bytes, piece.get() + held * row_bytes)) return true;
            position += bytes;
            unread -= bytes;
            const std::uint64_t whole = bytes / row_bytes;
            held += whole;
            done += n;
            if (whole < n) {
                convert();
                filler.black(first, n - whole);
                first += n - whole;
            } else if (held == piece_rows) {
                convert();
            }
        }
    }
    convert();
    return false;
}

bool read_lzw(TiffFile& file, const Layout& layout, const Strips& strips, const RowFiller& filler) {
    const std::uint64_t row_bytes = strips.row_bytes;
    const std::uint64_t largest = *std::max_element(layout.byte_counts.begin(), layout.byte_counts.end());
    const auto input = std::make_unique_for_overwrite<std::uint8_t[]>(largest);
    const auto output = std::make_unique_for_overwrite<std::uint8_t[]>(strips.rows_per_strip * row_bytes);
    for (std::size_t k = 0; k < strips.count; ++k) {
        const std::uint64_t top = std::uint64_t{strips.rows_per_strip} * k;
        const std::uint64_t rows = strip_rows(layout, strips, k);
        const std::uint64_t bytes = layout.byte_counts[k];
        if (read_at(file, layout.offsets[k], bytes, input.get())) return true;
        std::size_t written = 0;
        if (lzw_decode({input.get(), bytes}, {output.get(), rows * row_bytes}, written)) return true;
        const std::uint64_t whole = written / row_bytes;
        filler.convert(output.get(), top, whole);
        filler.black(top + whole, rows - whole);
    }
    return false;
}

bool read_picture(FileHandle& handle, ImageBuffer& image) {
    TiffFile file(handle);
    if (read_first_ifd(file, true)) return true;
    Layout layout;
    for (const IfdEntry& entry : file.entries) {
        if (apply_entry(file, entry, layout)) return true;
    }
    Strips strips;
    if (plan_strips(file, layout, strips)) return true;
    Conversion conversion;
    if (choose_conversion(file, layout, conversion)) return true;

    // The picture, the stored rows read at a time and, for a turned picture, its turned copy.
    const std::uint64_t picture =
        image_bytes(PixelFormat::Colour8, static_cast<std::int32_t>(layout.width), static_cast<std::int32_t>(layout.height));
    const std::uint64_t stored = layout.lzw ? std::uint64_t{strips.rows_per_strip} * strips.row_bytes : piece_bytes;
    if (!memory_fits((layout.orientation > 1 ? 2 : 1) * picture + stored)) return true;
    const double resolution = layout.centimetre ? layout.resolution * 2.54 : layout.resolution;
    if (image_allocate_for_overwrite(image, PixelFormat::Colour8, static_cast<std::int32_t>(layout.width),
                                     static_cast<std::int32_t>(layout.height), resolution)) {
        return true;
    }
    const RowFiller filler{layout, conversion, strips.row_bytes, image};
    if (layout.lzw ? read_lzw(file, layout, strips, filler) : read_uncompressed(file, layout, strips, filler)) {
        return true;
    }
    // Strips too few for the picture leave its bottom rows without data.
    const std::uint64_t filled = std::min<std::uint64_t>(std::uint64_t{strips.rows_per_strip} * strips.count, layout.height);
    filler.black(filled, layout.height - filled);

    return apply_orientation(image, layout.orientation);
}

bool read_profile(FileHandle& handle, std::vector<std::uint8_t>& profile) {
    TiffFile file(handle);
    if (read_first_ifd(file, false)) return true;
    for (const IfdEntry& entry : file.entries) {
        if (entry.tag != tag_icc_profile) continue;
        // The value field is taken as the offset whatever the length.
        const std::uint64_t position = file.field_u32(entry);
        if (!file.holds(position, entry.count)) return true;
        profile.resize(entry.count);
        if (read_at(file, position, entry.count, profile.data())) return true;
    }
    return false;
}

}  // namespace

bool tiff_read(FileHandle& file, ImageBuffer& image) {
    bool failed = true;
    try {
        failed = read_picture(file, image);
    } catch (const std::bad_alloc&) {
        failed = true;
    }
    if (failed) static_cast<void>(image_allocate(image, PixelFormat::Empty, 0, 0, 0.0));  // takes no memory
    return failed;
}

bool tiff_icc_extract(const std::u16string& path, std::vector<std::uint8_t>& profile) {
    return read_profile_from_file(path, profile, read_profile);
}

}  // namespace lumivane

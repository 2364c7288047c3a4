#include "imaging/pixel_conversion.h"

#include <cstring>

#include "imaging/lookup_tables.h"

namespace lumivane {

namespace {

using Row = const std::uint8_t*;

void put(std::uint8_t* to, std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
    to[0] = blue;
    to[1] = green;
    to[2] = red;
}

std::uint16_t sample16(Row from, std::size_t index) {
    std::uint16_t v;
    std::memcpy(&v, from + 2 * index, 2);
    return v;
}

std::uint8_t reduced(Row from, std::size_t index) { return table_16_to_8[sample16(from, index)]; }

void convert_indexed(const std::vector<std::uint32_t>& palette, Row from, std::uint8_t* to, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, to += 3) {
        // An index past the palette's end is black.
        const std::uint32_t colour = from[x] < palette.size() ? palette[from[x]] : 0;
        put(to, colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    }
}

void convert_grey8(Row from, std::uint8_t* to, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, to += 3) put(to, from[x], from[x], from[x]);
}

void convert_black_white(Row from, std::uint8_t* to, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, to += 3) {
        const std::uint8_t v = (from[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        put(to, v, v, v);
    }
}

void convert_grey16(Row from, std::uint8_t* to, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, to += 3) {
        const std::uint8_t v = reduced(from, static_cast<std::size_t>(x));
        put(to, v, v, v);
    }
}

// Four bytes a pixel; the first three in blue, green, red order or reversed.
template <bool Bgr>
void convert_32(Row from, std::uint8_t* to, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, from += 4, to += 3) {
        if constexpr (Bgr) {
            put(to, from[0], from[1], from[2]);
        } else {
            put(to, from[2], from[1], from[0]);
        }
    }
}

// Three 16-bit samples of every Samples in a pixel, reduced to bytes.
template <bool Bgr, int Samples>
void convert_16(Row from, std::uint8_t* to, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, to += 3) {
        const auto first = static_cast<std::size_t>(x) * Samples;
        if constexpr (Bgr) {
            put(to, reduced(from, first), reduced(from, first + 1), reduced(from, first + 2));
        } else {
            put(to, reduced(from, first + 2), reduced(from, first + 1), reduced(from, first));
        }
    }
}

}  // namespace

void convert_row(PixelLayout layout, const std::vector<std::uint32_t>& palette, const std::uint8_t* source,
                 std::uint8_t* destination, std::int32_t width) {
    switch (layout) {
    case PixelLayout::Indexed8: convert_indexed(palette, source, destination, width); break;
    case PixelLayout::Gray8: convert_grey8(source, destination, width); break;
    case PixelLayout::BlackWhite: convert_black_white(source, destination, width); break;
    case PixelLayout::Gray16: convert_grey16(source, destination, width); break;
    case PixelLayout::BGR24:
        if (source != destination) std::memmove(destination, source, static_cast<std::size_t>(width) * 3);
        break;
    case PixelLayout::RGB24: rgb_to_bgr(source, destination, width); break;
    case PixelLayout::BGR32:
    case PixelLayout::BGRA32:
    case PixelLayout::PBGRA32: convert_32<true>(source, destination, width); break;
    case PixelLayout::RGB32:
    case PixelLayout::RGBA32:
    case PixelLayout::PRGBA32: convert_32<false>(source, destination, width); break;
    case PixelLayout::RGB48: convert_16<false, 3>(source, destination, width); break;
    case PixelLayout::BGR48: convert_16<true, 3>(source, destination, width); break;
    case PixelLayout::RGBA64:
    case PixelLayout::PRGBA64: convert_16<false, 4>(source, destination, width); break;
    case PixelLayout::BGRA64:
    case PixelLayout::PBGRA64: convert_16<true, 4>(source, destination, width); break;
    }
}

bool is_grey_source(PixelLayout layout, const std::vector<std::uint32_t>& palette) {
    switch (layout) {
    case PixelLayout::Gray8:
    case PixelLayout::BlackWhite:
    case PixelLayout::Gray16: return true;
    case PixelLayout::Indexed8:
        for (std::uint32_t colour : palette) {
            const std::uint32_t blue = colour & 0xFF;
            if (((colour >> 8) & 0xFF) != blue || ((colour >> 16) & 0xFF) != blue) return false;
        }
        return true;
    default: return false;
    }
}

}  // namespace lumivane

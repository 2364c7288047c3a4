#include "support/bmp_files.h"

namespace lumivane::testing {

void put16(std::string& s, std::size_t at, std::uint32_t v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>(v >> 8 & 0xFF);
}
void put32(std::string& s, std::size_t at, std::uint32_t v) {
    put16(s, at, v & 0xFFFF);
    put16(s, at + 2, v >> 16);
}

std::string bmp_bytes(const BmpFile& f) {
    const bool core = f.header_size == 12;
    std::string s(14 + f.header_size, '\0');
    s[0] = 'B', s[1] = 'M';
    put32(s, 14, f.header_size);
    if (core) {
        put16(s, 18, static_cast<std::uint32_t>(f.width));
        put16(s, 20, static_cast<std::uint32_t>(f.height));
        put16(s, 22, 1);
        put16(s, 24, f.bits);
    } else {
        put32(s, 18, static_cast<std::uint32_t>(f.width));
        put32(s, 22, static_cast<std::uint32_t>(f.height));
        put16(s, 26, 1);
        put16(s, 28, f.bits);
        put32(s, 38, static_cast<std::uint32_t>(f.pixels_per_metre));
        put32(s, 46, f.colours_used);
    }
    for (const std::uint32_t c : f.table) {
        s += static_cast<char>(c & 0xFF);
        s += static_cast<char>(c >> 8 & 0xFF);
        s += static_cast<char>(c >> 16 & 0xFF);
        if (!core) s += '\0';
    }
    put32(s, 10, static_cast<std::uint32_t>(s.size()));
    for (const std::string& row : f.rows) s += row;
    put32(s, 2, static_cast<std::uint32_t>(s.size()));
    return s;
}

std::string plain_bmp(std::int32_t width, std::int32_t height, std::uint32_t colour) {
    std::string row;
    for (std::int32_t x = 0; x < width; ++x) {
        row += static_cast<char>(colour & 0xFF);
        row += static_cast<char>(colour >> 8 & 0xFF);
        row += static_cast<char>(colour >> 16 & 0xFF);
    }
    row.resize((row.size() + 3) / 4 * 4, '\0');
    BmpFile file;
    file.width = width;
    file.height = height;
    file.rows.assign(static_cast<std::size_t>(height), row);
    return bmp_bytes(file);
}

}  // namespace lumivane::testing

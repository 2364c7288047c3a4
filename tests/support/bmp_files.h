#pragma once
// Windows bitmap files written by the tests, laid out as common writers do.

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane::testing {

void put16(std::string& bytes, std::size_t at, std::uint32_t value);
void put32(std::string& bytes, std::size_t at, std::uint32_t value);

struct BmpFile {
    std::uint32_t header_size = 40;  // 12 writes a core header
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint32_t bits = 24;
    std::uint32_t colours_used = 0;
    std::int32_t pixels_per_metre = 3780;
    std::vector<std::uint32_t> table;  // 0xRRGGBB
    std::vector<std::string> rows;     // bottom row first, each padded to 4 bytes by the test
};

// The file's bytes, with the pixels right after the colour table.
std::string bmp_bytes(const BmpFile& file);

// A 24-bit picture of one colour (0xRRGGBB).
std::string plain_bmp(std::int32_t width, std::int32_t height, std::uint32_t colour);

}  // namespace lumivane::testing

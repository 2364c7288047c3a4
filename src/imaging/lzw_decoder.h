#pragma once
// The LZW of TIFF strips: codes stored most significant bit first, 9 to 12 bits wide,
// the width growing one code before the table needs it; 256 clears the table and
// 257 ends the data.

#include <cstddef>
#include <cstdint>
#include <span>

namespace lumivane {

// Decodes input into output, writing at most output.size() bytes; written receives the
// number of bytes produced (bytes of output past them may have been written over).
// Running out of input or filling the output ends the decode with success. Fails on
// the older least-significant-bit-first variant, on data that does not start with a
// Clear code, on a code the table does not hold yet and on a table that overflows
// without a Clear.
[[nodiscard]] bool lzw_decode(std::span<const std::uint8_t> input, std::span<std::uint8_t> output, std::size_t& written);

}  // namespace lumivane

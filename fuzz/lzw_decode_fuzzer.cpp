// Any bytes as an LZW strip. The first two bytes choose the output limit, in steps of
// 16 bytes up to about 1 MB.

#include <vector>

#include "imaging/lzw_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t limit = std::size_t{16} * (std::size_t{data[0]} << 8 | data[1]);
    std::vector<std::uint8_t> output(limit);
    std::size_t written = 0;
    static_cast<void>(lumivane::lzw_decode({data + 2, size - 2}, output, written));
    if (written > limit) __builtin_trap();
    return 0;
}

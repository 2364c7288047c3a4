// Any bytes as a WebP file: the header, the profile and every row the decoder gives,
// whole or scaled.

#include "fuzz_support.h"
#include "platform/webp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumivane;
    FileHandle file = fuzz::memory_file(data, size);
    if (!file.is_open()) return 0;
    // The size picks the reduction, so that the seeds decode both ways.
    fuzz::read_all_rows(open_webp_decoder(std::move(file)), 1 << (size % 4));
    return 0;
}

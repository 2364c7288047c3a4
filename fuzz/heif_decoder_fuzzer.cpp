// Any bytes as a HEIF or AVIF file: the header, the profile, the thumbnail a reduction
// picks and every row the decoder gives.

#include "fuzz_support.h"
#include "platform/heif_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumivane;
    FileHandle file = fuzz::memory_file(data, size);
    if (!file.is_open()) return 0;
    // The size picks the reduction, so that the seeds decode both ways.
    fuzz::read_all_rows(open_heif_decoder(std::move(file)), 1 << (size % 4));
    return 0;
}

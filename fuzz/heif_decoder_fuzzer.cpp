// Any bytes as a HEIF or AVIF file: the header, the profile and every row the decoder
// gives.

#include "fuzz_support.h"
#include "platform/heif_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumivane;
    FileHandle file = fuzz::memory_file(data, size);
    if (!file.is_open()) return 0;
    fuzz::read_all_rows(open_heif_decoder(std::move(file)));
    return 0;
}

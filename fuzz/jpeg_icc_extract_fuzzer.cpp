// Any bytes as a JPEG file whose APP2 segments may carry a profile.

#include <string>

#include "fuzz_support.h"
#include "imaging/jpeg_icc.h"
#include "platform/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumivane;
    FileHandle file = fuzz::memory_file(data, size);
    if (!file.is_open()) return 0;
    std::vector<std::uint8_t> profile;
    static_cast<void>(jpeg_icc_extract(utf8_to_utf16("/proc/self/fd/" + std::to_string(file.descriptor())), profile));
    return 0;
}

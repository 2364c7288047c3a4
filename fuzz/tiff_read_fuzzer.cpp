// Any bytes as a TIFF file: the picture, and the profile, which is read by name.

#include <string>
#include <vector>

#include "fuzz_support.h"
#include "imaging/tiff_reader.h"
#include "platform/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumivane;
    FileHandle file = fuzz::memory_file(data, size);
    if (!file.is_open()) return 0;
    ImageBuffer image;
    if (!tiff_read(file, image) && (image.kind != PixelFormat::Colour8 || image.empty())) __builtin_trap();

    std::vector<std::uint8_t> profile;
    static_cast<void>(tiff_icc_extract(ascii_to_utf16("/proc/self/fd/" + std::to_string(file.descriptor())), profile));
    if (profile.size() > size) __builtin_trap();
    return 0;
}

// Any bytes as a picture whose EXIF, IPTC and XMP blocks may name its slide.

#include <string>

#include "fuzz_support.h"
#include "platform/picture_metadata.h"
#include "platform/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumivane;
    FileHandle file = fuzz::memory_file(data, size);
    if (!file.is_open()) return 0;
    PictureCaptionFields fields;
    static_cast<void>(picture_caption_fields(utf8_to_utf16("/proc/self/fd/" + std::to_string(file.descriptor())), fields));
    return 0;
}

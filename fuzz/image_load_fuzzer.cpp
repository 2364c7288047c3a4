// Any bytes as a picture file: the platform decoders, the metadata, the profile walk
// and the program's own TIFF reader behind them; read whole, and again as small as the
// decoders can give it (DCT scaling, a TIFF's reduced images).

#include <string>

#include "fuzz_support.h"
#include "imaging/image_loader.h"
#include "platform/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumivane;
    static fuzz::SilentUi ui;
    FileHandle file = fuzz::memory_file(data, size);
    if (!file.is_open()) return 0;
    // The loader opens files by name; the in-memory file has one under /proc.
    const std::u16string path = utf8_to_utf16("/proc/self/fd/" + std::to_string(file.descriptor()));
    ImageBuffer image;
    std::vector<std::uint8_t> profile;
    static_cast<void>(image_load(ui, path, image, profile));
    LoadReport report;
    static_cast<void>(image_read(path, image, profile, report, memory_fits, [](std::int32_t, std::int32_t) { return 8; }));
    return 0;
}

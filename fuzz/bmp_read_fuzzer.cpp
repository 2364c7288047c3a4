// Any bytes as a button picture file: read, then fitted to a button as the buttons do.

#include "fuzz_support.h"
#include "imaging/bmp_reader.h"
#include "imaging/resample.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumivane;
    FileHandle file = fuzz::memory_file(data, size);
    if (!file.is_open()) return 0;
    ImageBuffer image;
    if (read_bmp(file, image)) {
        if (!image.empty() || image.kind != PixelFormat::Empty) __builtin_trap();
        return 0;
    }
    if (image.empty() || image.width <= 0 || image.height <= 0) __builtin_trap();
    if (image.kind != PixelFormat::Bilevel && image.kind != PixelFormat::Grey8 && image.kind != PixelFormat::Colour8) {
        __builtin_trap();
    }
    ImageBuffer button;
    if (!image_resample(image, button, 24, 24, 100.0, ResampleFilter::Linear) &&
        (button.width != 24 || button.kind == PixelFormat::Bilevel)) {
        __builtin_trap();
    }
    return 0;
}

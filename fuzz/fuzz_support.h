#pragma once
// Shared pieces of the fuzz targets.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/files.h"
#include "platform/image_decoder.h"
#include "support/silent_ui.h"

namespace lumivane::fuzz {

using testing::SilentUi;

// An open file in memory holding the bytes, positioned at the start.
inline FileHandle memory_file(const std::uint8_t* data, std::size_t size) {
    const int descriptor = ::memfd_create("fuzz", MFD_CLOEXEC);
    if (descriptor < 0) return FileHandle();
    FileHandle file(descriptor);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(descriptor, data + done, size - done);
        if (n <= 0) return FileHandle();
        done += static_cast<std::size_t>(n);
    }
    ::lseek(descriptor, 0, SEEK_SET);
    return file;
}

// Every row a decoder gives, as the loader asks for them, after asking for the
// reduction; a picture larger than the loader would take in the fuzzer's memory is left
// alone, as the loader leaves it.
inline void read_all_rows(std::unique_ptr<ImageDecoder> decoder, std::int32_t reduction = 1) {
    if (!decoder) return;
    if (reduction > 1) decoder->reduce(reduction);
    const std::uint64_t picture = static_cast<std::uint64_t>(decoder->row_bytes()) * decoder->height();
    if (picture + decoder->working_bytes() > (std::uint64_t{1} << 28)) return;
    std::vector<std::uint8_t> row(decoder->row_bytes());
    for (std::int32_t y = 0; y < decoder->height(); ++y) {
        if (!decoder->read_row(row.data()) && decoder->rows_ended()) break;
    }
    decoder->metadata();
}

}  // namespace lumivane::fuzz

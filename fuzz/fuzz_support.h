#pragma once
// Shared pieces of the fuzz targets.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

#include "platform/files.h"
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

}  // namespace lumivane::fuzz

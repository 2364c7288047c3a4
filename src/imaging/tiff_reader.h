#pragma once
// Temporary: the program's own TIFF reader is being written on its own branch.

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/image_buffer.h"
#include "platform/files.h"

namespace lumivane {

bool tiff_read(FileHandle& file, ImageBuffer& image);
bool tiff_icc_extract(const std::u16string& path, std::vector<std::uint8_t>& profile);

}  // namespace lumivane

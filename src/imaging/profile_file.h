#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"

namespace lumivane {

// Opens the file at path and lets read find the ICC profile in it. On any failure
// (the file, the reading, or memory) the profile is left empty.
[[nodiscard]] bool read_profile_from_file(const std::u16string& path, std::vector<std::uint8_t>& profile,
                            bool (*read)(FileHandle& file, std::vector<std::uint8_t>& profile));

}  // namespace lumivane

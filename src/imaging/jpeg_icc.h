#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane {

// The ICC profile a JPEG file carries in its APP2 "ICC_PROFILE" segments, chunks
// joined in file order. The walk stops at the first frame header; a profile whose
// last chunk is not met before that is no profile. No profile is success.
[[nodiscard]] bool jpeg_icc_extract(const std::u16string& path, std::vector<std::uint8_t>& profile);

}  // namespace lumivane

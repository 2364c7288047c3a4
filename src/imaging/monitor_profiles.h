#pragma once
// The two monitor colour spaces the program carries itself, as ICC version 2.1.0
// display profiles built from their stored numbers.

#include <cstdint>
#include <vector>

namespace lumivane {

// "Adobe RGB (1998)": 560 bytes, gamma 563/256.
const std::vector<std::uint8_t>& adobe_rgb_profile();
// "DCI-P3 (SMPTE-231-2)": 500 bytes, the digital cinema primaries and white, gamma
// 666/256, one curve shared by the three channels.
const std::vector<std::uint8_t>& dci_p3_profile();

}  // namespace lumivane

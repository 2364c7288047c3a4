#pragma once
// The monitor's colour space: the choices of the preferences, and the two spaces the
// program carries itself, as ICC version 2.1.0 display profiles built from their stored
// numbers.

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane {

// The preference's values. The display's profile is the one the desktop sets for the
// screen of the playback window; the file is a profile of the user's choice.
enum class MonitorProfile : std::int32_t { Srgb = 0, AdobeRgb = 1, DciP3 = 2, Display = 3, File = 4 };

// "Adobe RGB (1998)": 560 bytes, gamma 563/256.
const std::vector<std::uint8_t>& adobe_rgb_profile();
// "DCI-P3 (SMPTE-231-2)": 500 bytes, the digital cinema primaries and white, gamma
// 666/256, one curve shared by the three channels.
const std::vector<std::uint8_t>& dci_p3_profile();

// The profile of a built-in space; none for sRGB and every other value.
const std::vector<std::uint8_t>& builtin_monitor_profile(MonitorProfile profile);

// The monitor's colour space as the program uses it: the preference, the user's profile
// file (kept while another choice is made), and the profile pictures are converted to,
// none for sRGB.
struct MonitorColour {
    MonitorProfile profile = MonitorProfile::AdobeRgb;
    std::u16string file;
    std::vector<std::uint8_t> icc = adobe_rgb_profile();
};

}  // namespace lumivane

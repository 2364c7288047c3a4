#pragma once
// The ICC profile the desktop sets for a screen: the X11 root window's property
// _ICC_PROFILE for the first screen and _ICC_PROFILE_n for screen n, as colour managers
// set them.

#include <cstdint>
#include <vector>

class QScreen;

namespace lumivane {

// The profile's bytes; none when the screen has none or the windows are not X11's.
std::vector<std::uint8_t> display_icc_profile(const QScreen* screen);

}  // namespace lumivane

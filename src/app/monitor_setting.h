#pragma once
// The monitor's colour space (AppContext::monitor): one of the built-in spaces, the
// profile the desktop sets for the display, or a profile file of the user's.

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane {

struct AppContext;
class UserInterface;

// Reads the profile file at path into icc. True, with the message, when it cannot be
// read or pictures cannot be converted to it (monitor_profile_unusable); icc is then empty.
[[nodiscard]] bool read_monitor_profile_file(UserInterface& ui, const std::u16string& path,
                                             std::vector<std::uint8_t>& icc);

// Sets the profile that pictures loaded from now on are converted to, from
// context.monitor's choice: a built-in space, the user's file, or display_icc, the
// display's own profile as the windows found it (read only for that choice). A display
// or a file without a usable profile gives sRGB, with one warning.
void use_monitor_profile(AppContext& context, const std::vector<std::uint8_t>& display_icc);

}  // namespace lumivane

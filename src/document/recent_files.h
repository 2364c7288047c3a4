#pragma once
// The recently opened shows, most recent first; empty entries come last.

#include <array>
#include <string>

namespace lumivane {

inline constexpr std::size_t recent_files_count = 10;
using RecentFiles = std::array<std::u16string, recent_files_count>;

// Puts path at the front (texts compared exactly); the oldest entry drops off.
void recent_add(RecentFiles& list, const std::u16string& path);
void recent_remove(RecentFiles& list, const std::u16string& path);

}  // namespace lumivane

#pragma once

#include <cstddef>
#include <string>

namespace lumivane {

// A shortcut here is a symbolic link: target becomes the file it finally leads to, as
// a full path of at most capacity - 1 characters (a longer one is cut and fails).
[[nodiscard]] bool shortcut_resolve(const std::u16string& path, std::u16string& target, std::size_t capacity);

}  // namespace lumivane

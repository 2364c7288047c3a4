#include "platform/shortcuts.h"

#include <cstdlib>
#include <memory>

#include "platform/files.h"
#include "platform/text_encoding.h"

namespace lumivane {

bool shortcut_resolve(const std::u16string& path, std::u16string& target, std::size_t capacity) {
    target.clear();
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(native_path(path).c_str(), nullptr), &std::free);
    if (!resolved || capacity == 0) return true;
    std::u16string full = utf8_to_utf16(resolved.get());
    const bool too_long = full.size() > capacity - 1;
    if (too_long) full.resize(capacity - 1);
    target = std::move(full);
    return too_long;
}

}  // namespace lumivane

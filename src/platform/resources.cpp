#include "platform/resources.h"

#include <unistd.h>

#include <filesystem>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"

namespace lumivane {

std::u16string resource_folder_for(const std::u16string& executable_path) {
    std::u16string folder = executable_path;
    path_folder(folder);
    if (folder.empty() || folder.back() != path_separator) folder += path_separator;
    folder += utf8_to_utf16(LUMIVANE_INSTALLED_RESOURCES);
    if (folder_exists(folder)) {
        return utf8_to_utf16(std::filesystem::path(native_path(folder)).lexically_normal().string());
    }
    return utf8_to_utf16(LUMIVANE_SOURCE_RESOURCES);
}

std::u16string resource_folder() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    const std::string executable = n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
    return resource_folder_for(utf8_to_utf16(executable));
}

}  // namespace lumivane

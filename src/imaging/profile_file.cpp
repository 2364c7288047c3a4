#include "imaging/profile_file.h"

#include <new>

namespace lumivane {

bool read_profile_from_file(const std::u16string& path, std::vector<std::uint8_t>& profile,
                            bool (*read)(FileHandle& file, std::vector<std::uint8_t>& profile)) {
    profile.clear();
    FileHandle file;
    if (file_open_read(path, file)) return true;
    bool failed = true;
    try {
        failed = read(file, profile);
    } catch (const std::bad_alloc&) {
        failed = true;
    }
    file_close(file);
    if (failed) profile.clear();
    return failed;
}

}  // namespace lumivane

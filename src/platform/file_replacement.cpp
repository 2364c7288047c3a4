#include "platform/file_replacement.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumivane {

namespace {

constexpr std::size_t name_limit = 255;  // bytes in one name, as the file systems take it
constexpr std::size_t random_letters = 6;  // the XXXXXX that mkostemp fills in

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a chain of symbolic links leads to, which need not exist yet. Fails on a
// chain too long to be anything but a loop.
bool follow_links(std::string& path) {
    for (int hops = 0; hops < 40; ++hops) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0) return errno != EINVAL && errno != ENOENT;  // EINVAL: not a link
        if (static_cast<std::size_t>(length) == sizeof target) return true;
        const std::string link(target, static_cast<std::size_t>(length));
        path = link.front() == '/' ? link : folder_of(path) + "/" + link;
    }
    return true;
}

// Hidden, named after the file it replaces, with a hash of the whole name, so that a
// name cut to fit still tells which file it was for: ".index.ssi~1a2b3c4d.".
std::string temporary_prefix(const std::string& name) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
    char tail[16];
    std::snprintf(tail, sizeof tail, "~%08x.", static_cast<unsigned>(hash));
    std::size_t room = name_limit - 1 - (sizeof "~12345678." - 1) - random_letters;
    if (name.size() > room) {
        while (room > 0 && (static_cast<unsigned char>(name[room]) & 0xC0) == 0x80) --room;  // whole characters
    }
    return "." + name.substr(0, room) + tail;
}

// Temporary files of target that a killed program left behind.
void remove_leftovers(const std::string& target) {
    const std::string prefix = temporary_prefix(name_of(target));
    DIR* folder = ::opendir(folder_of(target).c_str());
    if (!folder) return;
    const int descriptor = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + random_letters || name.compare(0, prefix.size(), prefix) != 0) continue;
        struct stat info {};
        if (::fstatat(descriptor, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode)) {
            ::unlinkat(descriptor, name.c_str(), 0);
        }
    }
    ::closedir(folder);
}

// The old file's owner and group where the system lets us give them away (only the
// group, when we belong to it), then its permission bits; chown would clear set-id bits.
void take_over_attributes(int descriptor, const struct stat& old) {
    if (::fchown(descriptor, old.st_uid, old.st_gid) != 0) (void)::fchown(descriptor, static_cast<uid_t>(-1), old.st_gid);
    ::fchmod(descriptor, old.st_mode & 07777);
}

}  // namespace

bool file_replace_start(const std::u16string& path, FileReplacement& replacement, ReplaceWhat what) {
    std::string target = native_path(path);
    const bool by_name = what == ReplaceWhat::Name;
    if (!by_name && follow_links(target)) return true;
    struct stat old {};
    const bool exists = (by_name ? ::lstat(target.c_str(), &old) : ::stat(target.c_str(), &old)) == 0;
    if (!exists && errno != ENOENT) return true;
    const bool old_file = exists && S_ISREG(old.st_mode);
    const bool old_link = by_name && exists && S_ISLNK(old.st_mode);
    if (exists && !old_link && (!old_file || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)) {
        return true;
    }

    std::string temporary = folder_of(target) + "/" + temporary_prefix(name_of(target)) + "XXXXXX";
    const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) {
        // A folder closed to new files, holding a file we may write: write in place.
        if (by_name || !old_file || (errno != EACCES && errno != EPERM)) return true;
        const int in_place = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (in_place < 0) return true;
        replacement.file = FileHandle(in_place);
        replacement.target = target;
        replacement.temporary.clear();
        return false;
    }
    if (old_file) {
        take_over_attributes(descriptor, old);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(descriptor, 0666 & ~mask);
    }
    replacement.file = FileHandle(descriptor);
    replacement.target = target;
    replacement.temporary = temporary;
    return false;
}

bool file_replace_finish(FileReplacement& replacement, bool failed) {
    failed = failed || file_flush(replacement.file);
    failed = file_close(replacement.file) || failed;
    if (replacement.temporary.empty()) return failed;
    failed = failed || ::rename(replacement.temporary.c_str(), replacement.target.c_str()) != 0;
    if (failed) {
        ::unlink(replacement.temporary.c_str());
        return true;
    }
    remove_leftovers(replacement.target);
    return false;
}

}  // namespace lumivane

#include "platform/file_replacement.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
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

constexpr std::size_t hash_tail = sizeof "~12345678." - 1;
constexpr std::size_t name_room = name_limit - 1 - hash_tail - random_letters;  // of the replaced file's name

std::string name_hash(const std::string& name) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
    char tail[16];
    std::snprintf(tail, sizeof tail, "~%08x.", static_cast<unsigned>(hash));
    return tail;
}

// Hidden, named after the file it replaces, with a hash of the whole name, so that a
// name cut to fit still tells which file it was for: ".index.ssi~1a2b3c4d.".
std::string temporary_prefix(const std::string& name) {
    std::size_t room = name_room;
    if (name.size() > room) {
        while (room > 0 && (static_cast<unsigned char>(name[room]) & 0xC0) == 0x80) --room;  // whole characters
    }
    return "." + name.substr(0, room) + name_hash(name);
}

// Whether name is a temporary file of ours for some file of its folder: the shape of
// temporary_prefix and six letters, with the hash of the name it holds unless that
// name was cut to fit (then only the next replacement of the same file knows it).
bool looks_temporary(const std::string& name) {
    if (name.size() < 1 + 1 + hash_tail + random_letters || name[0] != '.') return false;
    const std::size_t tail = name.size() - random_letters - hash_tail;
    const std::string held = name.substr(1, tail - 1);
    return name_hash(held) == name.substr(tail, hash_tail);
}

// Temporary files in folder that a killed program left behind: those that match
// (the ones of one file, or with whole true every one of ours) and that no running
// save holds locked.
void remove_leftovers_where(const std::string& folder_path, const std::string& prefix, bool whole) {
    DIR* folder = ::opendir(folder_path.c_str());
    if (!folder) return;
    const int descriptor = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        const bool matches = whole ? looks_temporary(name)
                                   : name.size() == prefix.size() + random_letters && name.compare(0, prefix.size(), prefix) == 0;
        if (!matches) continue;
        const int file = ::openat(descriptor, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (file < 0) continue;
        struct stat info {};
        if (::fstat(file, &info) == 0 && S_ISREG(info.st_mode) && ::flock(file, LOCK_EX | LOCK_NB) == 0) {
            ::unlinkat(descriptor, name.c_str(), 0);
        }
        ::close(file);
    }
    ::closedir(folder);
}

void remove_leftovers(const std::string& target) {
    remove_leftovers_where(folder_of(target), temporary_prefix(name_of(target)), false);
}

// The old file's owner and group where the system lets us give them away (only the
// group, when we belong to it), then its permission bits; chown would clear set-id bits.
void take_over_attributes(int descriptor, const struct stat& old) {
    if (::fchown(descriptor, old.st_uid, old.st_gid) != 0) (void)::fchown(descriptor, static_cast<uid_t>(-1), old.st_gid);
    ::fchmod(descriptor, old.st_mode & 07777);
}

}  // namespace

void remove_replacement_leftovers(const std::u16string& folder) { remove_leftovers_where(native_path(folder), {}, true); }

bool file_replace_start(const std::u16string& path, FileReplacement& replacement, ReplaceWhat what) {
    std::string target = native_path(path);
    const bool by_name = what == ReplaceWhat::Name;
    if (!by_name && follow_links(target)) return true;
    remove_leftovers(target);
    struct stat old {};
    const bool exists = (by_name ? ::lstat(target.c_str(), &old) : ::stat(target.c_str(), &old)) == 0;
    if (!exists && errno != ENOENT) return true;
    const bool old_file = exists && S_ISREG(old.st_mode);
    const bool old_link = by_name && exists && S_ISLNK(old.st_mode);
    if (exists && !old_link && (!old_file || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)) {
        return true;
    }

    // Never written over in place: a full disk or a kill would leave the old file broken.
    // A folder closed to new files therefore keeps its old file as it is.
    std::string temporary = folder_of(target) + "/" + temporary_prefix(name_of(target)) + "XXXXXX";
    const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) return true;
    // Held while it is written: cleaning up after killed saves leaves it alone.
    ::flock(descriptor, LOCK_EX | LOCK_NB);
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
    failed = failed || ::rename(replacement.temporary.c_str(), replacement.target.c_str()) != 0;
    if (failed) {
        ::unlink(replacement.temporary.c_str());
        return true;
    }
    return false;
}

}  // namespace lumivane

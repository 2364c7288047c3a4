#include "platform/trash.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/text_encoding.h"

namespace lumivane {

namespace {

constexpr std::size_t name_limit = 255;  // bytes in one name, as the file systems take it
constexpr char info_extension[] = ".trashinfo";
constexpr std::size_t number_room = 5;  // ".1000"

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A folder that exists or was just made, really a folder and this user's own: a file,
// a link or someone else's folder in its place cannot take the user's files.
bool own_folder(const std::string& path) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
}

// The device of path, or of the nearest folder above it that exists.
dev_t device_of(std::string path) {
    struct stat info {};
    while (::stat(path.c_str(), &info) != 0 && path != "/") path = folder_of(path);
    return info.st_dev;
}

// Makes path and the folders above it that are missing.
void make_folders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    }
    ::mkdir(path.c_str(), 0700);
}

// The try-th name for a file called name: the name itself, then "photo.2.jpg" and so
// on; a long name is cut (at whole characters) so that its info file's name still fits.
std::string trash_name(const std::string& name, int attempt) {
    const std::size_t dot = name.rfind('.');
    const std::size_t stem_end = dot == std::string::npos || dot == 0 ? name.size() : dot;
    std::string stem = name.substr(0, stem_end);
    const std::string extension = name.substr(stem_end);
    const std::size_t room = name_limit - (sizeof info_extension - 1) - number_room;
    if (stem.size() + extension.size() > room) {
        std::size_t keep = room > extension.size() ? room - extension.size() : 0;
        while (keep > 0 && (static_cast<unsigned char>(stem[keep]) & 0xC0) == 0x80) --keep;
        stem.resize(keep);
    }
    return attempt == 0 ? stem + extension : stem + "." + std::to_string(attempt + 1) + extension;
}

// The path as a URL's path: bytes other than letters, digits, "/" and -_.!~*'() escaped.
std::string escaped_path(const std::string& path) {
    std::string result;
    for (unsigned char c : path) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           std::string_view("/-_.!~*'()").find(static_cast<char>(c)) != std::string_view::npos;
        if (plain) {
            result += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            result += hex;
        }
    }
    return result;
}

std::string info_text(const std::string& origin) {
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    ::localtime_r(&now, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    return "[Trash Info]\nPath=" + escaped_path(origin) + "\nDeletionDate=" + date + "\n";
}

bool write_all(int descriptor, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(descriptor, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return true;
        done += static_cast<std::size_t>(written);
    }
    return false;
}

// Renames without ever replacing a file already at to. Sets errno on failure.
bool rename_new(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return false;
    if (errno != EINVAL && errno != ENOSYS) return true;
    // A file system that cannot promise it: the name was free a moment ago.
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0) {
        errno = EEXIST;
        return true;
    }
    return ::rename(from.c_str(), to.c_str()) != 0;
}

// The folder that holds the user's data: $XDG_DATA_HOME when it is an absolute path,
// else ~/.local/share.
std::string data_home() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/') return data;
    const char* home = std::getenv("HOME");
    return std::string(home && home[0] == '/' ? home : "") + "/.local/share";
}

// The top folder of the volume that holds folder (a real path): the highest folder
// above it on the same device.
std::string volume_top(std::string folder, dev_t device) {
    while (folder != "/") {
        const std::string parent = folder_of(folder);
        struct stat info {};
        if (::stat(parent.c_str(), &info) != 0 || info.st_dev != device) break;
        folder = parent;
    }
    return folder;
}

}  // namespace

std::vector<std::string> volume_trash_folders(const std::string& top, unsigned uid) {
    const std::string base = top == "/" ? "" : top;
    std::vector<std::string> folders;
    struct stat shared {};
    if (::lstat((base + "/.Trash").c_str(), &shared) == 0 && S_ISDIR(shared.st_mode) && (shared.st_mode & S_ISVTX)) {
        folders.push_back(base + "/.Trash/" + std::to_string(uid));
    }
    folders.push_back(base + "/.Trash-" + std::to_string(uid));
    return folders;
}

bool trash_file_into(const std::string& path, const std::string& trash, const std::string& origin,
                     std::string& trashed_path) {
    const std::string files = trash + "/files";
    const std::string info = trash + "/info";
    if (!own_folder(trash) || !own_folder(files) || !own_folder(info)) return true;
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string text = info_text(origin);
    for (int attempt = 0; attempt < trash_name_tries; ++attempt) {
        const std::string candidate = trash_name(name, attempt);
        const std::string info_path = info + "/" + candidate + info_extension;
        // The info file is made first and claims the name: two programs trashing at
        // once never take the same one.
        const int descriptor = ::open(info_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (descriptor < 0) {
            if (errno == EEXIST) continue;
            return true;
        }
        const bool unwritten = write_all(descriptor, text);
        const bool unclosed = ::close(descriptor) != 0;
        const std::string target = files + "/" + candidate;
        if (!unwritten && !unclosed && !rename_new(path, target)) {
            trashed_path = target;
            return false;
        }
        const int error = errno;
        ::unlink(info_path.c_str());
        // Only a name taken in "files" without its info file is worth another name.
        if (unwritten || unclosed || error != EEXIST) return true;
    }
    return true;
}

bool trash_file(const std::u16string& path, std::u16string& trashed_path) {
    const std::string native = native_path(path);
    struct stat file {};
    if (native.empty() || ::lstat(native.c_str(), &file) != 0) return true;
    // The folder's real path, the file's own name: a link is trashed itself.
    const std::size_t slash = native.rfind('/');
    const std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
    char real[PATH_MAX];
    if (!::realpath(folder_of(native).c_str(), real)) return true;
    const std::string folder = real;
    const std::string absolute = (folder == "/" ? "" : folder) + "/" + name;

    std::vector<std::pair<std::string, std::string>> trashes;  // each trash and the origin it records
    const std::string home_trash = data_home() + "/Trash";
    if (device_of(home_trash) == file.st_dev) {
        make_folders(data_home());
        trashes.emplace_back(home_trash, absolute);
    } else {
        // Another volume's files go to that volume's own trash, under names relative to its top.
        const std::string top = volume_top(folder, file.st_dev);
        const std::string relative = absolute.substr(top == "/" ? 1 : top.size() + 1);
        for (const std::string& trash : volume_trash_folders(top, ::geteuid())) trashes.emplace_back(trash, relative);
    }
    for (const auto& [trash, origin] : trashes) {
        std::string trashed;
        if (!trash_file_into(absolute, trash, origin, trashed)) {
            trashed_path = utf8_to_utf16(trashed);
            return false;
        }
    }
    return true;
}

}  // namespace lumivane

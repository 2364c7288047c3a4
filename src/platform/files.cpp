#include "platform/files.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/text_encoding.h"

namespace lumivane {

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0) ::close(descriptor_);
        descriptor_ = other.release();
    }
    return *this;
}

FileHandle::~FileHandle() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

std::string native_path(const std::u16string& path) { return utf16_to_utf8(path); }

bool file_open_read(const std::u16string& path, FileHandle& handle) {
    // Only regular files are files here: folders, pipes, sockets and devices are not,
    // and are not even opened (opening some devices has effects). Should the path
    // change between the two looks, O_NONBLOCK still keeps open() from waiting for a
    // pipe's writer, and the second look refuses it.
    const std::string native = native_path(path);
    struct stat before {};
    if (::stat(native.c_str(), &before) != 0 || !S_ISREG(before.st_mode)) return true;
    const int d = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (d < 0) return true;
    struct stat info {};
    if (::fstat(d, &info) != 0 || !S_ISREG(info.st_mode) || ::fcntl(d, F_SETFL, 0) != 0) {
        ::close(d);
        return true;
    }
    handle = FileHandle(d);
    return false;
}

bool file_create_write(const std::u16string& path, FileHandle& handle) {
    const int d = ::open(native_path(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (d < 0) return true;
    handle = FileHandle(d);
    return false;
}

bool file_create_new(const std::u16string& path, FileHandle& handle) {
    // With O_EXCL, open() follows no link, dangling or not.
    const int d = ::open(native_path(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (d < 0) return true;
    handle = FileHandle(d);
    return false;
}

bool file_create_private(const std::u16string& path, FileHandle& handle) {
    const int d = ::open(native_path(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (d < 0) return true;
    handle = FileHandle(d);
    return ::fchmod(d, 0600) != 0;
}

bool file_flush(FileHandle& handle) { return ::fsync(handle.descriptor()) != 0; }

bool file_close(FileHandle& handle) {
    if (!handle.is_open()) return true;
    return ::close(handle.release()) != 0;
}

ReadResult file_read(FileHandle& handle, std::uint32_t& length, void* buffer) {
    if (length == 0) return ReadResult::Read;
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::uint32_t done = 0;
    while (done < length) {
        const ssize_t n = ::read(handle.descriptor(), bytes + done, length - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            length = done;
            return ReadResult::Failed;
        }
        if (n == 0) break;
        done += static_cast<std::uint32_t>(n);
    }
    length = done;
    return done == 0 ? ReadResult::EndOfFile : ReadResult::Read;
}

bool file_write(FileHandle& handle, std::uint32_t length, const void* buffer) {
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    std::uint32_t done = 0;
    while (done < length) {
        const ssize_t n = ::write(handle.descriptor(), bytes + done, length - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return true;
        }
        if (n == 0) return true;
        done += static_cast<std::uint32_t>(n);
    }
    return false;
}

bool file_size(FileHandle& handle, std::uint32_t& size) {
    struct stat info {};
    if (::fstat(handle.descriptor(), &info) != 0) return true;
    if (info.st_size < 0 || info.st_size > 0xFFFFFFFFLL) return true;
    size = static_cast<std::uint32_t>(info.st_size);
    return false;
}

bool file_tell(FileHandle& handle, std::uint32_t& position) {
    const off_t p = ::lseek(handle.descriptor(), 0, SEEK_CUR);
    if (p < 0 || p > 0xFFFFFFFFLL) return true;
    position = static_cast<std::uint32_t>(p);
    return false;
}

bool file_seek(FileHandle& handle, std::uint32_t position) {
    return ::lseek(handle.descriptor(), static_cast<off_t>(position), SEEK_SET) < 0;
}

bool file_exists(const std::u16string& path) {
    FileHandle handle;
    return !file_open_read(path, handle);
}

bool folder_exists(const std::u16string& path) {
    struct stat info {};
    return ::stat(native_path(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool path_exists(const std::u16string& path) {
    struct stat info {};
    return ::lstat(native_path(path).c_str(), &info) == 0;
}

bool files_equal(const std::u16string& a, const std::u16string& b) {
    FileHandle first;
    FileHandle second;
    std::uint32_t first_size = 0;
    std::uint32_t second_size = 0;
    if (file_open_read(a, first) || file_open_read(b, second) || file_size(first, first_size) ||
        file_size(second, second_size) || first_size != second_size) {
        return false;
    }
    std::vector<unsigned char> first_block(65536);
    std::vector<unsigned char> second_block(first_block.size());
    for (;;) {
        std::uint32_t first_length = static_cast<std::uint32_t>(first_block.size());
        std::uint32_t second_length = first_length;
        const ReadResult read = file_read(first, first_length, first_block.data());
        if (read == ReadResult::Failed || file_read(second, second_length, second_block.data()) == ReadResult::Failed ||
            first_length != second_length) {
            return false;
        }
        if (read == ReadResult::EndOfFile) return true;
        if (!std::equal(first_block.begin(), first_block.begin() + first_length, second_block.begin())) return false;
    }
}

bool same_file(const std::u16string& a, const std::u16string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(native_path(a).c_str(), &first) == 0 && ::stat(native_path(b).c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool folder_create(const std::u16string& path) {
    if (::mkdir(native_path(path).c_str(), 0777) == 0) return false;
    return !(errno == EEXIST && folder_exists(path));
}

bool folder_entries(const std::u16string& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    const std::string base = native_path(folder);
    DIR* dir = ::opendir(base.c_str());
    if (!dir) return true;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry) break;
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        bool link = entry->d_type == DT_LNK;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            link = ::lstat((base + "/" + name).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
        }
        entries.push_back({utf8_to_utf16(name), link});
    }
    // readdir ends with errno untouched at the end of the folder, and set on an error.
    const bool failed = errno != 0;
    ::closedir(dir);
    return failed;
}

bool file_delete(const std::u16string& path) {
    if (!file_exists(path)) return false;
    return ::unlink(native_path(path).c_str()) != 0;
}

}  // namespace lumivane

#pragma once
// Thin wrappers around the file system. Every operation that can fail returns true
// on failure; sizes and positions are 32-bit, as in all of the program's files.

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane {

// One open file with one owner. Closed by file_close, or when the owner lets go.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(int descriptor) : descriptor_(descriptor) {}
    FileHandle(FileHandle&& other) noexcept : descriptor_(other.release()) {}
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    bool is_open() const { return descriptor_ >= 0; }
    int descriptor() const { return descriptor_; }
    int release() {
        const int d = descriptor_;
        descriptor_ = -1;
        return d;
    }

private:
    int descriptor_ = -1;
};

enum class ReadResult { Read = 0, EndOfFile = 1, Failed = 2 };

// The platform's form of a path held by the program.
std::string native_path(const std::u16string& path);

[[nodiscard]] bool file_open_read(const std::u16string& path, FileHandle& handle);
[[nodiscard]] bool file_create_write(const std::u16string& path, FileHandle& handle);
// Creates a file only this user may read, failing when anything, a link included,
// already stands at path.
[[nodiscard]] bool file_create_new(const std::u16string& path, FileHandle& handle);
// As file_create_write, for a file only its owner may read or write, whatever an
// existing file allowed before.
[[nodiscard]] bool file_create_private(const std::u16string& path, FileHandle& handle);
bool file_close(FileHandle& handle);
// Reads up to length bytes and sets length to the number read. At the end of the
// file: EndOfFile with length 0. A request of 0 bytes reads nothing.
ReadResult file_read(FileHandle& handle, std::uint32_t& length, void* buffer);
// Writes all length bytes; a length of 0 writes nothing.
[[nodiscard]] bool file_write(FileHandle& handle, std::uint32_t length, const void* buffer);
// Fails for files of 4 GiB or more.
[[nodiscard]] bool file_size(FileHandle& handle, std::uint32_t& size);
[[nodiscard]] bool file_tell(FileHandle& handle, std::uint32_t& position);
[[nodiscard]] bool file_seek(FileHandle& handle, std::uint32_t position);
// Makes sure everything written so far is on the disk.
[[nodiscard]] bool file_flush(FileHandle& handle);
// Answers yes or no: whether file_open_read would succeed.
[[nodiscard]] bool file_exists(const std::u16string& path);
[[nodiscard]] bool folder_exists(const std::u16string& path);
// Whether anything at all stands at path: a file that cannot be read, a folder, a pipe,
// or a link, whether or not it leads anywhere.
[[nodiscard]] bool path_exists(const std::u16string& path);
// Whether both paths can be read as files and hold the same bytes.
[[nodiscard]] bool files_equal(const std::u16string& a, const std::u16string& b);
// Whether both paths lead to one and the same file (its device and inode), through
// links or another path to its folder. No when either does not exist.
[[nodiscard]] bool same_file(const std::u16string& a, const std::u16string& b);
// Creates the folder (its parent must exist); an existing folder is no failure.
[[nodiscard]] bool folder_create(const std::u16string& path);
// One entry of a folder: its name and whether it is a symbolic link (the link itself,
// whatever it leads to).
struct FolderEntry {
    std::u16string name;
    bool link = false;
};
// Every entry of the folder except "." and "..", in the file system's order. True when
// the folder cannot be opened or read to its end; an empty folder is no failure.
// Nothing in the folder is opened.
[[nodiscard]] bool folder_entries(const std::u16string& folder, std::vector<FolderEntry>& entries);
// A missing file is no failure.
bool file_delete(const std::u16string& path);

}  // namespace lumivane

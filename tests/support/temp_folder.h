#pragma once
// A fresh folder for one test, removed with everything in it afterwards.

#include <string>
#include <string_view>

namespace lumivane::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& native() const { return path_; }
    std::u16string path() const;
    // Full path of name inside the folder.
    std::u16string file(std::u16string_view name) const;
    std::string native_file(std::string_view name) const { return path_ + "/" + std::string(name); }
    // Writes bytes to name inside the folder and returns its full path.
    std::u16string write(std::string_view name, std::string_view bytes) const;

private:
    std::string path_;
};

// The whole content of a file, or an empty string when it cannot be read.
std::string read_bytes(const std::string& native_path);

// Hand-written UTF-16 and UTF-8 test texts.
std::u16string u16(std::string_view utf8);
std::string u8(std::u16string_view text);

}  // namespace lumivane::testing

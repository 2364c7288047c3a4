#include "support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/text_encoding.h"

namespace lumivane::testing {

TempFolder::TempFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/lumivane-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::u16string TempFolder::path() const { return utf8_to_utf16(path_); }

std::u16string TempFolder::file(std::u16string_view name) const { return path() + u"/" + std::u16string(name); }

std::u16string TempFolder::write(std::string_view name, std::string_view bytes) const {
    std::ofstream out(native_file(name), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return utf8_to_utf16(native_file(name));
}

std::string read_bytes(const std::string& native_path) {
    std::ifstream in(native_path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::u16string u16(std::string_view utf8) { return utf8_to_utf16(utf8); }
std::string u8(std::u16string_view text) { return utf16_to_utf8(text); }

}  // namespace lumivane::testing

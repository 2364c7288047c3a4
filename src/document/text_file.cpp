#include "document/text_file.h"

#include <array>
#include <cstdint>
#include <new>

#include "platform/file_replacement.h"
#include "platform/text_encoding.h"

namespace lumivane {

namespace {

enum class Encoding { Utf8, Utf16Little, Utf16Big, Utf32 };

struct Classification {
    Encoding encoding;
    std::uint32_t skip;
};

Classification classify(const std::array<unsigned char, 10>& b, std::uint32_t size) {
    if (size >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return {Encoding::Utf8, 3};
    if (size >= 2 && b[0] == 0xFE && b[1] == 0xFF) return {Encoding::Utf16Big, 2};
    if (size >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        if (b[2] == 0 && b[3] == 0) return {Encoding::Utf32, 4};
        return {Encoding::Utf16Little, 2};
    }
    if (size >= 4 && b[0] == 0 && b[1] == 0 && b[2] == 0xFE && b[3] == 0xFF) return {Encoding::Utf32, 4};
    if (size >= 2 && b[0] != 0 && b[1] == 0) return {Encoding::Utf16Little, 0};
    if (size >= 2 && b[0] == 0 && b[1] != 0) return {Encoding::Utf16Big, 0};
    if (size >= 4 && b[0] != 0 && b[1] != 0 && (b[2] == 0 || b[3] == 0)) return {Encoding::Utf32, 0};
    if (size >= 4 && (b[0] == 0 || b[1] == 0) && (b[2] != 0 || b[3] != 0)) return {Encoding::Utf32, 0};
    return {Encoding::Utf8, 0};
}

bool read_exactly(FileHandle& file, std::uint32_t length, void* buffer) {
    std::uint32_t got = length;
    if (length == 0) return false;
    return file_read(file, got, buffer) != ReadResult::Read || got != length;
}

bool read_text(FileHandle& file, std::u16string& text) {
    std::uint32_t size = 0;
    if (file_size(file, size)) return true;
    if (size == 0) return false;

    std::array<unsigned char, 10> head{};
    if (read_exactly(file, size < 10 ? size : 10, head.data())) return true;
    const Classification kind = classify(head, size);
    if (kind.encoding == Encoding::Utf32) return true;
    if (file_seek(file, kind.skip)) return true;

    const std::uint32_t length = size - kind.skip;
    try {
        std::string bytes(length, '\0');
        if (read_exactly(file, length, bytes.data())) return true;
        if (kind.encoding == Encoding::Utf8) {
            text = utf8_to_utf16(bytes);
            return false;
        }
        text.resize(length / 2);
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto first = static_cast<unsigned char>(bytes[2 * i]);
            const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
            text[i] = kind.encoding == Encoding::Utf16Little ? static_cast<char16_t>(first | (second << 8))
                                                             : static_cast<char16_t>((first << 8) | second);
        }
    } catch (const std::bad_alloc&) {
        return true;
    }
    return false;
}

}  // namespace

bool read_text_file(FileHandle file, std::u16string& text) {
    text.clear();
    const bool failed = read_text(file, text);
    file_close(file);
    if (failed) text.clear();
    return failed;
}

bool start_text_file(FileHandle& file) {
    static constexpr unsigned char mark[] = {0xEF, 0xBB, 0xBF};
    return file_write(file, sizeof mark, mark);
}

bool write_text_line(FileHandle& file, std::u16string_view text) {
    std::string bytes = utf16_to_utf8(text);
    bytes += "\r\n";
    return file_write(file, static_cast<std::uint32_t>(bytes.size()), bytes.data());
}

}  // namespace lumivane

namespace lumivane {

bool write_text_file(const std::u16string& path, const std::vector<std::u16string>& lines) {
    FileReplacement replacement;
    if (file_replace_start(path, replacement)) return true;
    bool failed = start_text_file(replacement.file);
    for (std::size_t i = 0; !failed && i < lines.size(); ++i) failed = write_text_line(replacement.file, lines[i]);
    return file_replace_finish(replacement, failed);
}

}  // namespace lumivane

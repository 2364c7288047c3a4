#pragma once
// Reading the program's text files in any of their encodings, and writing them as
// UTF-8 with a byte order mark and CR LF line ends.

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace lumivane {

// Reads the whole file as 16-bit text: UTF-8 with or without a mark, UTF-16 in either
// byte order (marked, or guessed from a zero byte). 32-bit text is refused. The file is
// closed in every case.
[[nodiscard]] bool read_text_file(FileHandle file, std::u16string& text);

[[nodiscard]] bool start_text_file(FileHandle& file);

// Writes a whole text file of lines, replacing path only when every byte is safely
// written (see file_replace_start: links, permissions and closed folders). On failure
// the old file is left as it was.
[[nodiscard]] bool write_text_file(const std::u16string& path, const std::vector<std::u16string>& lines);
[[nodiscard]] bool write_text_line(FileHandle& file, std::u16string_view text);

}  // namespace lumivane

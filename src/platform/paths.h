#pragma once
// Operations on path texts. The separator is "/"; every other character, the
// colon included, belongs to a name.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/translation.h"

namespace lumivane {

// The longest path the file system takes, in characters.
inline constexpr std::size_t path_limit = 4096;
inline constexpr char16_t path_separator = u'/';

// What a path longer than path_limit is reported with.
inline constexpr char16_t path_too_long_text[] = LMV_TRANSLATE_NOOP("Core", "Pathname too long");

// output = folder + "/" (unless folder ends with one) + name. A result longer than
// path_limit leaves output as folder and separator and fails; the caller says
// path_too_long_text.
[[nodiscard]] bool path_join(std::u16string& output, std::u16string_view folder, std::u16string_view name);
// The folder part of path, in place: "/a/b.jpg" gives "/a", "/b.jpg" gives "/", "b.jpg" gives ".".
void path_folder(std::u16string& path);
std::u16string path_file_name(std::u16string_view path);
// From the last "." of the last name to the end; empty when the last name has no dot.
std::u16string path_extension(std::u16string_view path);
[[nodiscard]] bool names_equal(std::u16string_view a, std::u16string_view b);
// Two folder paths name the same folder text, whether or not either ends with "/".
[[nodiscard]] bool folders_equal(std::u16string_view a, std::u16string_view b);
[[nodiscard]] bool names_equal_nocase(std::u16string_view a, std::u16string_view b);
// The order in which a person lists file names: letter case does not count, and a run of
// digits counts as its number, so "img_9.jpg" comes before "IMG_10.jpg". Names that
// differ only in case or in leading zeros keep a fixed order among themselves.
[[nodiscard]] bool names_natural_less(std::u16string_view a, std::u16string_view b);

// A text cut to at most limit characters, as the program's fixed-size fields hold it.
std::u16string cut_text(std::u16string_view text, std::size_t limit);

}  // namespace lumivane

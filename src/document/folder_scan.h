#pragma once
// Scanning a show folder for its pictures and its index files. Only regular files are
// opened; a symbolic link counts as the file it leads to but keeps its own name.

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane {

// Whether the file starts like a TIFF ("II", "MM") or a JPEG (FF D8) file, or with the
// signature of a PNG, WebP, JPEG XL, HEIF or AVIF file; the name's extension plays no
// part. A file that opens but is shorter than two bytes counts as one (its load reports
// the fault); a folder, a pipe or a device never does.
[[nodiscard]] bool is_image_file(const std::u16string& path);

// The names of the folder's pictures, not looking into subfolders, in the order a person
// lists them (see names_natural_less). True when the folder cannot be read to its end.
[[nodiscard]] bool folder_image_names(const std::u16string& folder, std::vector<std::u16string>& names);
[[nodiscard]] bool count_image_files(const std::u16string& folder, std::int32_t& count);

// How many index files (".ssi" in any letter case) the folder holds, and the first of
// them in the same order (empty when there is none). True when the folder cannot be
// read to its end.
[[nodiscard]] bool find_index_files(const std::u16string& folder, std::int32_t& count, std::u16string& first_name);

}  // namespace lumivane

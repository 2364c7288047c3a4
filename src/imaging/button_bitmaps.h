#pragma once
// The pictures of the tool buttons, read from bitmap files and fitted to the buttons.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/image_buffer.h"

namespace lumivane {

// The folder inside the settings folder where a user's own button pictures go.
inline constexpr char16_t user_bitmaps_folder[] = u"Bitmaps";

// The program's own button pictures.
std::u16string shipped_bitmap_folder();

// What load_bitmap_file could not do, in the order met, for the caller to say: a path
// too long to make, or a file that could not be read.
struct BitmapProblem {
    enum class Kind { PathTooLong, Unreadable } kind;
    std::u16string path;
};

// Reads the picture file_name ("Run.bmp") from the settings folder's "Bitmaps" when it
// is there, else from the shipped pictures, and scales it linearly to width x height
// (resolution 100) into destination. When the user's file cannot be read (damaged, no
// permission, a folder, a pipe, a link that leads nowhere) it is named among the
// problems and the shipped picture is used; when neither can be read the path in the
// settings folder is named and the destination stays as it was (the result is then true).
[[nodiscard]] bool load_bitmap_file(ImageBuffer& destination, std::u16string_view file_name, std::int32_t width,
                                    std::int32_t height, const std::u16string& settings_folder,
                                    std::vector<BitmapProblem>& problems,
                                    const std::u16string& shipped_folder = shipped_bitmap_folder());

}  // namespace lumivane

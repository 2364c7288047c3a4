#pragma once
// The pictures of the tool buttons, read from bitmap files and fitted to the buttons.

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/image_buffer.h"
#include "platform/user_interface.h"

namespace lumivane {

// The folder inside the settings folder where a user's own button pictures go.
inline constexpr char16_t user_bitmaps_folder[] = u"Bitmaps";

// The program's own button pictures.
std::u16string shipped_bitmap_folder();

// Reads the picture file_name ("Run.bmp") from the settings folder's "Bitmaps" when it
// is there, else from the shipped pictures, and scales it linearly to width x height
// (resolution 100) into destination. When the user's file cannot be read (damaged, no
// permission, a folder, a pipe, a link that leads nowhere) the error
// names it and the shipped picture is used; when neither can be read the error
// "Error loading bitmap file: %s" names the path in the settings folder and the
// destination stays as it was (the result is then true).
[[nodiscard]] bool load_bitmap_file(UserInterface& ui, ImageBuffer& destination, std::u16string_view file_name, std::int32_t width,
                      std::int32_t height, const std::u16string& settings_folder,
                      const std::u16string& shipped_folder = shipped_bitmap_folder());

}  // namespace lumivane

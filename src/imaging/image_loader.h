#pragma once
// Loading one picture file, or the shortcut that names it, as an upright Colour8
// picture with the ICC profile embedded in it.

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/image_buffer.h"
#include "platform/image_decoder.h"

namespace lumivane {

class UserInterface;

// Decodes through the platform decoder (JPEG or TIFF, told by the file's bytes), turns
// the picture by its orientation tag and collects its profile; when that fails, the
// program's own TIFF reader tries the same file. Grey pictures carry no profile.
// Shows "Reading <path>" in the status window and ends with the arrow cursor.
bool image_load(UserInterface& ui, const std::u16string& path, ImageBuffer& image, std::vector<std::uint8_t>& profile);

// The orientation (tag 274) and the profile (tag 34675) from the IFD0, EXIF and GPS
// blocks, in that order; a later tag overrides an earlier one.
void metadata_scan(const std::vector<MetadataItem>& items, std::uint16_t& orientation,
                   std::vector<std::uint8_t>& profile);

}  // namespace lumivane

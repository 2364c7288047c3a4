// Temporary until the TIFF reader branch lands.
#include "imaging/tiff_reader.h"

namespace lumivane {

bool tiff_read(FileHandle&, ImageBuffer& image) {
    image_free(image);
    return true;
}

bool tiff_icc_extract(const std::u16string&, std::vector<std::uint8_t>& profile) {
    profile.clear();
    return true;
}

}  // namespace lumivane

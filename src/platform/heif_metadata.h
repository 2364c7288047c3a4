#pragma once
// The metadata blocks of a HEIC, HEIF or AVIF picture, which exiv2 does not find there
// itself: libheif hands them out by the primary image.

#include <string>

namespace lumivane {

struct HeifMetadata {
    std::string exif;  // from the TIFF header on, as exiv2 decodes it
    std::string xmp;   // the XMP packet
};

// The blocks of the file's primary image, each empty where it has none. True when the
// file cannot be read as HEIF.
[[nodiscard]] bool heif_metadata(const std::u16string& path, HeifMetadata& metadata);

}  // namespace lumivane

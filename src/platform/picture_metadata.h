#pragma once
// The texts a photographer writes into a picture that can name its slide: the title,
// the description and the date taken, read from the file's EXIF, IPTC and XMP blocks (a
// HEIC, HEIF or AVIF picture's as libheif hands them out).

#include <string>

namespace lumivane {

struct PictureCaptionFields {
    std::u16string title;        // XMP dc:title, else IPTC object name
    std::u16string description;  // XMP dc:description, else IPTC caption, else EXIF ImageDescription
    std::u16string date_taken;   // EXIF DateTimeOriginal as "2024-06-01 14:23"
};

// The fields of the picture at path, each empty where the file has none. Line breaks and
// runs of blanks become one space. True when the file cannot be read as a picture with
// metadata (missing, damaged, a kind the reader does not know); fields are then empty.
[[nodiscard]] bool picture_caption_fields(const std::u16string& path, PictureCaptionFields& fields);

}  // namespace lumivane

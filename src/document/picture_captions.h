#pragma once
// The caption a slide gets when it is made from a picture file: the file name, or a
// text the picture carries itself (session key caption_source).

#include <cstdint>
#include <string>

namespace lumivane {

enum CaptionSource : std::int32_t {
    caption_file_name = 0,
    caption_title = 1,
    caption_description = 2,
    caption_date_taken = 3,
};

// The caption for the picture at path; its file name when source asks for it or the
// picture lacks the field.
std::u16string new_slide_caption(std::int32_t source, const std::u16string& path);

}  // namespace lumivane

#pragma once
// The caption a slide gets when it is made from a picture file: the file name, or a
// text the picture carries itself (session key caption_source).

#include <cstdint>
#include <string>

namespace lumivane {

enum class CaptionSource : std::int32_t { FileName = 0, Title = 1, Description = 2, DateTaken = 3 };

// The caption for the picture at path; its file name when source asks for it or the
// picture lacks the field.
std::u16string new_slide_caption(CaptionSource source, const std::u16string& path);

}  // namespace lumivane

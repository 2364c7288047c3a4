#pragma once
// The slide show index file: a show's settings, slides and key frames as text records.
//
//   SlideShow 1.0
//   name ‴Holiday‴
//   proportions 16 9
//   ...
//   n_slides 2
//   slide 0 3 1 2 ‴Caption‴ ‴IMG_0001.jpg‴
//   frame 0 0 -1 0 0 1 1
//   ...
//   end

#include <cstdint>
#include <string>
#include <vector>

#include "document/picture_captions.h"

namespace lumivane {

struct ShowSettings;
struct SlideShow;
class UserInterface;

inline constexpr char16_t default_index_name[] = u"index.ssi";

// Reads folder/name into the show; ui hears of the numbers it cannot take. A file that
// ends without "end" is read but not taken as the show's index file (its index_path).
// Lines out of the format's order or counts are ignored.
[[nodiscard]] bool read_show_index(SlideShow& show, UserInterface& ui, const std::u16string& folder, const std::u16string& name);

// Writes a fresh index listing the images of a folder in the order given, each as a
// slide of the default style showing the whole picture, captioned as new slides are
// (caption_source, a CaptionSource). The settings are the show's.
[[nodiscard]] bool write_new_index(const ShowSettings& settings, CaptionSource caption_source,
                                   const std::u16string& index_path, const std::u16string& show_folder,
                                   const std::vector<std::u16string>& image_names);

// The lines of the show as it would be saved.
std::vector<std::u16string> show_index_lines(const SlideShow& show);

}  // namespace lumivane

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

#include <string>
#include <vector>

namespace lumivane {

struct AppContext;

inline constexpr char16_t default_index_name[] = u"index.ssi";

// Reads folder/name into the show. A file that ends without "end" is read but not
// remembered as the show's index file. Lines out of the format's order or counts
// are ignored.
bool read_show_index(AppContext& context, const std::u16string& folder, const std::u16string& name);

// Writes a fresh index listing the images of a folder in the order given, each as a
// slide of the default style showing the whole picture, captioned as new slides are.
bool write_new_index(AppContext& context, const std::u16string& index_path, const std::u16string& show_folder,
                     const std::vector<std::u16string>& image_names);

// Saves the show, asking where (suggested: the current index path, or none). The index
// must lie in the show folder; a show without slides is not saved. True when not saved.
bool save_show(AppContext& context, const std::u16string& suggested_path);

// Before a modified show is closed: offers to save it. True when the user cancelled,
// or chose to save and the save failed.
bool offer_save(AppContext& context);

// The lines of the show as it would be saved.
std::vector<std::u16string> show_index_lines(const AppContext& context);

}  // namespace lumivane

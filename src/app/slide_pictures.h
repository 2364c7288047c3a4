#pragma once
// Preparing one slide's picture, the same way whether a show is opened or a slide is
// added to it: the file is read once for its size, orientation and profile and for its
// thumbnail, decoded only as large as the thumbnail needs; the thumbnail is converted to
// the monitor's colour space through a shared transform, the slide gets its handle in
// the picture cache (which decodes the full picture when it is needed), and its key
// frames are fitted to the show's proportions.

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/colour_transform.h"
#include "imaging/image_buffer.h"
#include "imaging/image_loader.h"

namespace lumivane {

struct AppContext;
struct Slide;
class SlideMessages;
class UserInterface;

// A slide's file and what reading it gave.
struct SlideFile {
    enum class Outcome { Located, NoFileName, PathTooLong, Missing, Unreadable, Loaded };
    Outcome outcome = Outcome::Located;
    std::u16string path;          // the show folder joined with the slide's file name
    std::u16string working_path;  // the file read: a shortcut's target
    // Upright, no smaller than the thumbnail needs, in the file's own colour space unless
    // converted.
    ImageBuffer picture;
    std::vector<std::uint8_t> profile;
    LoadReport report;  // its width and height are the full picture's
    // A transform made before the file was read, and the profile it converts from: a
    // picture with that very profile is converted as soon as it is read.
    ColourTransformHandle known_transform;
    std::vector<std::uint8_t> known_profile;
    bool converted = false;
};

// Where the file of a slide is: Located, unless the slide names none or the path is too long.
SlideFile locate_slide_file(const std::u16string& show_folder, const std::u16string& file_name);

// Reads a Located file for a thumbnail that fits a square of thumbnail_side pixels:
// from the thumbnail cache in thumbnail_folder (thumbnail_cache.h) when it holds one of
// the file as it is, reading only the file's header; else decoded, and kept there. A
// file the cache marks as no picture, unchanged since, is Unreadable without a decode;
// one found so now is marked. No folder, no cache. Touches no user interface and
// nothing shared, so it may run on a thread of its own while the user interface thread
// finishes the slide before.
void read_slide_file(SlideFile& file, std::int32_t thumbnail_side, const std::u16string& thumbnail_folder);

// Names a Located file in the status window ("Reading %s") when it is there to be read;
// a missing file is reported, never read.
void show_reading(UserInterface& ui, const SlideFile& file);

// A blank slide just made from an image file in the show folder. The caller's status
// window keeps its text, an unreadable file is reported with reported_path (the file the
// user chose, of which the show folder may hold a copy), and a cropped slide's first key
// frame becomes the largest centred box of the show's proportions before the key frames
// are fitted.
struct NewSlide {
    std::u16string reported_path;
};

// Gives the slide at index its picture and thumbnail, on the user interface thread, and
// reports a missing, unreadable or damaged file through messages. A file located (and
// perhaps read ahead) is given as read_ahead; without one it is located here. A file not
// read yet is read here, the status window naming it.
void prepare_slide(AppContext& context, std::int32_t index, Slide& slide, SlideMessages& messages,
                   SlideFile* read_ahead = nullptr, const NewSlide* new_slide = nullptr);

}  // namespace lumivane

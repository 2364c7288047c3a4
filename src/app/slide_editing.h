#pragma once
// Every change of the open show's list of slides: inserting and adding image files,
// deleting slides (and their files), copying, cutting and pasting slides through the
// slide clipboard, and moving a slide. The main window only confirms with the user and
// calls these. Operations that can stop early return true when they did (the user
// cancelled, or a failure was reported).
//
// The addressed set is the current slide together with every selected slide. Image
// files are never erased: a deleted or replaced file goes to the user's trash. A file
// copied into the show folder never replaces a different one there unless the user says
// so ("File already exists: %s\nOverwrite with new file?"), and every slide of a
// replaced file then shows the new picture.

#include <cstdint>
#include <string>
#include <vector>


namespace lumivane {

struct AppContext;
struct Slide;

// How many slides the addressed set holds (a selected current slide counts once).
std::int32_t count_addressed_slides(const AppContext& context);

// A slide of the default style with one key frame of the default delay over the whole
// picture, nonlinear between key frames, without a file or picture.
Slide new_blank_slide();

// A copy of the slide with key frames of its own, sharing its picture and thumbnail
// (which copying therefore never runs out of memory for), not selected.
Slide copy_slide(const Slide& source);

// Asks for image files and inserts them before or after the slide at index, copying
// files from other folders into the show folder as Add does. A file that is gone or is
// no JPEG or TIFF picture is reported and gets no slide; Cancel inserts the files before.
[[nodiscard]] bool insert_image_files(AppContext& context, std::int32_t index, bool before);

// Appends the image file at path as a new current slide, copying it into the show folder
// when it lies elsewhere (asking before a file of its name there is replaced).
[[nodiscard]] bool add_image_file(AppContext& context, const std::u16string& path);
// Adds each file in order, after making sure there is a show folder; stops when the user
// cancels. Files that would take the show past its largest size add nothing.
[[nodiscard]] bool add_image_files(AppContext& context, const std::vector<std::u16string>& paths);

// Removes one slide, and with delete_file its image file unless another slide shows it;
// trashed_path, when given, becomes the file's place in the trash (empty when it stayed).
[[nodiscard]] bool delete_slide(AppContext& context, std::int32_t index, bool delete_file, std::u16string* trashed_path = nullptr);
// Removes the addressed set, from the highest index down.
void delete_addressed_slides(AppContext& context, bool delete_files);

// The slide clipboard becomes copies of the addressed set, in order, sharing their
// pictures: copying thousands of slides takes no memory for pictures.
void copy_addressed_slides(AppContext& context);
// Copies the addressed set, then deletes it (with its files when delete_files).
void cut_addressed_slides(AppContext& context, bool delete_files);
// Inserts copies of the clipboard before or after the current slide. A slide's file is
// copied into the show folder first when it lies elsewhere: in another show folder, or
// in the trash after a cut with its files. A failed copy or Cancel leaves the list as
// it was.
[[nodiscard]] bool paste_slides(AppContext& context, bool before);

// Moves the slide at from into the gap before the slide at to (the slide count for the
// end) and makes it current.
void move_slide(AppContext& context, std::int32_t from, std::int32_t to);

}  // namespace lumivane

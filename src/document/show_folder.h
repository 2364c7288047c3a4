#pragma once
// The show folder: where a show's pictures and its index file live, and opening the
// show in it.

#include <string>

namespace lumivane {

struct AppContext;

// Asks for a show folder when there is none yet. True when the user cancelled (the
// show folder is then empty).
bool ensure_show_folder(AppContext& context);

// The main window's title: the program title and the show folder, or the program
// title alone while there is no show folder.
void update_window_title(AppContext& context);

// Whether the file starts like a TIFF ("II", "MM") or a JPEG (FF D8) file. A file that
// opens but is shorter than two bytes counts as one (its load reports the fault).
bool is_image_file(const std::u16string& path);

// Reads the show whose index file is name in the show folder. With create, the folder
// first gets a new "index.ssi" listing its pictures in name order, made with the default
// settings; an old index.ssi is replaced only once the new one is completely written.
// True on failure, which it reports (except a missing index without create, which the
// caller reports).
bool open_show_in_folder(AppContext& context, std::u16string name, bool create);

// Closes the open show (after offering to save it) and opens the index file at path,
// or one the user picks when path is empty or cannot be read; the user may pick again
// until a show opens or the dialog is cancelled. True when nothing was opened.
bool open_show_file(AppContext& context, const std::u16string& path);

// Closes the open show: offers to save it (true when the user cancelled), then resets
// to an untitled show and blacks out the playback window.
bool close_show(AppContext& context);

}  // namespace lumivane

#pragma once
// The show folder, where a show's pictures and its index file live: opening a show from
// its index file or its folder, and making a new show of a folder's pictures.

#include <string>
#include <string_view>

namespace lumivane {

struct AppContext;
class UserInterface;

// path_join for a flow: a path too long is said ("Pathname too long"). True on failure.
[[nodiscard]] bool join_show_path(UserInterface& ui, std::u16string& output, std::u16string_view folder,
                                  std::u16string_view name);

// Asks for a show folder when there is none yet. True when the user cancelled (the
// show folder is then empty).
[[nodiscard]] bool ensure_show_folder(AppContext& context);

// The main window's title: the program title and the show folder, or the program
// title alone while there is no show folder.
void update_window_title(AppContext& context);

// Writes a new index at index_path that lists the pictures of folder (see
// folder_image_names), each a slide of the default style showing the whole picture,
// with the show's settings. An old file there is replaced only once the new one is
// completely written. True on failure, not reported: no show folder, a folder that
// cannot be read to its end, none or too many pictures, or a file that cannot be written.
[[nodiscard]] bool create_index_from_folder(AppContext& context, const std::u16string& index_path, const std::u16string& folder);

// Reads the show whose index file is index_name in the show folder. When there is no
// such file (or no name), a new index is made of the folder's pictures: without create
// after asking, with the show's properties and a name the user chooses; with create as
// "index.ssi" with the default settings, asking before an existing one is replaced.
// replace_index says the user has already agreed to replace the folder's "index.ssi":
// it is not read, and stays as it was should the new one fail. True on failure, which
// is reported, except an unreadable index file (the callers ask again or report it).
[[nodiscard]] bool open_show_in_folder(AppContext& context, std::u16string index_name, bool create, bool replace_index = false);

// Closes the open show (after offering to save it) and opens the index file at path,
// or one the user picks when path is empty; after a failure the user picks again until
// a show opens or the dialog is cancelled. True when no show was opened.
[[nodiscard]] bool open_show_file(AppContext& context, const std::u16string& path);

// Closes the open show and opens the one in folder, or in a folder the user picks when
// folder is empty: one of its index files, or a new index of its pictures (made without
// asking with create). After a failure the user picks a folder again. True when no
// show was opened.
[[nodiscard]] bool open_show_folder(AppContext& context, const std::u16string& folder, bool create);

// Reads the show's index file folder/name (read_show_index); a complete file becomes the
// show's index file and the first of the recent files.
[[nodiscard]] bool read_show(AppContext& context, const std::u16string& folder, const std::u16string& name);
// Closes the open show: offers to save it (true when the user cancelled), then resets
// to an untitled show and blacks out the playback window.
[[nodiscard]] bool close_show(AppContext& context);

}  // namespace lumivane

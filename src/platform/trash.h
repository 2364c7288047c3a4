#pragma once
// Moving a file to the user's trash the way the desktops share it, so that their trash
// shows it and can put it back: the file goes into the trash's "files" folder and a
// NAME.trashinfo file in its "info" folder says where it came from and when it went.
// A file is only ever renamed into the trash, never copied and erased, and a trash that
// cannot take it leaves it where it is.

#include <string>
#include <vector>

namespace lumivane {

// A name taken in the trash is tried again as NAME.2.EXT, NAME.3.EXT and so on, this
// many names in all, before the trash counts as unable to take the file.
inline constexpr int trash_name_tries = 1000;

// The trash folders of the volume whose top folder is top, for the user uid, in the
// order they are tried: top/.Trash/UID when top/.Trash is a real folder (no link) with
// the sticky bit, as an administrator makes it for all users; then top/.Trash-UID.
std::vector<std::string> volume_trash_folders(const std::string& top, unsigned uid);

// Moves the file at path (a link itself, not what it leads to) into the trash folder
// trash, making trash, its "files" and "info" folders when they are missing; each must
// be a real folder of this user. origin is the info file's record of where the file
// was. Sets trashed_path to the file's place in the trash. True on failure: the file is
// where it was and the trash holds nothing new.
[[nodiscard]] bool trash_file_into(const std::string& path, const std::string& trash, const std::string& origin,
                     std::string& trashed_path);

// Moves the file at path to the user's trash: the home trash ($XDG_DATA_HOME/Trash, by
// default ~/.local/share/Trash) for a file on the home trash's volume, else its own
// volume's trash (see volume_trash_folders). True on failure: the file stays where it is.
[[nodiscard]] bool trash_file(const std::u16string& path, std::u16string& trashed_path);

}  // namespace lumivane

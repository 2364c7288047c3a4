#pragma once
// The folders of the user's files: where settings and session state live, the
// Pictures folder, and the runtime folder of the single-instance lock.

#include <string>
#include <vector>

namespace lumivane {

struct UserFolders {
    std::u16string settings;  // "Bitmaps", the user's own button pictures
    std::u16string session;   // "Session State", "cmdline", the update check's version file
};

// A folder "Settings" beside the program is both (a portable installation). Otherwise
// the desktop's places: $XDG_CONFIG_HOME/Lumivane (~/.config/Lumivane) and
// $XDG_STATE_HOME/Lumivane (~/.local/state/Lumivane), unless a file that earlier versions
// kept in Documents/Lumivane or ~/.local/share/Lumivane is still there and could not be
// moved: then that folder, so nothing is lost. Each is created when missing.
UserFolders find_user_folders(const std::u16string& program_folder);

// Moves the files of earlier versions to the desktop's places, once: the button pictures
// and the session state file. The result names what could not be moved.
std::vector<std::u16string> move_earlier_user_files(const std::u16string& program_folder);

// The user's Pictures folder (the home folder when there is none).
std::u16string pictures_folder();

// The folder for the user's runtime files ($XDG_RUNTIME_DIR), made only for this user;
// the state folder when no such folder can be had.
std::u16string runtime_folder();

}  // namespace lumivane

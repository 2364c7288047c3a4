#pragma once
// The folders of the user's files: where settings and session state live, the
// Pictures folder, and the runtime folder of the single-instance lock.

#include <string>

namespace lumivane {

struct UserFolders {
    std::u16string settings;  // "cmdline", "Bitmaps"
    std::u16string session;   // "Session State"
};

// A folder "Settings" beside the program is both (a portable installation). Otherwise
// Documents/Lumivane and the user's data folder (~/.local/share)/Lumivane. Each is
// created when missing.
UserFolders find_user_folders(const std::u16string& program_folder);

// The user's Pictures folder (the home folder when there is none).
std::u16string pictures_folder();

// The folder for the user's runtime files ($XDG_RUNTIME_DIR), made only for this user;
// the user's data folder (~/.local/share)/Lumivane when no such folder can be had.
std::u16string runtime_folder();

}  // namespace lumivane

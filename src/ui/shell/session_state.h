#pragma once
// The session state file: what the program remembers for the user from one run to the
// next (recent shows, the main window's place, the preferences, the last image folder
// and the default settings for new shows).
//
//   Session 1.0
//   openfile 0 ″/home/ann/Holiday/index.ssi″
//   window_placement 0 -1 -1 -1 -1 80 60 1280 860 1
//   ...
//   end

#include <string>
#include <vector>

namespace lumivane {

struct AppContext;

// session folder/Session State/Slide Show.state
std::u16string session_state_path(const std::u16string& session_folder);

// Empties the recent files and the placement, sets the last image folder to
// pictures_folder, then reads the session folder's file over the defaults. A missing
// or unreadable file, or one with a wrong header, leaves the defaults; nothing is shown.
void read_session_state(AppContext& context, const std::u16string& pictures_folder);
// The reading itself, of any file.
void read_session_state_file(AppContext& context, const std::u16string& path);

// The lines the file holds for the values in context.
std::vector<std::u16string> session_state_lines(const AppContext& context);

// Writes the file into the session folder (creating "Session State"), replacing the old
// one only when the new one is completely written. The recent files list is empty
// afterwards. True on failure, which the program does not report.
[[nodiscard]] bool write_session_state(AppContext& context);

}  // namespace lumivane

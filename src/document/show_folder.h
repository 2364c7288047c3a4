#pragma once
// The show folder: where a show's pictures and its index file live.

namespace lumivane {

struct AppContext;

// Asks for a show folder when there is none yet. True when the user cancelled (the
// show folder is then empty).
bool ensure_show_folder(AppContext& context);

// The main window's title: the program title and the show folder, or the program
// title alone while there is no show folder.
void update_window_title(AppContext& context);

}  // namespace lumivane

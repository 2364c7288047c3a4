#pragma once
// The show folder: where a show's pictures and its index file live.

namespace lumivane {

struct AppContext;

// The main window's title: the program title and the show folder, or the program
// title alone while there is no show folder.
void update_window_title(AppContext& context);

}  // namespace lumivane

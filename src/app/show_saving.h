#pragma once
// Saving the open show to its index file.

#include <string>

namespace lumivane {

struct AppContext;

// Saves the show, asking where (suggested: the current index path, or none). The index
// must lie in the show folder; a show without slides is not saved. True when not saved.
[[nodiscard]] bool save_show(AppContext& context, const std::u16string& suggested_path);
// Before a modified show is closed: offers to save it. True when the user cancelled,
// or chose to save and the save failed.
[[nodiscard]] bool offer_save(AppContext& context);

}  // namespace lumivane

#include "document/show_folder.h"

#include "document/app_context.h"
#include "document/value_formatter.h"

namespace lumivane {

void update_window_title(AppContext& context) {
    const std::u16string title = program_title();
    context.ui.set_main_window_title(context.show.show_folder.empty()
                                         ? title
                                         : formatted(u"%s -- %s", title, context.show.show_folder));
}

}  // namespace lumivane

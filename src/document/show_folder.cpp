#include "document/show_folder.h"

#include "document/app_context.h"
#include "document/message_boxes.h"
#include "document/value_formatter.h"

namespace lumivane {

bool ensure_show_folder(AppContext& context) {
    SlideShow& show = context.show;
    if (show.show_folder.empty()) {
        if (context.ui.message_box(alert_title, u"No slide show folder specified yet -- click OK to select one",
                                   BoxButtons::OkCancel, BoxOwner::MainWindow) != BoxAnswer::Ok) {
            return true;
        }
        if (context.ui.pick_folder_dialog(show.show_folder, show.show_folder, u"Slide Show Folder")) {
            show.show_folder.clear();
            return true;
        }
    }
    update_window_title(context);
    return false;
}

void update_window_title(AppContext& context) {
    const std::u16string title = program_title();
    context.ui.set_main_window_title(context.show.show_folder.empty()
                                         ? title
                                         : formatted(u"%s -- %s", title, context.show.show_folder));
}

}  // namespace lumivane

#include "app/show_saving.h"

#include "app/app_context.h"
#include "app/show_folder.h"
#include "document/show_index.h"
#include "document/text_file.h"
#include "platform/message_boxes.h"
#include "platform/paths.h"
#include "platform/translation.h"

namespace lumivane {

bool save_show(AppContext& context, const std::u16string& suggested_path) {
    SlideShow& show = context.show;
    // The reader takes 1 to 10000 slides: a file without any could not be opened again.
    if (show.slide_count() == 0) {
        error_box(context.ui, Core::tr("Cannot save a slide show without slides"));
        return true;
    }
    if (ensure_show_folder(context)) return true;
    std::u16string file_name = default_index_name;
    if (!suggested_path.empty()) {
        std::u16string folder = suggested_path;
        path_folder(folder);
        if (!folders_equal(folder, show.show_folder)) {
            show.show_folder = folder;
            update_window_title(context);
        }
        file_name = path_file_name(suggested_path);
    }
    std::u16string chosen;
    if (context.ui.save_index_file_dialog(chosen, file_name, show.show_folder, Core::tr("Save Slide Show Settings"))) {
        return true;
    }

    std::u16string chosen_folder = chosen;
    path_folder(chosen_folder);
    if (!folders_equal(chosen_folder, show.show_folder)) {
        error_box(context.ui,
                  Core::tr("Index file must be in the same folder as the image files.\n"
                           "image folder: %s\nindex folder: %s"),
                  show.show_folder, chosen_folder);
        return true;
    }
    // The old file is replaced only once the new one is completely on the disk; a
    // failed save leaves both the old file and the unsaved changes as they were.
    if (write_text_file(chosen, show_index_lines(show))) {
        error_box(context.ui, Core::tr("Cannot create slide show file: %s"), chosen);
        return true;
    }
    show.index_path = chosen;
    show.modified = false;
    recent_add(context.recent_files, chosen);
    return false;
}

bool offer_save(AppContext& context) {
    if (!context.show.modified) return false;
    switch (context.ui.message_box(Core::translated(confirm_title), Core::tr("Save modified slide show settings?"),
                                   BoxButtons::YesNoCancel, BoxOwner::MainWindow)) {
    case BoxAnswer::Yes: return save_show(context, context.show.index_path);
    case BoxAnswer::No: return false;
    default: return true;
    }
}

}  // namespace lumivane

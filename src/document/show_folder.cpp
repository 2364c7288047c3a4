#include "document/show_folder.h"

#include <vector>

#include "document/app_context.h"
#include "document/message_boxes.h"
#include "document/show_images.h"
#include "document/show_index.h"
#include "document/value_formatter.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "playback/timeline.h"

namespace lumivane {

namespace {

// Lists the folder's pictures in a new index.ssi. True on failure, reported.
bool create_index_from_folder(AppContext& context, const std::u16string& folder, std::u16string& index_path) {
    UserInterface& ui = context.ui;
    std::vector<std::u16string> names;
    if (folder_file_names(folder, names)) {
        error_box(ui, u"Error scanning for image files");
        return true;
    }
    std::vector<std::u16string> images;
    for (const std::u16string& name : names) {
        std::u16string path;
        if (!path_join(ui, path, folder, name) && is_image_file(path)) images.push_back(name);
    }
    if (images.empty()) {
        error_box(ui, u"Folder contains no JPEG or TIFF files");
        return true;
    }
    if (path_join(ui, index_path, folder, default_index_name)) return true;
    apply_default_settings(context.show, context.default_settings);
    if (write_new_index(context, index_path, folder, images)) {
        error_box(ui, u"Cannot create index file: %s", index_path);
        return true;
    }
    context.show.modified = false;
    ui.update_tool_buttons();
    return false;
}

}  // namespace

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

bool is_image_file(const std::u16string& path) {
    FileHandle file;
    if (file_open_read(path, file)) return false;
    unsigned char b[2] = {};
    std::uint32_t length = 2;
    if (file_read(file, length, b) != ReadResult::Read || length < 2) return true;
    return (b[0] == 'I' && b[1] == 'I') || (b[0] == 'M' && b[1] == 'M') || (b[0] == 0xFF && b[1] == 0xD8);
}

bool open_show_in_folder(AppContext& context, std::u16string name, bool create) {
    UserInterface& ui = context.ui;
    const std::u16string& folder = context.show.show_folder;
    if (ensure_show_folder(context)) {
        error_box(ui, u"No slide show folder specified");
        return true;
    }
    if (!folder_exists(folder)) {
        error_box(ui, u"Slide show folder does not exist: %s", folder);
        return true;
    }
    if (create) {
        std::u16string index_path;
        if (create_index_from_folder(context, folder, index_path)) return true;
        name = default_index_name;
    } else {
        std::u16string index_path;
        if (name.empty() || path_join(ui, index_path, folder, name) || !file_exists(index_path)) return true;
    }
    return read_show_index(context, folder, name);
}

bool close_show(AppContext& context) {
    if (offer_save(context)) return true;
    reset_to_untitled(context);
    playback_clear(context);
    return false;
}

bool open_show_file(AppContext& context, const std::u16string& path) {
    if (close_show(context)) return true;
    SlideShow& show = context.show;
    std::u16string chosen = path;
    for (;;) {
        if (chosen.empty() && context.ui.open_index_file_dialog(chosen, {}, u"Open slide show index file")) return true;
        show.show_folder = chosen;
        path_folder(show.show_folder);
        update_window_title(context);
        if (!open_show_in_folder(context, path_file_name(chosen), false)) break;
        // Each attempt starts from an empty show.
        release_all_slides(show);
        show.slides.clear();
        chosen.clear();
    }
    recreate_playback_window(context);
    load_show_images(context);
    context.current_slide = 0;
    context.playback.displayed_slide = 0;
    context.playback.key_frame = 0;
    context.playback.segment_ticks = 0;
    context.ui.update_tool_buttons();
    return false;
}

}  // namespace lumivane

#include <utility>

#include <vector>

#include "app/app_context.h"
#include "app/show_folder.h"
#include "app/show_images.h"
#include "app/show_saving.h"
#include "document/folder_scan.h"
#include "document/show_index.h"
#include "platform/file_replacement.h"
#include "platform/files.h"
#include "platform/message_boxes.h"
#include "platform/paths.h"
#include "platform/translation.h"
#include "platform/value_formatter.h"
#include "playback/timeline.h"

namespace lumivane {

namespace {

constexpr char16_t replace_index_question[] =
    LMV_TRANSLATE_NOOP("Core", "Index file (index.ssi) already exists.\n\nReplace it with a new index file?");
constexpr char16_t index_dialog_title[] = LMV_TRANSLATE_NOOP("Core", "Open slide show index file");

bool fits_in_a_show(std::size_t count) { return count >= 1 && count <= static_cast<std::size_t>(max_slides); }

// Whether the show folder has pictures enough for a show; reports why not.
bool check_folder_images(AppContext& context) {
    FlowInterface& ui = context.ui;
    std::int32_t count = 0;
    if (count_image_files(context.show.show_folder, count)) {
        error_box(ui, Core::tr("Error scanning for image files"));
        return true;
    }
    if (count == 0) {
        error_box(ui, Core::tr("Folder contains no JPEG or TIFF files"));
        return true;
    }
    // The index file holds at most this many slides: a longer one could not be read.
    if (!fits_in_a_show(static_cast<std::size_t>(count))) {
        error_box(ui,
                  Core::tr("Folder contains %d JPEG, TIFF, PNG, WebP, JPEG XL, HEIF or AVIF files, more than a slide "
                           "show can hold (%d)"),
                  count, max_slides);
        return true;
    }
    return false;
}

// Makes a new index file for the show folder's pictures and names it in index_name.
// True on failure or when the user cancelled.
bool make_new_index(AppContext& context, std::u16string& index_name, bool create, bool replace_index) {
    FlowInterface& ui = context.ui;
    SlideShow& show = context.show;
    if (!create && ui.message_box(Core::translated(warning_title), Core::tr("Create a slide show index file?"),
                                  BoxButtons::OkCancel, BoxOwner::None) != BoxAnswer::Ok) {
        return true;
    }
    if (check_folder_images(context)) return true;
    std::u16string index_path;
    if (create) {
        if (path_join(ui, index_path, show.show_folder, default_index_name)) return true;
        if (!replace_index && file_exists(index_path) &&
            ui.message_box(Core::translated(warning_title), Core::translated(replace_index_question),
                           BoxButtons::OkCancel, BoxOwner::MainWindow) != BoxAnswer::Ok) {
            return true;
        }
        apply_default_settings(show, context.default_settings);
    } else {
        if (ui.show_properties_dialog()) return true;
        if (ui.save_index_file_dialog(index_path, default_index_name, show.show_folder,
                                      Core::tr("Create New Slide Show Index"))) {
            return true;
        }
        const std::u16string scanned = show.show_folder;
        show.show_folder = index_path;
        path_folder(show.show_folder);
        // The index lists the pictures beside it: another folder is checked anew.
        if (!folders_equal(scanned, show.show_folder) && check_folder_images(context)) return true;
    }
    index_name = path_file_name(index_path);
    if (create_index_from_folder(context, index_path, show.show_folder)) {
        error_box(ui, Core::tr("Cannot create index file: %s"), index_path);
        return true;
    }
    show.modified = false;
    ui.changed(Change::Settings);
    return false;
}

// After a show has been read: its own playback window, its pictures, its first slide.
void show_opened(AppContext& context) {
    recreate_playback_window(context.player);
    load_show_images(context);
    context.current_slide = 0;
    context.playback.displayed_slide = 0;
    context.playback.key_frame = 0;
    context.playback.segment_ticks = 0;
    context.ui.changed(Change::Slides | Change::CurrentSlide);
}

enum class IndexChoice { Open, Stop };

// Which index file of the show folder to open, or that a new one is made (index_name
// empty, or "index.ssi" with create).
IndexChoice choose_index(AppContext& context, bool create, std::u16string& index_name, bool& replace_index) {
    FlowInterface& ui = context.ui;
    SlideShow& show = context.show;
    index_name.clear();
    replace_index = false;
    std::int32_t count = 0;
    std::u16string first;
    if (find_index_files(show.show_folder, count, first)) {
        error_box(ui, Core::tr("Error scanning for index files: %s"), show.show_folder);
        return IndexChoice::Stop;
    }
    if (count > 0) {
        const std::u16string question = count == 1
                                            ? formatted(Core::tr("Open existing slide show index file: %s?"), first)
                                            : Core::tr("Open one of the existing slide show index files?");
        switch (ui.message_box(Core::translated(alert_title), question, BoxButtons::YesNoCancel,
                               BoxOwner::MainWindow)) {
        case BoxAnswer::Yes: {
            if (count == 1) {
                index_name = first;
                return IndexChoice::Open;
            }
            std::u16string path;
            if (ui.open_index_file_dialog(path, show.show_folder, Core::translated(index_dialog_title))) {
                return IndexChoice::Stop;
            }
            show.show_folder = path;
            path_folder(show.show_folder);
            index_name = path_file_name(path);
            return IndexChoice::Open;
        }
        case BoxAnswer::No: break;
        default: return IndexChoice::Stop;
        }
    }
    if (!create) return IndexChoice::Open;
    index_name = default_index_name;
    std::u16string index_path;
    if (count > 0 && !path_join(ui, index_path, show.show_folder, default_index_name) && file_exists(index_path)) {
        if (ui.message_box(Core::translated(warning_title), Core::translated(replace_index_question),
                           BoxButtons::OkCancel, BoxOwner::MainWindow) != BoxAnswer::Ok) {
            return IndexChoice::Stop;
        }
        replace_index = true;
    }
    apply_default_settings(show, context.default_settings);
    return IndexChoice::Open;
}

}  // namespace

bool ensure_show_folder(AppContext& context) {
    SlideShow& show = context.show;
    if (show.show_folder.empty()) {
        if (context.ui.message_box(Core::translated(alert_title),
                                   Core::tr("No slide show folder specified yet -- click OK to select one"),
                                   BoxButtons::OkCancel, BoxOwner::MainWindow) != BoxAnswer::Ok) {
            return true;
        }
        if (context.ui.pick_folder_dialog(show.show_folder, show.show_folder, Core::tr("Slide Show Folder"))) {
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

bool create_index_from_folder(AppContext& context, const std::u16string& index_path, const std::u16string& folder) {
    if (ensure_show_folder(context)) return true;
    // The whole folder is read before the file is started, so a scan that fails leaves
    // no half-written index behind; and the header's slide count is the number of
    // names that follow it even when the folder changed since it was counted.
    std::vector<std::u16string> names;
    if (folder_image_names(folder, names) || !fits_in_a_show(names.size())) return true;
    return write_new_index(context.show.settings, context.caption_source, index_path, folder, names);
}

bool open_show_in_folder(AppContext& context, std::u16string index_name, bool create, bool replace_index) {
    FlowInterface& ui = context.ui;
    SlideShow& show = context.show;
    if (ensure_show_folder(context)) {
        error_box(ui, Core::tr("No slide show folder specified"));
        return true;
    }
    if (!folder_exists(show.show_folder)) {
        error_box(ui, Core::tr("Slide show folder does not exist: %s"), show.show_folder);
        return true;
    }
    // What a save or an export killed while writing here left behind.
    remove_replacement_leftovers(show.show_folder);
    std::u16string index_path;
    const bool has_index = !replace_index && !index_name.empty() &&
                           !path_join(ui, index_path, show.show_folder, index_name) && file_exists(index_path);
    if (!has_index && make_new_index(context, index_name, create, replace_index)) return true;
    return read_show(context, show.show_folder, index_name);
}

bool read_show(AppContext& context, const std::u16string& folder, const std::u16string& name) {
    SlideShow& show = context.show;
    std::u16string previous = std::exchange(show.index_path, std::u16string());
    const bool failed = read_show_index(show, context.ui, folder, name);
    if (show.index_path.empty()) {
        show.index_path = std::move(previous);
    } else {
        recent_add(context.recent_files, show.index_path);
    }
    context.ui.changed(Change::Slides | Change::Settings);
    return failed;
}

bool close_show(AppContext& context) {
    if (offer_save(context)) return true;
    reset_to_untitled(context);
    playback_clear(context.player);
    return false;
}

bool open_show_file(AppContext& context, const std::u16string& path) {
    if (close_show(context)) return true;
    SlideShow& show = context.show;
    std::u16string chosen = path;
    for (;;) {
        if (chosen.empty() && context.ui.open_index_file_dialog(chosen, {}, Core::translated(index_dialog_title))) {
            return true;
        }
        show.show_folder = chosen;
        path_folder(show.show_folder);
        update_window_title(context);
        if (!open_show_in_folder(context, path_file_name(chosen), false)) break;
        reset_to_untitled(context);  // no part of a failed read is left for the next try
        chosen.clear();
    }
    show_opened(context);
    return false;
}

bool open_show_folder(AppContext& context, const std::u16string& folder, bool create) {
    if (close_show(context)) return true;
    SlideShow& show = context.show;
    std::u16string chosen = folder;
    for (;;) {
        if (chosen.empty() &&
            context.ui.pick_folder_dialog(chosen, context.last_image_folder, Core::tr("Select Slide Show Folder"))) {
            return true;
        }
        show.show_folder = chosen;
        context.last_image_folder = chosen;
        update_window_title(context);
        std::u16string index_name;
        bool replace_index = false;
        if (choose_index(context, create, index_name, replace_index) == IndexChoice::Stop) return true;
        if (!open_show_in_folder(context, index_name, create, replace_index)) break;
        reset_to_untitled(context);  // no part of a failed read is left for the next try
        chosen.clear();
    }
    show_opened(context);
    return false;
}

}  // namespace lumivane

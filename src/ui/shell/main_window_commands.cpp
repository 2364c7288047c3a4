#include "ui/shell/main_window_commands.h"

#include <algorithm>

#include "app/app_context.h"
#include "app/command_line.h"
#include "app/show_folder.h"
#include "app/show_saving.h"
#include "app/slide_editing.h"
#include "document/show_index.h"
#include "platform/files.h"
#include "platform/message_boxes.h"
#include "platform/paths.h"
#include "platform/translation.h"
#include "ui/shell/help.h"
#include "ui/shell/shell_interface.h"
#include "ui/shell/update_check.h"

namespace lumivane {

namespace {

// The commands run the flows, which tell the user of their own failures and
// cancellations: a command has nothing to add to a flow's result.

bool has_slides(const AppContext& context) { return context.show.slide_count() > 0; }

// After a show has been opened (or not): the main window shows it, and a show that
// runs on start-up starts.
void after_open(AppContext& context) {
    if (context.show.settings.autorun == AutorunMode::Run) run_show(context.player);
}

// Opens path as the program's command line does, in a playback window made for the show.
void open_like_command_line(AppContext& context, const std::u16string& path) {
    if (open_command_line_show(context, path) != CommandLineOpen::Opened) return;
    recreate_playback_window(context.player);
    go_to_slide(context.player, 0, true);
}

void new_show(AppContext& context, ShellInterface&) { static_cast<void>(close_show(context)); }

void open_show(AppContext& context, ShellInterface&) {
    static_cast<void>(open_show_file(context, {}));
    after_open(context);
}

void open_folder(AppContext& context, ShellInterface&) {
    static_cast<void>(open_show_folder(context, {}, false));
    after_open(context);
}

void create_show(AppContext& context, ShellInterface&) {
    static_cast<void>(open_show_folder(context, {}, true));
    after_open(context);
}

void save_show_as(AppContext& context, ShellInterface&) {
    static_cast<void>(save_show(context, context.show.index_path));
}

// The dialog changes settings the main window may show.
void show_properties(AppContext& context, ShellInterface&) {
    if (!context.ui.show_properties_dialog()) context.ui.changed(Change::Settings);
}

void preferences(AppContext&, ShellInterface& shell) { shell.preferences_dialog(); }

void about(AppContext&, ShellInterface& shell) { shell.about_dialog(); }
void export_video(AppContext&, ShellInterface& shell) { shell.export_video_dialog(); }

void exit_program(AppContext&, ShellInterface& shell) { shell.close_main_window(); }

void restart_here(AppContext& context, ShellInterface&) { toggle_show(context.player); }

// After OK the picture on the screen follows the slide's new box and key frames.
void edit_slide(AppContext& context, ShellInterface& shell) {
    if (shell.slide_properties_dialog()) return;
    go_to_slide(context.player, context.current_slide, true);
}

void help_contents(AppContext&, ShellInterface& shell) { open_help(shell, help_contents_topic); }

void check_updates(AppContext& context, ShellInterface& shell) {
    check_for_update(context, shell, update_server(), update_timeout_milliseconds);
}

void add_images(AppContext& context, ShellInterface&) {
    if (ensure_show_folder(context)) return;
    std::vector<std::u16string> paths;
    if (context.ui.pick_image_files_dialog(paths, context.last_image_folder, Core::tr("Add images to slide show")) ||
        paths.empty()) {
        return;
    }
    context.last_image_folder = paths.front();
    path_folder(context.last_image_folder);
    static_cast<void>(add_image_files(context, paths));
}

// Yes, No or Cancel to a question of the main window.
BoxAnswer confirm(AppContext& context, const std::u16string& question) {
    return context.ui.message_box(Core::translated(confirm_title), question, BoxButtons::YesNoCancel,
                                  BoxOwner::MainWindow);
}

bool deleting(BoxAnswer answer) { return answer == BoxAnswer::Yes; }
bool cancelled(BoxAnswer answer) { return answer != BoxAnswer::Yes && answer != BoxAnswer::No; }

std::u16string delete_question(std::int32_t count) {
    return count == 1 ? Core::tr("Delete image file as well as slide?")
                      : Core::tr("Delete image files as well as slides?");
}

void copy_slides(AppContext& context, ShellInterface&) { static_cast<void>(copy_addressed_slides(context)); }

void cut_slides(AppContext& context, ShellInterface&) {
    const BoxAnswer answer = confirm(context, Core::tr("Delete image file(s)?"));
    if (!cancelled(answer)) cut_addressed_slides(context, deleting(answer));
}

void paste_before(AppContext& context, ShellInterface&) { static_cast<void>(paste_slides(context, true)); }
void paste_after(AppContext& context, ShellInterface&) { static_cast<void>(paste_slides(context, false)); }
void insert_before(AppContext& context, ShellInterface&) {
    static_cast<void>(insert_image_files(context, context.current_slide, true));
}
void insert_after(AppContext& context, ShellInterface&) {
    static_cast<void>(insert_image_files(context, context.current_slide, false));
}

// The context menu counts the current slide and the selected ones apart, so a selected
// current slide asks in the plural; the deletion addresses the same set either way.
void remove_current_slide(AppContext& context, ShellInterface&) {
    const std::vector<Slide>& slides = context.show.slides;
    std::int32_t count = context.current_slide >= 0 && context.current_slide < context.show.slide_count() ? 1 : 0;
    count += static_cast<std::int32_t>(std::count_if(slides.begin(), slides.end(), [](const Slide& s) { return s.selected; }));
    if (count == 0) {
        context.ui.message_box(Core::translated(alert_title), Core::tr("No slides selected"), BoxButtons::Ok,
                               BoxOwner::MainWindow);
        return;
    }
    const BoxAnswer answer = confirm(context, delete_question(count));
    if (!cancelled(answer)) delete_addressed_slides(context, deleting(answer));
}

// The "Delete selected slide(s)" tool button.
void delete_selected_slides(AppContext& context) {
    const std::int32_t count = count_addressed_slides(context);
    if (count == 0) return;
    const BoxAnswer answer = confirm(context, delete_question(count));
    if (cancelled(answer)) return;
    if (count == 1) {
        static_cast<void>(delete_slide(context, context.current_slide, deleting(answer)));
    } else {
        delete_addressed_slides(context, deleting(answer));
    }
}

const std::vector<Command> commands = {
    {command_new_show, LMV_TRANSLATE_NOOP("Core", "New Slide Show..."), new_show},
    {command_open_show, LMV_TRANSLATE_NOOP("Core", "Open Slide Show..."), open_show},
    {command_open_show_folder, LMV_TRANSLATE_NOOP("Core", "Open Slide Show Folder..."), open_folder},
    {command_create_show, LMV_TRANSLATE_NOOP("Core", "Create Slide Show from Folder..."), create_show},
    {command_add_images, LMV_TRANSLATE_NOOP("Core", "Add Image Files..."), add_images},
    {command_save_show, LMV_TRANSLATE_NOOP("Core", "Save Slide Show As...Ctrl-S"), save_show_as},
    {command_show_properties, LMV_TRANSLATE_NOOP("Core", "Slide Show Properties..."), show_properties},
    {command_preferences, LMV_TRANSLATE_NOOP("Core", "Preferences..."), preferences},
    {command_export_video, LMV_TRANSLATE_NOOP("Core", "Export Video..."), export_video},
    {command_exit, LMV_TRANSLATE_NOOP("Core", "Exit\tCtrl-Q"), exit_program},
    {command_copy_slides, LMV_TRANSLATE_NOOP("Core", "Copy Slides"), copy_slides},
    {command_cut_slides, LMV_TRANSLATE_NOOP("Core", "Cut Slides"), cut_slides},
    {command_paste_before, LMV_TRANSLATE_NOOP("Core", "Paste Slides Before"), paste_before},
    {command_paste_after, LMV_TRANSLATE_NOOP("Core", "Paste Slides After"), paste_after},
    {command_slide_properties, LMV_TRANSLATE_NOOP("Core", "Slide Properties..."), edit_slide},
    {command_help, LMV_TRANSLATE_NOOP("Core", "Open Help File"), help_contents},
    {command_check_updates, LMV_TRANSLATE_NOOP("Core", "Check for &Updates"), check_updates},
    {command_about, LMV_TRANSLATE_NOOP("Core", "About Lumivane"), about},
    {command_insert_before, LMV_TRANSLATE_NOOP("Core", "Insert one or more new slides before this one"), insert_before},
    {command_insert_after, LMV_TRANSLATE_NOOP("Core", "Insert one or more new slides after this one"), insert_after},
    {command_remove_slide, LMV_TRANSLATE_NOOP("Core", "Remove current slide"), remove_current_slide},
    {command_edit_slide, LMV_TRANSLATE_NOOP("Core", "Edit current slide's settings"), edit_slide},
    {command_restart_here, LMV_TRANSLATE_NOOP("Core", "Restart the slide show starting here"), restart_here},
};

constexpr std::int32_t sep = menu_separator;

const std::vector<MenuDefinition> menus = {
    {LMV_TRANSLATE_NOOP("Core", "&File"),
     {command_new_show, sep, command_open_show, command_open_show_folder, command_create_show, command_add_images, sep,
      command_save_show, command_export_video, sep, command_show_properties, sep, command_preferences, sep, command_exit}},
    {LMV_TRANSLATE_NOOP("Core", "&Edit"),
     {command_copy_slides, command_cut_slides, command_paste_before, command_paste_after, sep,
      command_slide_properties}},
    {LMV_TRANSLATE_NOOP("Core", "Help"), {command_help, sep, command_check_updates, sep, command_about}},
};

const MenuDefinition context_menu = {
    u"", {command_insert_before, command_insert_after, command_remove_slide, sep, command_edit_slide, sep,
          command_restart_here}};

bool is_recent_command(std::int32_t id) {
    return id >= command_recent_first && id < command_recent_first + static_cast<std::int32_t>(recent_files_count);
}

void step_slide(AppContext& context, std::int32_t step) {
    const std::int32_t count = context.show.slide_count();
    if (count == 0) return;
    go_to_slide(context.player, (context.current_slide + step + count) % count, true);
    refresh_playback(context.player);
}

// Settings and the buttons after it run the menu command that does the same.
struct ToolButtonAction {
    ToolButton button;
    std::int32_t command;  // 0 for the playback buttons Run, Pause, Previous and Next
};

const ToolButtonAction tool_buttons[tool_button_count] = {
    {{u"Run.bmp", LMV_TRANSLATE_NOOP("Core", "Run slide show")}, 0},
    {{u"Pause.bmp", LMV_TRANSLATE_NOOP("Core", "Pause slide show")}, 0},
    {{u"Prev.bmp", LMV_TRANSLATE_NOOP("Core", "Show previous image")}, 0},
    {{u"Next.bmp", LMV_TRANSLATE_NOOP("Core", "Show next image")}, 0},
    {{u"Settings.bmp", LMV_TRANSLATE_NOOP("Core", "Settings")}, command_show_properties},
    {{u"Trash.bmp", LMV_TRANSLATE_NOOP("Core", "Delete selected slide(s)")}, command_remove_slide},
    {{u"Cut.bmp", LMV_TRANSLATE_NOOP("Core", "Cut selected slide(s) to clipboard")}, command_cut_slides},
    {{u"Copy.bmp", LMV_TRANSLATE_NOOP("Core", "Copy selected slide(s) to clipboard")}, command_copy_slides},
    {{u"Insert Before.bmp", LMV_TRANSLATE_NOOP("Core", "Paste clipboard before current slide")}, command_paste_before},
    {{u"Insert After.bmp", LMV_TRANSLATE_NOOP("Core", "Paste clipboard after current slide")}, command_paste_after},
    {{u"Help.bmp", LMV_TRANSLATE_NOOP("Core", "Help")}, command_help},
};

}  // namespace

const std::vector<Command>& command_table() { return commands; }

const Command* find_command(std::int32_t id) {
    const auto found = std::find_if(commands.begin(), commands.end(), [id](const Command& c) { return c.id == id; });
    return found == commands.end() ? nullptr : &*found;
}

const std::vector<MenuDefinition>& main_menus() { return menus; }

const MenuDefinition& grid_context_menu() { return context_menu; }

bool command_enabled(const AppContext& context, std::int32_t id) {
    if (is_recent_command(id)) return true;
    const Command* command = find_command(id);
    if (!command) return false;
    switch (id) {
    case command_new_show:
    case command_export_video:
    case command_copy_slides:
    case command_cut_slides:
    case command_slide_properties:
    case command_edit_slide: return has_slides(context);
    case command_paste_before:
    case command_paste_after: return !context.clipboard.empty();
    default: return true;
    }
}

void run_command(AppContext& context, ShellInterface& shell, std::int32_t id) {
    if (id != command_restart_here) stop_show(context.player, false);
    if (is_recent_command(id)) {
        open_recent_entry(context, id - command_recent_first);
        return;
    }
    const Command* command = find_command(id);
    if (command) command->run(context, shell);
}

std::u16string recent_label(std::int32_t i, const std::u16string& path) {
    if (path.size() <= 50) return formatted(u"%d: %s", i + 1, path);
    return formatted(u"%d: %s...%s", i + 1, path.substr(0, 25), path.substr(path.size() - 25));
}

void open_recent_entry(AppContext& context, std::int32_t i) {
    if (i < 0 || i >= static_cast<std::int32_t>(recent_files_count)) return;
    // A copy: opening a show changes the list.
    const std::u16string path = context.recent_files[static_cast<std::size_t>(i)];
    if (path.empty()) return;
    if (!file_exists(path) && !folder_exists(path)) {
        error_box(context.ui, Core::tr("No such file: %s"), path);
        recent_remove(context.recent_files, path);
        return;
    }
    if (folder_exists(path)) {
        static_cast<void>(open_show_folder(context, path, false));
    } else if (file_exists(path)) {
        static_cast<void>(open_show_file(context, path));
    } else {
        error_box(context.ui, Core::tr("File does not exist: %s"), path);
        recent_remove(context.recent_files, path);
        return;
    }
    after_open(context);
}

const ToolButton& tool_button(std::int32_t index) { return tool_buttons[index].button; }

bool tool_button_enabled(const AppContext& context, std::int32_t index) {
    if (index < 0 || index >= tool_button_count) return false;
    switch (static_cast<ToolButtonId>(index)) {
    case ToolButtonId::Settings:
    case ToolButtonId::Help: return true;
    case ToolButtonId::PasteBefore:
    case ToolButtonId::PasteAfter: return !context.clipboard.empty();
    default: return has_slides(context);
    }
}

void tool_button_pressed(AppContext& context, ShellInterface& shell, std::int32_t index) {
    if (index < 0 || index >= tool_button_count) return;
    switch (static_cast<ToolButtonId>(index)) {
    case ToolButtonId::Run: toggle_show(context.player); break;
    case ToolButtonId::Pause:
        if (context.playback.running) stop_show(context.player, false);
        break;
    case ToolButtonId::Previous: step_slide(context, -1); break;
    case ToolButtonId::Next: step_slide(context, 1); break;
    case ToolButtonId::Delete:
        // Its own question: one addressed slide is deleted alone, and none asks nothing.
        if (tool_button_enabled(context, index)) {
            stop_show(context.player, false);
            delete_selected_slides(context);
        }
        break;
    default:
        if (tool_button_enabled(context, index)) run_command(context, shell, tool_buttons[index].command);
        break;
    }
}

void main_window_key_down(AppContext& context, PlaybackKey key) {
    stop_show_for_key(context.player, key, false);
    move_by_key(context.player, key);
}

void main_window_character(AppContext& context, ShellInterface& shell, char16_t character) {
    stop_show(context.player, false);
    switch (character) {
    case u'\x1b': shell.close_main_window(); break;
    case u' ': toggle_show(context.player); break;
    case u'C':
    case u'c':
    case u'F':
    case u'f':
        playback_character(context.player, character);
        context.ui.changed(Change::Slides);
        break;
    default: break;
    }
}

void drop_files(AppContext& context, const std::vector<std::u16string>& paths) {
    stop_show(context.player, false);
    std::vector<std::u16string> files;
    for (const std::u16string& path : paths) files.push_back(cut_text(path, 1000));
    static_cast<void>(add_image_files(context, files));
}

void open_passed_command_line(AppContext& context, const std::u16string& text) {
    const std::u16string path = show_path_of_text(context, text);
    if (path.empty()) return;
    stop_show(context.player, false);
    if (close_show(context)) return;
    apply_default_settings(context.show, context.default_settings);
    context.show.settings.autorun = AutorunMode::Manual;  // until the show is read
    open_like_command_line(context, path);
    after_open(context);
}

}  // namespace lumivane

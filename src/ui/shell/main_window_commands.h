#pragma once
// What the main window does, without the window: its commands (menu entries, context
// menu, tool buttons), the greying of menu entries, the recent-files entries, the
// keyboard and dropped files. The window only turns its events into these calls.
//
// Every command has one entry in the command table.

#include <cstdint>
#include <string>
#include <vector>

#include "playback/timeline.h"

namespace lumivane {

struct AppContext;
class ShellInterface;

enum CommandId : std::int32_t {
    command_new_show = 1000,
    command_open_show = 1001,
    command_open_show_folder = 1002,
    command_create_show = 1003,
    command_add_images = 1004,
    command_save_show = 1005,
    command_show_properties = 1006,
    command_preferences = 1007,
    command_exit = 1008,
    command_export_video = 1009,
    command_recent_first = 1050,  // recent file 1; the tenth is 1059
    command_copy_slides = 1100,
    command_cut_slides = 1101,
    command_paste_before = 1102,
    command_paste_after = 1103,
    command_slide_properties = 1104,
    command_help = 1200,
    command_check_updates = 1201,
    command_about = 1202,
    // The thumbnail grid's context menu.
    command_insert_before = 200,
    command_insert_after = 201,
    command_remove_slide = 202,
    command_edit_slide = 203,
    command_restart_here = 204,
};
inline constexpr std::int32_t menu_separator = 0;

using Operation = void (*)(AppContext& context, ShellInterface& shell);

struct Command {
    std::int32_t id;
    const char16_t* text;  // as its menu shows it
    Operation run;
};

const std::vector<Command>& command_table();
const Command* find_command(std::int32_t id);

struct MenuDefinition {
    const char16_t* title;
    std::vector<std::int32_t> ids;  // menu_separator between groups
};
// "&File", "&Edit" and "Help", in order.
const std::vector<MenuDefinition>& main_menus();
// The thumbnail grid's menu for a right click on a slide.
const MenuDefinition& grid_context_menu();

// Whether the menu entry is enabled now: the show has slides
// or the clipboard holds some where the command needs them.
[[nodiscard]] bool command_enabled(const AppContext& context, std::int32_t id);
// Runs a command: first stops the show (except 204, which restarts it from here).
void run_command(AppContext& context, ShellInterface& shell, std::int32_t id);

// The recent-files entry for list index i: "1: /path", or the first and last 25
// characters of a path longer than 50 with "..." between them.
std::u16string recent_label(std::int32_t i, const std::u16string& path);
// Opens recent entry i; a path that no longer exists is reported and dropped from the list.
void open_recent_entry(AppContext& context, std::int32_t i);

// The tool buttons, numbered as the image bar lays them out.
enum class ToolButtonId : std::int32_t {
    Run,
    Pause,
    Previous,
    Next,
    Settings,
    Delete,
    Cut,
    Copy,
    PasteBefore,
    PasteAfter,
    Help,
};
inline constexpr std::int32_t tool_button_count = 11;
struct ToolButton {
    const char16_t* bitmap;
    const char16_t* popup;
};
const ToolButton& tool_button(std::int32_t index);
[[nodiscard]] bool tool_button_enabled(const AppContext& context, std::int32_t index);
void tool_button_pressed(AppContext& context, ShellInterface& shell, std::int32_t index);

// The keyboard in the main window. Keys (End, Home, arrows) and characters each stop
// the show first; Esc closes the main window, Space restarts the show, C and F crop or
// fit the current slide in Manual mode.
void main_window_key_down(AppContext& context, PlaybackKey key);
void main_window_character(AppContext& context, ShellInterface& shell, char16_t character);

// Files dropped on the main window, added to the show one by one.
void drop_files(AppContext& context, const std::vector<std::u16string>& paths);

// A second start of the program passed on its command line: the running program opens
// that show as its own command line would, after offering to save the open one.
void open_passed_command_line(AppContext& context, const std::u16string& text);

}  // namespace lumivane

#pragma once
// A user interface for runs without a person: fuzzing and benchmarks.

#include <string>
#include <vector>

#include "platform/user_interface.h"

namespace lumivane::testing {

// Shows nothing: every box gets its first button, every dialog is cancelled.
class SilentUi : public UserInterface {
public:
    BoxAnswer message_box(const std::u16string&, const std::u16string&, BoxButtons buttons, BoxOwner) override {
        return buttons == BoxButtons::YesNoCancel || buttons == BoxButtons::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
    }
    void update_tool_buttons() override {}
    void set_main_window_title(const std::u16string&) override {}
    void refresh_main_window() override {}
    void close_main_window() override {}
    void show_status(const std::u16string&) override {}
    void set_status_text(const std::u16string&) override {}
    void hide_status() override {}
    void set_cursor(CursorShape) override {}
    bool shift_held() override { return false; }
    std::int64_t now_milliseconds() override { return 0; }
    PlaybackWindow* create_playback_window() override { return nullptr; }
    // Every dialog is cancelled.
    bool open_index_file_dialog(std::u16string&, const std::u16string&, const std::u16string&) override {
        return true;
    }
    bool save_index_file_dialog(std::u16string&, const std::u16string&, const std::u16string&,
                                const std::u16string&) override {
        return true;
    }
    bool pick_folder_dialog(std::u16string&, const std::u16string&, const std::u16string&) override { return true; }
    bool pick_image_files_dialog(std::vector<std::u16string>&, const std::u16string&,
                                 const std::u16string&) override {
        return true;
    }
    bool show_properties_dialog() override { return true; }
    bool preferences_dialog() override { return true; }
    void about_dialog() override {}
    bool slide_properties_dialog() override { return true; }
    void export_video_dialog() override {}
    void show_help_page(const std::u16string&) override {}
    bool download(const std::u16string&, std::string&, std::int32_t) override { return true; }
    void open_web_page(const std::u16string&) override {}
    bool move_to_trash(const std::u16string&) override { return true; }
};

}  // namespace lumivane::testing

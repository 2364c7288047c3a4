#pragma once
// A user interface without a screen, for work that runs with nobody to ask: a video
// export on the command line or on a thread of its own. Every message box is handed to
// one function (its text is all such work can pass on), every question gets its first
// answer, every dialog is cancelled, and windows are not made.

#include <chrono>
#include <string>
#include <vector>

#include "platform/user_interface.h"

namespace lumivane {

class HeadlessUi : public UserInterface {
public:
    // A box's title and text; the answer is OK or Yes.
    virtual void message(const std::u16string& title, const std::u16string& text) = 0;

    BoxAnswer message_box(const std::u16string& title, const std::u16string& text, BoxButtons buttons,
                          BoxOwner) override {
        message(title, text);
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
    std::int64_t now_milliseconds() override {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    }
    PlaybackWindow* create_playback_window() override { return nullptr; }
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
    bool move_to_trash(const std::u16string&, std::u16string&) override { return true; }
};

}  // namespace lumivane

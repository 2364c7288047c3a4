#pragma once
// A stand-in for the user interface: records every request and answers questions
// and dialogs from queues the test fills.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "ui/shell/shell_interface.h"

namespace lumivane::testing {

struct RecordedBox {
    std::u16string title;
    std::u16string text;
    BoxButtons buttons;
    BoxOwner owner;
};

struct RecordedDialog {
    std::u16string kind;  // "open index", "save index", "folder", "images", "properties",
                          // "preferences", "about", "slide properties" or "export"
    std::u16string title;
    std::u16string start_folder;
    std::u16string file_name;  // save dialogs only
};

class RecordingUi : public ShellInterface {
public:
    BoxAnswer message_box(const std::u16string& title, const std::u16string& text, BoxButtons buttons,
                          BoxOwner owner) override;
    void notice(const std::u16string& text) override { notices.push_back(text); }
    void changed(Change what) override { changes.push_back(what); }
    void set_main_window_title(const std::u16string& title) override { main_window_title = title; }
    void close_main_window() override { ++main_window_close_requests; }

    void show_status(const std::u16string& text) override;
    void set_status_text(const std::u16string& text) override;
    void hide_status() override;

    void set_cursor(CursorShape shape) override { cursors.push_back(shape); }
    bool shift_held() override { return shift; }
    std::int64_t now_milliseconds() override { return clock; }
    PlaybackWindow* create_playback_window() override {
        return playback_window_factory ? playback_window_factory() : nullptr;
    }

    bool open_index_file_dialog(std::u16string& path, const std::u16string& start_folder,
                                const std::u16string& title) override;
    bool save_index_file_dialog(std::u16string& path, const std::u16string& file_name,
                                const std::u16string& start_folder, const std::u16string& title) override;
    bool pick_folder_dialog(std::u16string& folder, const std::u16string& start_folder,
                            const std::u16string& title) override;
    bool pick_image_files_dialog(std::vector<std::u16string>& paths, const std::u16string& start_folder,
                                 const std::u16string& title) override;
    // Answered from dialog_answers too: any list is OK, nothing is Cancel.
    bool show_properties_dialog() override;
    bool preferences_dialog() override;
    void about_dialog() override { dialogs.push_back({u"about", u"About Lumivane", {}, {}}); }
    bool slide_properties_dialog() override;
    void export_video_dialog() override { dialogs.push_back({u"export", {}, {}, {}}); }
    void show_help_page(const std::u16string& page) override { help_pages.push_back(page); }
    bool download(const std::u16string& url, std::string& data, std::int32_t timeout_milliseconds) override {
        downloads.push_back(url);
        return downloader ? downloader(url, data, timeout_milliseconds) : true;
    }
    void open_web_page(const std::u16string& url) override { web_pages.push_back(url); }
    // Records the path and moves the file into trash_bin, unless trash_fails.
    bool move_to_trash(const std::u16string& path, std::u16string& trashed_path) override;

    // Texts of all boxes shown so far, in order.
    std::vector<std::u16string> texts() const;

    std::vector<RecordedBox> boxes;
    std::vector<std::u16string> notices;  // every notice's text, in order
    // Answers for boxes that ask a question; an OK-only box needs none.
    std::deque<BoxAnswer> answers;
    std::vector<Change> changes;  // every change notice, in order
    std::u16string main_window_title;
    int main_window_close_requests = 0;

    // The status window: every call in order ("show: text", "text: text", "hide"), and
    // what it shows now (empty when closed).
    std::vector<std::u16string> status_log;
    int status_depth = 0;
    std::u16string status_text;

    std::vector<CursorShape> cursors;
    bool shift = false;
    std::int64_t clock = 0;  // milliseconds, moved by the test
    std::function<PlaybackWindow*()> playback_window_factory;

    std::vector<RecordedDialog> dialogs;
    // Results for the file dialogs in order: paths (one for the single-path dialogs),
    // or nothing for Cancel.
    std::deque<std::optional<std::vector<std::u16string>>> dialog_answers;

    std::vector<std::u16string> help_pages;
    std::vector<std::u16string> web_pages;
    // Every address asked for; the downloads fail unless the test gives a downloader.
    std::vector<std::u16string> downloads;
    std::function<bool(const std::u16string&, std::string&, std::int32_t)> downloader;
    std::vector<std::u16string> trashed;
    bool trash_fails = false;
    TempFolder trash_bin;

private:
    std::optional<std::vector<std::u16string>> next_dialog_answer();
};

}  // namespace lumivane::testing

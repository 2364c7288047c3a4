#pragma once
// The user interface of the program on Qt: message boxes, the status window, file
// dialogs, the help window, downloads, the cursor, the clock, and the playback window.

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <memory>

#include "ui/captions.h"
#include "ui/help_window.h"
#include "ui/shell/shell_interface.h"
#include "ui/status_window.h"
#include "video/export_options.h"

namespace lumivane {

struct AppContext;
class ExportProgressWindow;
class PlaybackWidget;

// A message box as the program shows it, not yet shown.
std::unique_ptr<QMessageBox> make_message_box(const std::u16string& title, const std::u16string& text,
                                              BoxButtons buttons, QWidget* parent);

class QtUserInterface : public ShellInterface {
    Q_DECLARE_TR_FUNCTIONS(QtUserInterface)

public:
    QtUserInterface();
    // The program's state, which the windows this interface makes work on.
    void attach(AppContext& context) { context_ = &context; }

    BoxAnswer message_box(const std::u16string& title, const std::u16string& text, BoxButtons buttons,
                          BoxOwner owner) override;
    // Over the playback window while the viewer sees it or types to it, else in a box
    // that waits for nobody.
    void notice(const std::u16string& text) override;
    // The window that owns questions, shows the title and the changes.
    void set_main_window(QWidget* window) { main_window_ = window; }

    void changed(Change what) override;
    void set_main_window_title(const std::u16string& title) override;
    void close_main_window() override;
    void show_status(const std::u16string& text) override;
    void set_status_text(const std::u16string& text) override;
    void hide_status() override;
    void set_cursor(CursorShape shape) override;
    bool shift_held() override;
    std::int64_t now_milliseconds() override;
    PlaybackWindow* create_playback_window() override;
    bool open_index_file_dialog(std::u16string& path, const std::u16string& start_folder,
                                const std::u16string& title) override;
    bool save_index_file_dialog(std::u16string& path, const std::u16string& file_name,
                                const std::u16string& start_folder, const std::u16string& title) override;
    bool pick_folder_dialog(std::u16string& folder, const std::u16string& start_folder,
                            const std::u16string& title) override;
    bool pick_image_files_dialog(std::vector<std::u16string>& paths, const std::u16string& start_folder,
                                 const std::u16string& title) override;
    bool show_properties_dialog() override;
    bool preferences_dialog() override;
    void about_dialog() override;
    bool slide_properties_dialog() override;
    void export_video_dialog() override;
    void show_help_page(const std::u16string& page) override;
    bool download(const std::u16string& url, std::string& data, std::int32_t timeout_milliseconds) override;
    void open_web_page(const std::u16string& url) override;
    bool move_to_trash(const std::u16string& path, std::u16string& trashed_path) override;

    const CaptionFonts& caption_fonts() const { return caption_fonts_; }
    const StatusWindow& status_window() const { return status_; }
    HelpWindow* help_window() const { return help_; }
    PlaybackWidget* playback_widget() const;
    // Takes the monitor profile the program's state chooses, the display's being the one
    // of the screen the playback window shows on.
    void use_monitor_profile();
    // Deletes the playback window now, while the program's state it works on exists.
    void destroy_playback_window();
    // Whether a video export is running: it reads the show's pictures, so nothing may
    // close the show meanwhile.
    bool exporting() const { return export_window_ != nullptr; }
    // Stops a running export and waits until it has stopped.
    void cancel_export();

protected:
    // A new playback window on the screen area; tests give one of their own.
    virtual PlaybackWidget* make_playback_widget(const QRect& screen);

private:
    // The window file dialogs belong to.
    QWidget* dialog_owner() const;

    AppContext* context_ = nullptr;
    CaptionFonts caption_fonts_;
    StatusWindow status_;
    QPointer<PlaybackWidget> playback_;
    QPointer<QWidget> main_window_;
    QPointer<HelpWindow> help_;
    ExportProgressWindow* export_window_ = nullptr;
    // The choices of the last export, offered again.
    ExportOptions last_export_;
};

}  // namespace lumivane

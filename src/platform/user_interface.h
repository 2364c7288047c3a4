#pragma once
// The one way the core reaches the person at the screen. The Qt application
// implements it; tests replace it by a double that records every request and
// answers from a script.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lumivane {

enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class BoxAnswer { Ok, Cancel, Yes, No };
// Error and warning boxes have no owner; questions belong to the main window.
enum class BoxOwner { None, MainWindow };

enum class CursorShape { Arrow, Hand, Cross, None };

class PlaybackWindow;

// The longest list of paths the image file dialog returns, in characters.
inline constexpr std::size_t image_list_capacity = 260000;

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A modal message box; returns the button the user chose.
    virtual BoxAnswer message_box(const std::u16string& title, const std::u16string& text,
                                  BoxButtons buttons, BoxOwner owner) = 0;

    // The enabled and checked states of the tool buttons follow the show.
    virtual void update_tool_buttons() = 0;

    // The main window's title; ignored while there is no main window.
    virtual void set_main_window_title(const std::u16string& title) = 0;
    // The main window shows the show as it is now (thumbnails, current slide).
    virtual void refresh_main_window() = 0;
    // Asks the main window to close, as its close button does: the program ends unless
    // the user cancels the offer to save.
    virtual void close_main_window() = 0;

    // The status window for long operations. Shows nest: a show while it is shown
    // only counts (the text stays), and the hide that balances the first show closes it.
    virtual void show_status(const std::u16string& text) = 0;
    virtual void set_status_text(const std::u16string& text) = 0;
    virtual void hide_status() = 0;

    virtual void set_cursor(CursorShape shape) = 0;

    // Whether a Shift key is held down right now.
    virtual bool shift_held() = 0;

    // A steady clock in milliseconds, for playback timing.
    virtual std::int64_t now_milliseconds() = 0;

    // Opens the playback window for the open show (the timeline learns of it through
    // playback_window_created); returns the window, or none when it cannot be made.
    virtual PlaybackWindow* create_playback_window() = 0;

    // File dialogs, modal to the main window. Each returns true when the user
    // cancelled; otherwise the result is in the output.
    // An existing index file; a start folder that does not exist is created first.
    virtual bool open_index_file_dialog(std::u16string& path, const std::u16string& start_folder,
                                        const std::u16string& title) = 0;
    // Where to save an index file; path keeps what it held unless the user confirms.
    virtual bool save_index_file_dialog(std::u16string& path, const std::u16string& file_name,
                                        const std::u16string& start_folder, const std::u16string& title) = 0;
    virtual bool pick_folder_dialog(std::u16string& folder, const std::u16string& start_folder,
                                    const std::u16string& title) = 0;
    // One or more JPEG or TIFF files, in the order the user chose them. The paths take
    // at most image_list_capacity characters, each counted with one more for the break
    // after it and one more for the end of the list; every path past that is reported
    // with "Too many pathnames" and left out.
    virtual bool pick_image_files_dialog(std::vector<std::u16string>& paths, const std::u16string& start_folder,
                                         const std::u16string& title) = 0;

    // The "Slide Show Properties" dialog for the open show, modal to the main window. It
    // stops the show. True after Cancel, which leaves the settings as they were.
    virtual bool show_properties_dialog() = 0;
    // The "Preferences" dialog, modal to the main window. True after Cancel.
    virtual bool preferences_dialog() = 0;
    // The about box, modal to the main window.
    virtual void about_dialog() = 0;

    // The "Slide Properties" dialog for the current slide, modal to the main window. True
    // after Cancel or when it cannot open; the slide is then as it was.
    virtual bool slide_properties_dialog() = 0;
    // The "Export Video" dialog for the open show and, after OK, the export with its
    // progress window, both modal to the main window.
    virtual void export_video_dialog() = 0;

    // Shows a page of the program's help (a file name in the help folder, with an
    // optional "#anchor") in the help window.
    virtual void show_help_page(const std::u16string& page) = 0;
    // Fetches url over HTTP into data, past every cache, waiting at most timeout
    // milliseconds; the windows keep painting meanwhile. True on failure (no answer, an
    // error status, too much data).
    virtual bool download(const std::u16string& url, std::string& data, std::int32_t timeout_milliseconds) = 0;
    // Opens a web page in the user's browser.
    virtual void open_web_page(const std::u16string& url) = 0;
    // Moves a file (or a link itself) to the user's trash, from where the user can
    // restore it, and sets trashed_path to its place there. True on failure: the file
    // stays where it was.
    virtual bool move_to_trash(const std::u16string& path, std::u16string& trashed_path) = 0;
};

}  // namespace lumivane

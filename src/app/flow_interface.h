#pragma once
// What the flows need beyond the core's user interface: the change notice, the main
// window's title, the playback window, and the dialogs that open, create and save
// shows and add pictures.

#include <cstddef>
#include <string>
#include <vector>

#include "document/changes.h"
#include "platform/user_interface.h"

namespace lumivane {

class PlaybackWindow;

// The longest list of paths the image file dialog returns, in characters.
inline constexpr std::size_t image_list_capacity = 260000;

class FlowInterface : public UserInterface {
public:
    // The show changed as what says: the main window redraws and updates its tool
    // buttons once.
    virtual void changed(Change what) = 0;

    // The main window's title; ignored while there is no main window.
    virtual void set_main_window_title(const std::u16string& title) = 0;

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
};

}  // namespace lumivane

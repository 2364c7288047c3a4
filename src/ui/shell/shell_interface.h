#pragma once
// What only the shell asks of the user interface: the main window's other dialogs, the
// help pages, downloads and the browser, and closing the main window.

#include <cstdint>
#include <string>

#include "app/flow_interface.h"

namespace lumivane {

class ShellInterface : public FlowInterface {
public:
    // Asks the main window to close, as its close button does: the program ends unless
    // the user cancels the offer to save.
    virtual void close_main_window() = 0;

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
};

}  // namespace lumivane

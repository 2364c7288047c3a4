#pragma once
// What the core needs of the person at the screen: message boxes and notices, the
// status window, the cursor, the Shift key, the clock, and the trash. The Qt application
// implements it; tests replace it by a double that records every request and answers
// from a script. The flows' dialogs (app/flow_interface.h) and what only the shell uses
// (ui/shell/shell_interface.h) build on it.

#include <cstdint>
#include <string>

namespace lumivane {

enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class BoxAnswer { Ok, Cancel, Yes, No };
// Error and warning boxes have no owner; questions belong to the main window.
enum class BoxOwner { None, MainWindow };

enum class CursorShape { Arrow, Hand, Cross, None };

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A modal message box; returns the button the user chose.
    virtual BoxAnswer message_box(const std::u16string& title, const std::u16string& text,
                                  BoxButtons buttons, BoxOwner owner) = 0;

    // An error told without waiting for the user: shown for a few seconds over the show
    // while it plays, neither holding it nor taking the keyboard from its window.
    virtual void notice(const std::u16string& text) = 0;

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

    // Moves a file (or a link itself) to the user's trash, from where the user can
    // restore it, and sets trashed_path to its place there. True on failure: the file
    // stays where it was.
    virtual bool move_to_trash(const std::u16string& path, std::u16string& trashed_path) = 0;
};

}  // namespace lumivane

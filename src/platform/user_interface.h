#pragma once
// The one way the core reaches the person at the screen. The Qt application
// implements it; tests replace it by a double that records every request and
// answers from a script.

#include <string>

namespace lumivane {

enum class BoxButtons { Ok, OkCancel, YesNoCancel };
enum class BoxAnswer { Ok, Cancel, Yes, No };
// Error and warning boxes have no owner; questions belong to the main window.
enum class BoxOwner { None, MainWindow };

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A modal message box; returns the button the user chose.
    virtual BoxAnswer message_box(const std::u16string& title, const std::u16string& text,
                                  BoxButtons buttons, BoxOwner owner) = 0;

    // The enabled and checked states of the tool buttons follow the show.
    virtual void update_tool_buttons() = 0;

    // The main window's title; empty while there is no main window.
    virtual void set_main_window_title(const std::u16string& title) = 0;
};

}  // namespace lumivane

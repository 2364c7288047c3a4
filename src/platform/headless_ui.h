#pragma once
// A user interface without a screen, for work that runs with nobody to ask: a video
// export on the command line or on a thread of its own. Every message box and notice is
// handed to one function (its text is all such work can pass on), every question gets
// its first answer, and nothing goes to the trash. Headless<Interface> gives any
// interface built on UserInterface these answers (app/headless_flows.h adds the flows'
// part).

#include <chrono>
#include <string>

#include "platform/message_boxes.h"

namespace lumivane {

template <typename Interface>
class Headless : public Interface {
public:
    // A box's title and text; the answer is OK or Yes.
    virtual void message(const std::u16string& title, const std::u16string& text) = 0;

    BoxAnswer message_box(const std::u16string& title, const std::u16string& text, BoxButtons buttons,
                          BoxOwner) override {
        message(title, text);
        return buttons == BoxButtons::YesNoCancel || buttons == BoxButtons::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
    }
    // Handed on as an error.
    void notice(const std::u16string& text) override { message(Core::translated(error_title), text); }
    void show_status(const std::u16string&) override {}
    void set_status_text(const std::u16string&) override {}
    void hide_status() override {}
    void set_cursor(CursorShape) override {}
    bool shift_held() override { return false; }
    std::int64_t now_milliseconds() override {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    }
    bool move_to_trash(const std::u16string&, std::u16string&) override { return true; }
};

using HeadlessUi = Headless<UserInterface>;

}  // namespace lumivane

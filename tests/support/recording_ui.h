#pragma once
// A stand-in for the user interface: records every request and answers questions
// from a queue the test fills.

#include <deque>
#include <string>
#include <vector>

#include "platform/user_interface.h"

namespace lumivane::testing {

struct RecordedBox {
    std::u16string title;
    std::u16string text;
    BoxButtons buttons;
    BoxOwner owner;
};

class RecordingUi : public UserInterface {
public:
    BoxAnswer message_box(const std::u16string& title, const std::u16string& text, BoxButtons buttons,
                          BoxOwner owner) override;
    void update_tool_buttons() override { ++tool_button_updates; }
    void set_main_window_title(const std::u16string& title) override { main_window_title = title; }

    // Texts of all boxes shown so far, in order.
    std::vector<std::u16string> texts() const;

    std::vector<RecordedBox> boxes;
    // Answers for boxes that ask a question; an OK-only box needs none.
    std::deque<BoxAnswer> answers;
    int tool_button_updates = 0;
    std::u16string main_window_title;
};

}  // namespace lumivane::testing

#include "support/recording_ui.h"

#include <gtest/gtest.h>

namespace lumivane::testing {

BoxAnswer RecordingUi::message_box(const std::u16string& title, const std::u16string& text, BoxButtons buttons,
                                   BoxOwner owner) {
    boxes.push_back({title, text, buttons, owner});
    if (!answers.empty()) {
        const BoxAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    if (buttons != BoxButtons::Ok) ADD_FAILURE() << "a question was asked that the test did not answer";
    return buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
}

std::vector<std::u16string> RecordingUi::texts() const {
    std::vector<std::u16string> result;
    for (const RecordedBox& box : boxes) result.push_back(box.text);
    return result;
}

}  // namespace lumivane::testing

#include "support/recording_ui.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/files.h"

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

bool RecordingUi::move_to_trash(const std::u16string& path, std::u16string& trashed_path) {
    if (trash_fails) return true;
    trashed.push_back(path);
    // Numbered, as names may repeat in the trash.
    trashed_path = trash_bin.file(u16(std::to_string(trashed.size()) + "-") + path.substr(path.rfind(u'/') + 1));
    return std::rename(native_path(path).c_str(), native_path(trashed_path).c_str()) != 0;
}

std::vector<std::u16string> RecordingUi::texts() const {
    std::vector<std::u16string> result;
    for (const RecordedBox& box : boxes) result.push_back(box.text);
    return result;
}

void RecordingUi::show_status(const std::u16string& text) {
    status_log.push_back(u"show: " + text);
    if (status_depth++ == 0) status_text = text;
}

void RecordingUi::set_status_text(const std::u16string& text) {
    status_log.push_back(u"text: " + text);
    if (status_depth > 0) status_text = text;
}

void RecordingUi::hide_status() {
    status_log.push_back(u"hide");
    if (status_depth == 0) ADD_FAILURE() << "the status window was hidden more often than shown";
    if (status_depth > 0 && --status_depth == 0) status_text.clear();
}

std::optional<std::vector<std::u16string>> RecordingUi::next_dialog_answer() {
    if (dialog_answers.empty()) {
        ADD_FAILURE() << "a file dialog was opened that the test did not answer";
        return std::nullopt;
    }
    auto answer = dialog_answers.front();
    dialog_answers.pop_front();
    return answer;
}

bool RecordingUi::open_index_file_dialog(std::u16string& path, const std::u16string& start_folder,
                                         const std::u16string& title) {
    dialogs.push_back({u"open index", title, start_folder, {}});
    path.clear();
    const auto answer = next_dialog_answer();
    if (!answer || answer->empty()) return true;
    path = answer->front();
    return false;
}

bool RecordingUi::save_index_file_dialog(std::u16string& path, const std::u16string& file_name,
                                         const std::u16string& start_folder, const std::u16string& title) {
    dialogs.push_back({u"save index", title, start_folder, file_name});
    const auto answer = next_dialog_answer();
    if (!answer || answer->empty()) return true;
    path = answer->front();
    return false;
}

bool RecordingUi::pick_folder_dialog(std::u16string& folder, const std::u16string& start_folder,
                                     const std::u16string& title) {
    dialogs.push_back({u"folder", title, start_folder, {}});
    folder.clear();
    const auto answer = next_dialog_answer();
    if (!answer || answer->empty()) return true;
    folder = answer->front();
    return false;
}

bool RecordingUi::pick_image_files_dialog(std::vector<std::u16string>& paths, const std::u16string& start_folder,
                                          const std::u16string& title) {
    dialogs.push_back({u"images", title, start_folder, {}});
    paths.clear();
    const auto answer = next_dialog_answer();
    if (!answer) return true;
    paths = *answer;
    return false;
}

bool RecordingUi::slide_properties_dialog() {
    dialogs.push_back({u"slide properties", u"Slide Properties", {}, {}});
    return !next_dialog_answer();
}

bool RecordingUi::show_properties_dialog() {
    dialogs.push_back({u"properties", u"Slide Show Properties", {}, {}});
    return !next_dialog_answer();
}

bool RecordingUi::preferences_dialog() {
    dialogs.push_back({u"preferences", u"Preferences", {}, {}});
    return !next_dialog_answer();
}

}  // namespace lumivane::testing

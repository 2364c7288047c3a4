#pragma once
// The flows without a screen (platform/headless_ui.h): every dialog is cancelled, the
// playback window is not made, and changes go unseen. HeadlessFlowsOf<Interface> gives
// these answers to any interface built on FlowInterface.

#include <string>
#include <vector>

#include "app/flow_interface.h"
#include "platform/headless_ui.h"

namespace lumivane {

template <typename Interface>
class HeadlessFlowsOf : public Headless<Interface> {
public:
    void changed(Change) override {}
    void set_main_window_title(const std::u16string&) override {}
    PlaybackWindow* create_playback_window() override { return nullptr; }
    bool open_index_file_dialog(std::u16string&, const std::u16string&, const std::u16string&) override {
        return true;
    }
    bool save_index_file_dialog(std::u16string&, const std::u16string&, const std::u16string&,
                                const std::u16string&) override {
        return true;
    }
    bool pick_folder_dialog(std::u16string&, const std::u16string&, const std::u16string&) override { return true; }
    bool pick_image_files_dialog(std::vector<std::u16string>&, const std::u16string&,
                                 const std::u16string&) override {
        return true;
    }
    bool show_properties_dialog() override { return true; }
};

using HeadlessFlows = HeadlessFlowsOf<FlowInterface>;

}  // namespace lumivane

#pragma once
// A user interface for runs without a person: fuzzing and benchmarks.

#include <cstdint>
#include <string>

#include "app/headless_flows.h"
#include "ui/shell/shell_interface.h"

namespace lumivane::testing {

// Shows nothing: every box gets its first button, every dialog is cancelled, and the
// clock stands still.
class SilentUi : public HeadlessFlowsOf<ShellInterface> {
public:
    void message(const std::u16string&, const std::u16string&) override {}
    std::int64_t now_milliseconds() override { return 0; }
    void close_main_window() override {}
    bool preferences_dialog() override { return true; }
    void about_dialog() override {}
    bool slide_properties_dialog() override { return true; }
    void export_video_dialog() override {}
    void show_help_page(const std::u16string&) override {}
    bool download(const std::u16string&, std::string&, std::int32_t) override { return true; }
    void open_web_page(const std::u16string&) override {}
};

}  // namespace lumivane::testing

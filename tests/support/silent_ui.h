#pragma once
// A user interface for runs without a person: fuzzing and benchmarks.

#include <string>

#include "platform/headless_ui.h"

namespace lumivane::testing {

// Shows nothing: every box gets its first button, every dialog is cancelled, and the
// clock stands still.
class SilentUi : public HeadlessUi {
public:
    void message(const std::u16string&, const std::u16string&) override {}
    std::int64_t now_milliseconds() override { return 0; }
};

}  // namespace lumivane::testing

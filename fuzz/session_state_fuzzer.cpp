// Any bytes as a session state file.

#include <string>

#include "app/app_context.h"
#include "fuzz_support.h"
#include "platform/text_encoding.h"
#include "ui/shell/session_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumivane;
    static fuzz::SilentUi ui;
    FileHandle file = fuzz::memory_file(data, size);
    if (!file.is_open()) return 0;
    AppContext context(ui);
    read_session_state_file(context, u"/proc/self/fd/" + utf8_to_utf16(std::to_string(file.descriptor())));
    // Whatever was read must write out again.
    session_state_lines(context);
    return 0;
}

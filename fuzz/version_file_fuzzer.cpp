// Any bytes as the update server's version file.

#include "document/text_file.h"
#include "fuzz_support.h"
#include "ui/shell/update_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumivane;
    static fuzz::SilentUi ui;
    std::u16string text;
    if (read_text_file(fuzz::memory_file(data, size), text)) return 0;
    read_version_text(ui, text);
    return 0;
}

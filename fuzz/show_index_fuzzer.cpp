// Any bytes as a slide show index file.

#include <string>
#include <vector>

#include "document/show_index.h"
#include "document/slide_show.h"
#include "fuzz_support.h"
#include "platform/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumivane;
    FileHandle file = fuzz::memory_file(data, size);
    if (!file.is_open()) return 0;
    SlideShow show;
    std::vector<IndexProblem> problems;
    static_cast<void>(read_show_index(show, u"/proc/self/fd", utf8_to_utf16(std::to_string(file.descriptor())), problems));
    // Whatever was read must write out again.
    show_index_lines(show);
    return 0;
}

#pragma once

#include <cstdint>
#include <string>

namespace lumivane {

struct AppContext;

// Loads every slide's picture after its index has been read: decoded, upright,
// converted to the monitor's colour space, thumbnailed, and its key frames fitted to the
// show's proportions. A missing or unreadable file is reported and leaves that slide
// without a picture. When the next picture does not fit in the memory the program may
// use, loading stops with one message and the show keeps the slides not loaded.
void load_show_images(AppContext& context);

// An amount of memory as people read it; the number and its unit stay on one line.
std::u16string memory_text(std::uint64_t bytes);

}  // namespace lumivane

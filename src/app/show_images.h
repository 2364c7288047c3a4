#pragma once

#include <cstdint>
#include <string>

namespace lumivane {

struct AppContext;

// Prepares every slide's picture after its index has been read (prepare_slide): each
// file read once for its size, orientation, profile and thumbnail, and its key frames
// fitted to the show's proportions; the full pictures are decoded by the picture cache
// when they are needed. A missing or unreadable file is reported and leaves that slide
// without a picture.
void load_show_images(AppContext& context);

}  // namespace lumivane

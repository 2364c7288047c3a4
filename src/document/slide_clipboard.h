#pragma once
// Slides copied or cut from a show, kept with their pictures so that pasting needs
// no loading. Survives closing the show.

#include <string>
#include <vector>

#include "document/slide_show.h"

namespace lumivane {

struct SlideClipboard {
    std::vector<Slide> slides;
    // Where each slide's image file lies: in the show folder the slides were copied from,
    // or in the trash once its slide was cut with its file. Empty for a slide without one.
    std::vector<std::u16string> file_paths;

    bool empty() const { return slides.empty(); }
};

}  // namespace lumivane

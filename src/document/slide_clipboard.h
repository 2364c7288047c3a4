#pragma once
// Slides copied or cut from a show, kept with their pictures so that pasting needs
// no loading. Survives closing the show.

#include <string>
#include <vector>

#include "document/slide_show.h"

namespace lumivane {

struct SlideClipboard {
    std::vector<Slide> slides;
    std::u16string source_folder;  // show folder the slides were copied from

    bool empty() const { return slides.empty(); }
};

}  // namespace lumivane

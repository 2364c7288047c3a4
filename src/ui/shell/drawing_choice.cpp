#include "ui/shell/drawing_choice.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace lumivane {

bool software_renderer(std::string_view renderer) {
    std::string name(renderer);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const std::string_view word : {"llvmpipe", "softpipe", "software", "swrast", "swiftshader"}) {
        if (name.find(word) != std::string::npos) return true;
    }
    return false;
}

bool draws_on_graphics(Drawing drawing, bool context_made, bool software) {
    switch (drawing) {
        case Drawing::GraphicsProcessor:
            return context_made;
        case Drawing::Automatic:
            return context_made && !software;
        case Drawing::Processor:
            break;
    }
    return false;
}

}  // namespace lumivane

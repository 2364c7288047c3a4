#pragma once
// A colour transform from a picture's profile to the monitor profile. Slides,
// clipboard entries and the slide dialog's working copy share one transform; it is
// deleted when the last of them lets go.

#include <memory>

namespace lumivane {

struct ColourTransform;
using ColourTransformHandle = std::shared_ptr<ColourTransform>;

}  // namespace lumivane

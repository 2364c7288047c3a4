#pragma once
// The slides' levels for exact or smooth motion (Motion in pan_zoom.h). Smooth motion
// samples reduced pictures from the slides' levels (picture_levels.h), which exist only
// while it is on.

#include <cstdint>

#include "imaging/image_loader.h"
#include "playback/pan_zoom.h"

namespace lumivane {

struct Slide;

// Makes or frees the slide's levels as the motion needs them, their bytes taken only
// when fits allows. True when they do not fit: the slide then has none, and smooth
// motion samples it from its picture alone (smooth still, but fine detail is filtered
// less while it moves).
[[nodiscard]] bool prepare_slide_levels(Motion motion, Slide& slide, const MemoryCheck& fits = memory_fits);

}  // namespace lumivane

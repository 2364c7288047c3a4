#pragma once
// Exact or smooth motion (AppContext::motion, Motion in pan_zoom.h) for the whole
// program: the playback window, transitions, Manual mode and anything else that renders
// through the timeline. Smooth motion samples reduced pictures from the slides' levels
// (picture_levels.h), which exist only while it is on.

#include <cstdint>

#include "imaging/image_loader.h"

namespace lumivane {

struct AppContext;
struct Slide;

// Makes or frees the slide's levels as the context's motion needs them, their bytes
// taken only when fits allows. True when they do not fit: the slide then has none, and
// smooth motion samples it from its picture alone (smooth still, but fine detail is
// filtered less while it moves).
bool prepare_slide_levels(const AppContext& context, Slide& slide, const MemoryCheck& fits = memory_fits);

// Switches to the motion (0 exact, 1 smooth; anything else counts as exact) without
// reloading the show: every slide's levels are made or freed, with the status window
// up while they are made, and the picture on the screen is made again at once. Slides
// whose levels do not fit are named in one warning. True when some did not fit.
bool set_motion(AppContext& context, std::int32_t motion);

}  // namespace lumivane

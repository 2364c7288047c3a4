#pragma once
// Exact or smooth motion (AppContext::motion) for the whole program: the playback
// window, transitions, Manual mode and anything else that renders through the timeline.

#include <cstdint>

#include "playback/pan_zoom.h"

namespace lumivane {

struct AppContext;

// Switches to the motion (any value but Smooth counts as exact) without
// reloading the show: every slide's levels are made or freed, with the status window
// up while they are made, and the picture on the screen is made again at once. Slides
// whose levels do not fit are named in one warning. True when some did not fit.
[[nodiscard]] bool set_motion(AppContext& context, Motion motion);

}  // namespace lumivane

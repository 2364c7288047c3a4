#pragma once
// Exact or smooth motion (AppContext::motion) for the whole program: the playback
// window, transitions, Manual mode and anything else that renders through the timeline.

#include <cstdint>

#include "playback/pan_zoom.h"

namespace lumivane {

struct AppContext;

// Switches to the motion (any value but Smooth counts as exact) without
// reloading the show: the picture on the screen is made again at once, and the
// pictures read ahead are those the motion needs (smooth motion's come with their
// levels, from the picture cache).
void set_motion(AppContext& context, Motion motion);

}  // namespace lumivane

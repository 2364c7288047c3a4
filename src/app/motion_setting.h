#pragma once
// Exact or smooth motion (AppContext::motion) for the whole program: the playback
// window, transitions, Manual mode and anything else that renders through the timeline.

#include <cstdint>

namespace lumivane {

struct AppContext;

// Switches to the motion (0 exact, 1 smooth; anything else counts as exact) without
// reloading the show: the picture on the screen is made again at once, and the
// pictures read ahead are those the motion needs (smooth motion's come with their
// levels, from the picture cache).
void set_motion(AppContext& context, std::int32_t motion);

}  // namespace lumivane

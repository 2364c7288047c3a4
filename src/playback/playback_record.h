#pragma once
// What the timeline works on: the show, where playback stands, the clock, the window,
// the motion and the frame rate, and a way to say what changed. The program's context
// holds one over its own members; a video export builds one of its own.

#include <cstdint>
#include <functional>

#include "document/changes.h"
#include "document/slide_show.h"
#include "platform/user_interface.h"
#include "playback/pan_zoom.h"
#include "playback/playback_state.h"

namespace lumivane {

// The playback window's cadence, as the session state file numbers it.
enum class FrameRate : std::int32_t { Fps60 = 0, Fps50 = 1 };

class PlaybackWindow;

struct PlaybackRecord {
    SlideShow& show;
    PlaybackState& state;
    std::int32_t& current_slide;  // the slide single-slide commands address
    UserInterface& ui;            // the clock, the cursor and messages
    const Motion& motion;
    const FrameRate& frame_rate;
    // Makes the playback window for the show (the timeline hears of it through
    // playback_window_created); none when it cannot be made.
    std::function<PlaybackWindow*()> open_window;
    // Told what the timeline changed.
    std::function<void(Change)> changed;
};

}  // namespace lumivane

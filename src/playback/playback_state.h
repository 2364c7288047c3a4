#pragma once
// Where playback stands: kept beside the show, reset with it.

#include <cstdint>
#include <string>
#include <vector>

#include "playback/pan_zoom.h"

namespace lumivane {

class PlaybackWindow;

struct PlaybackState {
    std::int32_t displayed_slide = 0;  // whose picture and caption the window shows
    std::int32_t key_frame = 0;        // the segment from key frame k to k + 1 being played
    bool path_active = false;          // the current slide has two or more key frames
    double segment_duration = 0.0;     // seconds, the key frame's delay over the speed factor
    std::int32_t segment_ticks = 0;    // ticks spent in the segment; 0: not started yet
    double time_base = 0.0;            // the moment the segment or transition started, in milliseconds
    // Milliseconds at which the show's clock (show_clock.h) read 0: where the running
    // show's slides and segments begin, however late their ticks come.
    std::int64_t clock_origin = 0;
    bool running = false;              // the timer is set
    bool restart_pending = false;      // the next tick first starts a transition
    bool from_black = false;           // the next transition starts from black
    bool in_transition = false;
    bool blanked = false;              // the viewer blacked the screen out (B or ".")

    // The displayed slide's picture in the output frame: its key frame and progress.
    std::int32_t shown_key_frame = 0;
    double shown_progress = 0.0;

    // The cadence of the ticks (frame_pacing.h): the moment the running tick's picture
    // is for, and the period it was set with, in milliseconds with fractions.
    double tick_due = 0.0;
    double tick_period = 0.0;

    PlaybackWindow* window = nullptr;  // none while the window is closed

    // The files whose pictures could not be decoded that the user has been told of since
    // the show was last run.
    std::vector<std::u16string> told_failures;

    // A Manual mode drag of the crop box with the mouse.
    bool dragging = false;
    std::int32_t press_x = 0;
    std::int32_t press_y = 0;
    BoxShape press_box;
};

}  // namespace lumivane

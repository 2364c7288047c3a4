#pragma once
// The window a show plays in, as the timeline sees it. The Qt application provides the
// real one; tests provide a stand-in that records what it is asked to do.

#include <cstdint>
#include <string>

#include "imaging/frame_bitmap.h"

namespace lumivane {

class PlaybackWindow {
public:
    virtual ~PlaybackWindow() = default;

    // The three frames of the window's client size: what is shown, and the two ends of
    // a transition.
    FrameBitmap output;
    FrameBitmap outgoing;
    FrameBitmap incoming;

    virtual std::int32_t client_width() const = 0;
    virtual std::int32_t client_height() const = 0;

    // The output frame, with the caption drawn over it when show_captions is not 0,
    // becomes the window's picture and is shown; every repaint shows that picture.
    virtual void present(const std::u16string& caption, std::int32_t show_captions) = 0;

    // One tick of the timeline after the given time; a new timer replaces the old one.
    virtual void set_timer(std::int32_t milliseconds) = 0;
    virtual void kill_timer() = 0;

    virtual void set_visible(bool visible) = 0;
    // Above every other window while the show runs; behind them when it stops.
    virtual void to_top() = 0;
    virtual void to_bottom() = 0;
    virtual void set_title(const std::u16string& title) = 0;
    // Closes and destroys the window; the timeline hears of it through
    // playback_window_destroyed.
    virtual void close_window() = 0;
};

}  // namespace lumivane

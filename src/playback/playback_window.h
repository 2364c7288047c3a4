#pragma once
// The window a show plays in, as the timeline sees it. The Qt application provides the
// real one; tests provide a stand-in that records what it is asked to do.

#include <cstdint>
#include <string>

#include "document/slide_show.h"
#include "imaging/frame_bitmap.h"
#include "imaging/memory_bitmap.h"

namespace lumivane {

class PlaybackWindow {
public:
    virtual ~PlaybackWindow() = default;

    // The two ends of a transition, of the client size. What is shown is composed
    // straight into the memory bitmap.
    FrameBitmap outgoing;
    FrameBitmap incoming;

    // The client size in device pixels, so that every pixel of the screen is sampled
    // from the photograph itself.
    virtual std::int32_t client_width() const = 0;
    virtual std::int32_t client_height() const = 0;

    // The off-screen picture of the client size that every repaint shows.
    virtual MemoryBitmap memory_bitmap() = 0;
    // The memory bitmap, with the caption drawn over it when show_captions is not 0, is
    // shown.
    virtual void present(const std::u16string& caption, CaptionSize show_captions) = 0;

    // One tick of the timeline after the given time; a new timer replaces the old one.
    virtual void set_timer(std::int32_t milliseconds) = 0;
    virtual void kill_timer() = 0;

    virtual void set_visible(bool visible) = 0;
    // Whether the viewer can see the window: shown, not minimised, and not sent behind
    // a window of the program that covers it whole. A show plays only while it is.
    virtual bool on_screen() const = 0;
    // Kept above every other window from the start of a show until it is stopped and
    // sent behind them.
    virtual void to_top() = 0;
    virtual void to_bottom() = 0;
    virtual void set_title(const std::u16string& title) = 0;
    // Closes and destroys the window; the timeline hears of it through
    // playback_window_destroyed.
    virtual void close_window() = 0;
};

}  // namespace lumivane

#pragma once
// A show played without a screen, on a clock that moves one video frame at a time.
// The timeline itself plays it, through its window and its clock just as the playback
// window and the real clock drive it on the screen, so every video frame is the picture
// the screen would show at that moment: one timeline, two clocks.
//
// A tick of the timeline runs at the first frame that is at least as late as the tick
// was due, less half a frame; ticks of a path or a transition (due 17 or 20 ms apart)
// so run at every frame, and a slide at rest stays until its delay is over. A show is
// played once through from its first slide, as if it ran on its own: a Manual show
// goes on by itself, and the video ends where a looping show would start again (the
// last slide shown for its delay).

#include <cstdint>
#include <memory>
#include <string>

#include "imaging/memory_bitmap.h"
#include "playback/pan_zoom.h"

namespace lumivane {

struct ColourTransform;
struct SlideShow;

class OffscreenPlayback {
public:
    // Plays a borrowed copy of show (show_borrow; its pictures must stay as they are
    // meanwhile) into a picture of width x height. motion is the sampling mode
    // (AppContext::motion). With to_srgb the pictures are converted by it slide by slide
    // as the show reaches them, and let go once it has passed them: at most three at a
    // time (the one shown, the one going and the next). Without pixels only the timing
    // is played, which is all counting the frames needs.
    OffscreenPlayback(const SlideShow& show, std::int32_t width, std::int32_t height, std::int32_t frames_per_second,
                      Motion motion, const ColourTransform* to_srgb = nullptr, bool pixels = true);
    ~OffscreenPlayback();
    OffscreenPlayback(const OffscreenPlayback&) = delete;
    OffscreenPlayback& operator=(const OffscreenPlayback&) = delete;

    // Starts the show: frame 0. True on failure (a show without slides, frames or
    // pictures that cannot be allocated), with the message.
    [[nodiscard]] bool start(std::u16string& message);
    // Moves on to the next frame; false once the show has been played through, and
    // when a picture cannot be converted (with the message).
    [[nodiscard]] bool next_frame(std::u16string& message);
    // Moves on to the next frame at which the timeline ticks, skipping frames that
    // only repeat the picture; false once the show has been played through.
    bool next_tick();

    std::int64_t frame() const;
    // The frames of the whole show, once known: from the tick that ends the last slide
    // on. -1 before.
    std::int64_t frame_count() const;

    // The frame's picture, 32-bit pixels top-down, without its caption.
    MemoryBitmap picture();
    // Whether the timeline has shown a new picture since the last call.
    bool take_changed();
    // The caption of the slide shown, and the show's caption size (0 for none).
    const std::u16string& caption() const;
    CaptionSize show_captions() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// How many frames the show lasts at the frame rate, played once through; -1 when it
// would last more than limit frames.
std::int64_t show_frame_count(const SlideShow& show, std::int32_t frames_per_second, std::int64_t limit);

}  // namespace lumivane

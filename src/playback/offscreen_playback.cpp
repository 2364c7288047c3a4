#include "playback/offscreen_playback.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "document/slide_show.h"
#include "imaging/colour_transform.h"
#include "platform/headless_ui.h"
#include "platform/translation.h"
#include "playback/playback_record.h"
#include "playback/playback_window.h"
#include "playback/timeline.h"

namespace lumivane {

namespace {

// The moment of a frame in whole milliseconds, rounded: the clock the timeline reads.
std::int64_t frame_time(std::int64_t frame, std::int32_t fps) { return (2000 * frame + fps) / (2 * fps); }

// The first frame no earlier than half a frame before the given moment.
std::int64_t first_frame_at(std::int64_t milliseconds, std::int32_t fps) {
    const std::int64_t twice = 2 * milliseconds * fps - 1000;
    return twice <= 0 ? 0 : (twice + 1999) / 2000;
}

}  // namespace

// The timeline's clock and its window, both played by the frame count.
struct OffscreenPlayback::State final : HeadlessUi, PlaybackWindow {
    State(const SlideShow& show, std::int32_t w, std::int32_t h, std::int32_t frames_per_second, Motion motion,
          const ColourTransform* to_srgb, bool pixels)
        : original(show),
          transform(to_srgb),
          motion(motion),
          fps(frames_per_second),
          width(pixels ? w : 1),
          height(pixels ? h : 1) {
        if (pixels) picture.resize(4 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        played = show_borrow(show);
        converted.resize(show.slides.size());
        // Once through, on its own, whatever the show's own mode.
        played.settings.autorun = AutorunMode::Run;
        played.settings.loop = 1;
    }

    // The clock and the messages.
    void message(const std::u16string&, const std::u16string& text) override {
        if (problem.empty()) problem = text;
    }
    std::int64_t now_milliseconds() override { return frame_time(frame, fps); }

    // The window.
    std::int32_t client_width() const override { return width; }
    std::int32_t client_height() const override { return height; }
    MemoryBitmap memory_bitmap() override {
        if (picture.empty()) return {nullptr, width, height, 0};
        return {picture.data(), width, height, 4 * std::int64_t{width}};
    }
    void present(const std::u16string& text, CaptionSize size) override {
        caption = text;
        show_captions = size;
        changed = true;
    }
    void set_timer(std::int32_t milliseconds) override {
        tick_frame = std::max(first_frame_at(now_milliseconds() + milliseconds, fps), frame + 1);
    }
    void kill_timer() override { tick_frame = -1; }
    void set_visible(bool) override {}
    bool on_screen() const override { return true; }
    void to_top() override {}
    void to_bottom() override {}
    void set_title(const std::u16string&) override {}
    void close_window() override {}

    // A tick draws the slide shown, the one going in a transition and the next one:
    // those are converted before it, the others let go. True when one cannot be.
    bool convert_pictures() {
        if (!transform) return false;
        const std::int32_t count = played.slide_count();
        const std::int32_t shown = playback.displayed_slide;
        const std::int32_t current = std::clamp(current_slide, 0, count - 1);
        for (std::int32_t i = 0; i < count; ++i) {
            const bool needed = i == shown || i == current || i == (current + 1) % count;
            ImageBuffer& own = converted[static_cast<std::size_t>(i)];
            ImageBuffer& image = played.slides[static_cast<std::size_t>(i)].image;
            if (!needed && !own.empty()) {
                image_free(own);
                image = image_borrow(original.slides[static_cast<std::size_t>(i)].image);
            } else if (needed && own.empty() && !image.empty()) {
                if (colour_transform_apply(image, own, transform)) {
                    image_free(own);
                    problem = Core::tr("Out of Memory");
                    return true;
                }
                image = image_borrow(own);
            }
        }
        return false;
    }

    bool tick() {
        if (convert_pictures()) return true;
        const bool on_last = current_slide == played.slide_count() - 1;
        playback_tick(player);
        note_end(on_last);
        return false;
    }

    // The tick that ends the last slide goes on to the first one: the show has been
    // played through once its timer would start the transition back.
    void note_end(bool was_on_last) {
        if (end_frame >= 0) return;
        const PlaybackState& pb = playback;
        if (!pb.running || tick_frame < 0) {
            end_frame = frame + 1;
        } else if (pb.restart_pending && was_on_last && current_slide == 0) {
            end_frame = tick_frame;
        }
    }

    const SlideShow& original;
    const ColourTransform* transform;
    std::vector<ImageBuffer> converted;  // the pictures converted by transform, by slide
    SlideShow played;  // the show borrowed, as the timeline plays it
    PlaybackState playback;
    std::int32_t current_slide = 0;
    const Motion motion;
    const FrameRate frame_rate = FrameRate::Fps60;  // the timer's cadence; the clock is the video's
    PlaybackRecord player{played,
                          playback,
                          current_slide,
                          *this,
                          motion,
                          frame_rate,
                          [this]() -> PlaybackWindow* {
                              playback_window_created(player, *this);
                              return this;
                          },
                          [](Change) {}};
    const std::int32_t fps;
    const std::int32_t width;
    const std::int32_t height;
    std::vector<std::uint8_t> picture;
    std::int64_t frame = 0;
    std::int64_t tick_frame = -1;  // the frame of the next tick; -1 while no timer is set
    std::int64_t end_frame = -1;   // the first frame past the show, once known
    std::u16string problem;
    std::u16string caption;
    CaptionSize show_captions = CaptionSize::None;
    bool changed = false;
};

OffscreenPlayback::OffscreenPlayback(const SlideShow& show, std::int32_t width, std::int32_t height,
                                     std::int32_t frames_per_second, Motion motion, const ColourTransform* to_srgb,
                                     bool pixels)
    : state_(std::make_unique<State>(show, width, height, frames_per_second, motion, to_srgb, pixels)) {}

OffscreenPlayback::~OffscreenPlayback() = default;

bool OffscreenPlayback::start(std::u16string& message) {
    State& s = *state_;
    if (s.played.slide_count() == 0) {
        message = Core::tr("The show has no slides");
        return true;
    }
    s.current_slide = 0;
    s.playback.from_black = true;
    const bool one_slide = s.played.slide_count() == 1;
    if (s.convert_pictures()) {
        message = s.problem;
        return true;
    }
    run_show(s.player);  // the first tick, at frame 0
    s.note_end(one_slide);
    if (!s.problem.empty() || !s.playback.window) {
        message = s.problem.empty() ? Core::tr("Cannot play the show") : s.problem;
        return true;
    }
    return false;
}

bool OffscreenPlayback::next_frame(std::u16string& message) {
    State& s = *state_;
    if (s.end_frame >= 0 && s.frame + 1 >= s.end_frame) return false;
    ++s.frame;
    if (s.tick_frame >= 0 && s.tick_frame <= s.frame && s.tick()) {
        message = s.problem;
        return false;
    }
    return true;
}

bool OffscreenPlayback::next_tick() {
    State& s = *state_;
    if (s.tick_frame < 0 || (s.end_frame >= 0 && s.tick_frame >= s.end_frame)) return false;
    s.frame = s.tick_frame;
    return !s.tick();
}

std::int64_t OffscreenPlayback::frame() const { return state_->frame; }

std::int64_t OffscreenPlayback::frame_count() const { return state_->end_frame; }

MemoryBitmap OffscreenPlayback::picture() { return state_->memory_bitmap(); }

bool OffscreenPlayback::take_changed() { return std::exchange(state_->changed, false); }

const std::u16string& OffscreenPlayback::caption() const { return state_->caption; }

CaptionSize OffscreenPlayback::show_captions() const { return state_->show_captions; }

std::int64_t show_frame_count(const SlideShow& show, std::int32_t frames_per_second, std::int64_t limit) {
    OffscreenPlayback playback(show, 1, 1, frames_per_second, Motion::Exact, nullptr, false);
    std::u16string message;
    if (playback.start(message)) return 0;
    while (playback.frame_count() < 0 && playback.frame() < limit && playback.next_tick()) {
    }
    const std::int64_t count = playback.frame_count();
    return count < 0 || count > limit ? -1 : count;
}

}  // namespace lumivane

#pragma once
// A playback window that records what the timeline asks of it.

#include <functional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "playback/playback_window.h"
#include "playback/timeline.h"

namespace lumivane::testing {

class FakePlaybackWindow : public PlaybackWindow {
public:
    FakePlaybackWindow(std::int32_t width, std::int32_t height)
        : width_(width), height_(height), picture_(4 * static_cast<std::size_t>(width) * height) {}

    std::int32_t client_width() const override { return width_; }
    std::int32_t client_height() const override { return height_; }
    MemoryBitmap memory_bitmap() override { return {picture_.data(), width_, height_, 4 * std::int64_t{width_}}; }
    void present(const std::u16string& caption, CaptionSize) override {
        presented.push_back(caption);
        if (on_present) on_present();
    }
    void set_timer(std::int32_t milliseconds) override {
        timer = milliseconds;
        timers.push_back(milliseconds);
    }
    void kill_timer() override { timer = -1; }
    void set_visible(bool v) override { visible = v; }
    bool on_screen() const override { return seen; }
    void to_top() override { placement.push_back(u"top"); }
    void to_bottom() override { placement.push_back(u"bottom"); }
    void set_title(const std::u16string& t) override { title = t; }
    void close_window() override { closed = true; }

    // The pixel shown at (x, y) from the top-left, as blue, green, red.
    std::vector<int> pixel(std::int32_t x, std::int32_t y) const {
        const std::uint8_t* p = picture_.data() + 4 * (static_cast<std::size_t>(y) * width_ + x);
        return {p[0], p[1], p[2]};
    }
    // The whole picture shown, as 32-bit pixels top-down.
    const std::vector<std::uint8_t>& picture() const { return picture_; }

    std::vector<std::u16string> presented;  // the caption of every picture shown
    std::vector<std::int32_t> timers;
    std::int32_t timer = -1;  // the timer now set, -1 for none
    std::vector<std::u16string> placement;
    bool visible = false;
    bool seen = true;  // what on_screen answers
    bool closed = false;
    std::u16string title;
    std::function<void()> on_present;  // runs as each picture is shown, as if showing took time

private:
    std::int32_t width_;
    std::int32_t height_;
    std::vector<std::uint8_t> picture_;
};

}  // namespace lumivane::testing

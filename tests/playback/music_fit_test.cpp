#include "playback/music_fit.h"

#include <gtest/gtest.h>

#include <cmath>

#include "document/slide_show.h"
#include "playback/show_clock.h"

namespace lumivane {
namespace {

// A show of slides, each given by its key frames' delays, with transitions of the given
// time (none for 0) and speed.
SlideShow show_of(const std::vector<std::vector<double>>& slides, double transition = 0.0, std::int32_t speed = 0) {
    SlideShow show;
    show.settings.transition = transition > 0.0 ? TransitionKind::Crossfade : TransitionKind::None;
    show.settings.transition_time = transition;
    set_speed(show, speed);
    for (const std::vector<double>& delays : slides) {
        Slide slide;
        for (const double delay : delays) slide.frames.push_back({delay, 0.0, 0.0, 1.0, 1.0});
        show.slides.push_back(std::move(slide));
    }
    return show;
}

std::vector<double> delays_of(const SlideShow& show) {
    std::vector<double> delays;
    for (const Slide& slide : show.slides) {
        for (const PanFrame& frame : slide.frames) delays.push_back(frame.delay);
    }
    return delays;
}

TEST(MusicFit, FitScalesThePicturesTimesToTheMusic) {
    struct Case {
        const char* name;
        SlideShow show;
        double seconds;
        bool fails;
        std::vector<double> delays;  // every key frame's, after
    };
    Case cases[] = {
        {"still pictures", show_of({{2}, {4}, {6}}), 24, false, {4, 8, 12}},
        {"the crossfades keep their time", show_of({{1}, {3}}, 1.0), 10, false, {2, 6}},
        {"at 2 X the delays are twice the clock's", show_of({{2}, {2}}, 0.0, 1), 6, false, {6, 6}},
        {"a path's segments alike, its last key frame's delay unused", show_of({{1, 3, 7}, {4}}), 16, false,
         {2, 6, 7, 8}},
        {"no picture time yet: shared equally", show_of({{0}, {0}}), 3, false, {1.5, 1.5}},
        {"music shorter than the transitions", show_of({{1}, {1}, {1}}, 2.0), 5, true, {1, 1, 1}},
    };
    for (Case& c : cases) {
        EXPECT_EQ(fit_slides_to_length(c.show, c.seconds), c.fails) << c.name;
        EXPECT_EQ(delays_of(c.show), c.delays) << c.name;
        if (!c.fails) {
            EXPECT_NEAR(show_seconds(c.show), c.seconds, 1e-9) << c.name;
        }
    }
    // The delays keep 4 decimals, and the rounding does not add up over many slides.
    SlideShow many = show_of(std::vector<std::vector<double>>(1000, {3.0}), 0.5);
    ASSERT_FALSE(fit_slides_to_length(many, 1234.5678));
    EXPECT_NEAR(show_seconds(many), 1234.5678, 1e-4);
    for (const double delay : delays_of(many)) EXPECT_DOUBLE_EQ(delay, std::round(delay * 1e4) / 1e4);
}

TEST(MusicFit, SnapMovesEachSlideChangeToTheNearestBeat) {
    struct Case {
        const char* name;
        SlideShow show;
        std::vector<double> beats;
        bool fails;
        std::vector<double> starts;  // every slide's, then the show's end
    };
    Case cases[] = {
        {"nearest, earlier or later", show_of({{2}, {2}, {2}}), {0.3, 0.8, 1.3, 1.8, 2.3, 3.8, 4.1}, false,
         {0, 1.8, 4.1, 6.1}},
        {"no earlier than the transition and a tenth of a second of picture", show_of({{0.5}, {1}}, 1.0), {0.5, 3.0},
         false, {0, 3.0, 5.0}},
        {"beats end early: the change stays", show_of({{2}, {2}}), {0.5}, false, {0, 2, 4}},
        {"no beats", show_of({{2}, {2}}), {}, true, {0, 2, 4}},
    };
    for (Case& c : cases) {
        EXPECT_EQ(snap_slides_to_beats(c.show, c.beats), c.fails) << c.name;
        for (std::size_t i = 0; i < c.starts.size(); ++i) {
            EXPECT_NEAR(slide_start_seconds(c.show, static_cast<std::int32_t>(i)), c.starts[i], 1e-9)
                << c.name << ", slide " << i;
        }
    }
}

}  // namespace
}  // namespace lumivane

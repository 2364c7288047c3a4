#include "playback/offscreen_playback.h"

#include <gtest/gtest.h>

#include "document/slide_show.h"

namespace lumivane {
namespace {

// A show of small grey slides, each with the key frame delays given (two or more make
// a path), no transition, looping, on its own.
SlideShow grey_show(const std::vector<std::vector<double>>& delays) {
    SlideShow show;
    show.settings.transition = TransitionKind::None;
    show.settings.autorun = AutorunMode::Run;
    show.settings.loop = 1;
    for (const std::vector<double>& frames : delays) {
        Slide slide;
        slide.style = frames.size() >= 2 ? SlideStyle::Path : SlideStyle::Fit;
        for (const double delay : frames) slide.frames.push_back({delay, 0.0, 0.0, 1.0, 1.0});
        ImageBuffer image;
        EXPECT_FALSE(image_allocate(image, PixelFormat::Colour8, 16, 9, 72.0));
        slide.picture = picture_in_memory(std::move(image));
        show.slides.push_back(std::move(slide));
    }
    return show;
}

TEST(OffscreenPlayback, AShowIsPlayedOnceThroughOnItsOwnWithItsLastSlideForItsDelay) {
    struct Case {
        const char* name;
        SlideShow show;
        std::int32_t fps;
        std::int64_t frames;
        std::vector<std::int64_t> new_pictures;  // the frames that show a new picture; empty: every frame
    };
    std::vector<Case> cases;
    // Each slide's second begins at the frame of its tick: 1000 ms is frame 30.
    cases.push_back({"two slides of 1 s", grey_show({{1.0}, {1.0}}), 30, 60, {0, 30}});
    cases.push_back({"at 24 frames a second", grey_show({{1.0}, {1.0}}), 24, 48, {0, 24}});
    SlideShow once = grey_show({{1.0}, {1.0}});
    once.settings.loop = 0;
    cases.push_back({"not looping: the last slide still shown for its delay", std::move(once), 30, 60, {0, 30}});
    SlideShow manual = grey_show({{1.0}, {1.0}});
    manual.settings.autorun = AutorunMode::Manual;
    cases.push_back({"Manual, as if it ran on its own", std::move(manual), 30, 60, {0, 30}});
    SlideShow fast = grey_show({{2.0}, {2.0}});
    set_speed(fast, 2);
    cases.push_back({"4 X", std::move(fast), 30, 30, {0, 15}});
    // The crossfade from black makes a picture at every frame up to the first past 0.5 s
    // (13, at 520 ms); the slide rests 2 s from the crossfade's end on the show's clock,
    // not from that frame: 2500 ms is frame 62, half a frame early.
    SlideShow faded = grey_show({{2.0}});
    faded.settings.transition = TransitionKind::Crossfade;
    faded.settings.transition_time = 0.5;
    cases.push_back({"one slide with a crossfade", std::move(faded), 25, 62, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}});
    // A path of 1 s moves at every frame to its end at frame 30 (60 at 60 a second); the
    // transition back would start one tick later.
    cases.push_back({"a path", grey_show({{1.0, -1.0}}), 30, 31, {}});
    cases.push_back({"a path at 60 a second", grey_show({{1.0, -1.0}}), 60, 61, {}});

    for (Case& c : cases) {
        EXPECT_EQ(show_frame_count(c.show, c.fps, 100000), c.frames) << c.name;
        EXPECT_EQ(show_frame_count(c.show, c.fps, c.frames - 1), -1) << c.name;  // longer than allowed

        OffscreenPlayback playback(c.show, 32, 18, c.fps, Motion::Exact);
        std::u16string message;
        ASSERT_FALSE(playback.start(message)) << c.name;
        std::vector<std::int64_t> new_pictures;
        std::int64_t frames = 1;
        do {
            if (playback.take_changed()) new_pictures.push_back(playback.frame());
        } while (playback.next_frame(message) && ++frames);
        EXPECT_EQ(frames, c.frames) << c.name;
        EXPECT_EQ(playback.frame_count(), c.frames) << c.name;
        if (c.new_pictures.empty()) {
            EXPECT_EQ(static_cast<std::int64_t>(new_pictures.size()), c.frames) << c.name;
        } else {
            EXPECT_EQ(new_pictures, c.new_pictures) << c.name;
        }
    }
}

TEST(OffscreenPlayback, AShowWithoutSlidesDoesNotStart) {
    OffscreenPlayback playback(SlideShow{}, 32, 18, 30, Motion::Exact);
    std::u16string message;
    EXPECT_TRUE(playback.start(message));
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(show_frame_count(SlideShow{}, 30, 1000), 0);
}

}  // namespace
}  // namespace lumivane

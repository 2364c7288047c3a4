#include "playback/timeline.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/app_context.h"
#include "app/motion_setting.h"
#include "imaging/memory_bitmap.h"
#include "playback/show_clock.h"
#include "support/fake_playback_window.h"
#include "support/jpeg_files.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::FakePlaybackWindow;
using testing::RecordingUi;

struct SlideSpec {
    std::vector<PanFrame> frames;
    std::uint8_t grey;  // every pixel of its picture
};

// A show of small solid pictures, each slide captioned with its number, and a fake
// window whose ticks the test runs by hand on a fake clock.
struct Player {
    RecordingUi ui;
    AppContext context{ui};
    std::unique_ptr<FakePlaybackWindow> window;

    explicit Player(const std::vector<SlideSpec>& slides, std::int32_t width = 32, std::int32_t height = 18) {
        ShowSettings& s = context.show.settings;
        s.transition = TransitionKind::None;
        s.transition_time = 1.0;
        s.default_delay = 3.0;
        s.autorun = AutorunMode::Run;
        s.loop = 1;
        for (std::size_t i = 0; i < slides.size(); ++i) {
            Slide slide;
            slide.caption = u"slide " + std::u16string(1, static_cast<char16_t>(u'0' + i));
            slide.style = slides[i].frames.size() >= 2 ? SlideStyle::Path : SlideStyle::Fit;
            slide.frames = slides[i].frames;
            ImageBuffer image;
            EXPECT_FALSE(image_allocate(image, PixelFormat::Colour8, 16, 9, 72.0));
            for (std::uint8_t* row : image.rows) std::fill(row, row + 48, slides[i].grey);
            slide.picture = picture_in_memory(std::move(image));
            context.show.slides.push_back(std::move(slide));
        }
        ui.playback_window_factory = [this, width, height] {
            window = std::make_unique<FakePlaybackWindow>(width, height);
            playback_window_created(context.player, *window);
            return window.get();
        };
    }

    // Advances the clock to the running timer's end and runs its tick.
    void next_tick() {
        ASSERT_GE(window->timer, 0) << "no timer is set";
        ui.clock += window->timer;
        playback_tick(context.player);
    }
    const std::u16string& shown() const { return window->presented.back(); }
    int centre_grey() const { return window->pixel(16, 9)[0]; }
};

PanFrame still(double delay) { return {delay, 0.0, 0.0, 1.0, 1.0}; }

TEST(Timeline, TimerPeriods) {
    EXPECT_EQ(timer_milliseconds(1.0 / 60), 17);
    EXPECT_EQ(timer_milliseconds(1.0 / 50), 20);
    EXPECT_EQ(timer_milliseconds(0.0), 0);
    EXPECT_EQ(timer_milliseconds(0.0005), 1);
    EXPECT_EQ(timer_milliseconds(-2.0), 0);     // a negative delay from a file
    EXPECT_GT(timer_milliseconds(1e12), 0);     // an absurd one does not wrap
}

TEST(Timeline, SpeedDividesDelaysButNotTransitions) {
    Player p({{{still(2.0)}, 50}, {{still(2.0)}, 200}});
    p.context.show.settings.transition = TransitionKind::Crossfade;
    set_speed(p.context.show, 2);  // 4 X
    run_show(p.context.player);
    ASSERT_TRUE(p.context.playback.running);
    EXPECT_EQ(p.window->timer, 17);  // the transition from black plays at 60 frames a second
    EXPECT_EQ(p.window->placement.back(), u"top");
    EXPECT_TRUE(p.window->visible);

    // The one-second transition takes one second of the clock at any speed. A tick that
    // comes late shows the last moment of the beat it missed; the next is due on the
    // same beat, its last picture at 1000 ms.
    p.ui.clock += 990;
    playback_tick(p.context.player);
    EXPECT_EQ(p.window->timer, 10);
    EXPECT_TRUE(p.context.playback.in_transition);
    p.next_tick();
    EXPECT_TRUE(p.context.playback.in_transition);
    p.next_tick();
    // Its end shows slide 0 at rest for 2 s / 4 and prepares the next transition. The
    // 500 ms count from where the show's clock ended the transition, at 1000 ms, not
    // from the tick that showed it, at 1017.
    EXPECT_EQ(p.window->timer, 500 - 17);
    EXPECT_EQ(p.shown(), u"slide 0");
    EXPECT_EQ(p.centre_grey(), 50);
    EXPECT_EQ(p.context.current_slide, 1);
    p.next_tick();  // the crossfade towards slide 1 starts
    EXPECT_EQ(p.window->timer, 17);
    p.ui.clock += 500;
    playback_tick(p.context.player);  // halfway
    EXPECT_NEAR(p.centre_grey(), 125, 2);
}

TEST(Timeline, NegativeDelaysTakeTheDefaultAndZeroIsNoWait) {
    Player p({{{still(-1.0)}, 10}, {{still(0.0)}, 20}});
    p.context.show.settings.default_delay = 3.0;
    run_show(p.context.player);
    EXPECT_EQ(p.window->timer, 3000);
    EXPECT_EQ(p.shown(), u"slide 0");
    p.next_tick();
    EXPECT_EQ(p.shown(), u"slide 1");
    EXPECT_EQ(p.window->timer, 0);
}

TEST(Timeline, WithoutLoopTheShowStopsAfterItsLastSlide) {
    Player p({{{still(1.0)}, 10}, {{still(1.0)}, 20}});
    p.context.show.settings.loop = 0;
    run_show(p.context.player);
    p.next_tick();
    EXPECT_EQ(p.shown(), u"slide 1");
    // Slide 1 has ended at its first picture (no transition): the show stops.
    EXPECT_FALSE(p.context.playback.running);
    EXPECT_EQ(p.window->timer, -1);
    EXPECT_EQ(p.window->placement.back(), u"bottom");
    EXPECT_EQ(p.context.current_slide, 1);
    EXPECT_EQ(p.centre_grey(), 20);  // drawn at rest
}

TEST(Timeline, ManualModePlaysOneSlideAndStops) {
    Player p({{{still(1.0)}, 10}, {{{1.0, 0, 0, 1, 1}, {1.0, 0.25, 0.25, 0.75, 0.75}}, 90}});
    p.context.show.settings.autorun = AutorunMode::Manual;
    p.context.show.settings.transition = TransitionKind::FadeToBlack;
    p.context.show.settings.transition_time = 0.5;
    p.context.current_slide = 1;
    run_show(p.context.player);
    int ticks = 0;
    while (p.context.playback.running && ticks < 1000) {
        p.next_tick();
        ++ticks;
    }
    // 0.5 s of transition and 1 s of path at 17 ms a picture, then it stops in place.
    EXPECT_GT(ticks, 80);
    EXPECT_LT(ticks, 95);
    EXPECT_FALSE(p.context.playback.running);
    EXPECT_EQ(p.window->timer, -1);
    EXPECT_EQ(p.window->placement.back(), u"top");  // kept in place
    EXPECT_EQ(p.context.current_slide, 1);
    EXPECT_EQ(p.shown(), u"slide 1");
    EXPECT_EQ(p.context.playback.key_frame, 0);  // at rest at its first key frame
}

TEST(Timeline, TicksKeepTheirCadenceHoweverLongTheirWorkTakes) {
    Player p({{{{1.0, 0, 0, 1, 1}, {1.0, 0.25, 0.25, 0.75, 0.75}}, 90}});  // a path: ticks at 60 a second
    run_show(p.context.player);
    p.window->on_present = [&p] { p.ui.clock += 10; };
    // Each tick is due 1000 / 60 ms after the last one was, not after its work: the
    // waits after 10 ms of work round the 6.67 ms left up to whole milliseconds.
    const std::int32_t waits[] = {7, 6, 7, 7, 6};
    for (const std::int32_t wait : waits) {
        p.next_tick();
        EXPECT_EQ(p.window->timer, wait);
    }
    // A tick 5 ms late keeps the beat; one more than a period late skips the moment it
    // missed instead of hurrying the next one or shifting the beat.
    p.ui.clock += p.window->timer + 5;
    playback_tick(p.context.player);
    EXPECT_EQ(p.window->timer, 2);
    // Due at 116.67 ms, run at 137: the picture is the one for 133.33, the next due at
    // 150 (a new beat from 137 would wait until 153.67).
    p.ui.clock += p.window->timer + 20;
    playback_tick(p.context.player);
    EXPECT_EQ(p.window->timer, 3);
}

TEST(Timeline, BlackingOutPausesTheShowAndTheNextSlideComesFromBlack) {
    Player p({{{still(1.0)}, 60}, {{still(1.0)}, 200}});
    p.context.show.settings.transition = TransitionKind::Crossfade;
    run_show(p.context.player);
    p.ui.clock += 1100;
    playback_tick(p.context.player);  // slide 0 at rest
    ASSERT_EQ(p.centre_grey(), 60);
    for (const char16_t key : {u'b', u'.'}) {
        playback_character(p.context.player, key);
        EXPECT_FALSE(p.context.playback.running);
        EXPECT_EQ(p.centre_grey(), key == u'b' ? 0 : 60) << static_cast<char>(key);
        EXPECT_EQ(p.shown(), key == u'b' ? u"" : u"slide 0");
    }
    playback_character(p.context.player, u'B');
    playback_key_down(p.context.player, PlaybackKey::Right);  // a remote's Page Down
    EXPECT_TRUE(p.context.playback.running);
    p.ui.clock += 500;
    playback_tick(p.context.player);  // halfway from black to slide 1
    EXPECT_NEAR(p.centre_grey(), 100, 2);
}

TEST(Timeline, AWindowThatDrawsItselfIsToldWhatTheProcessorWouldDraw) {
    Player p({{{still(1.0)}, 60}, {{{1.0, 0, 0, 1, 1}, {1.0, 0.25, 0.25, 0.75, 0.75}}, 200}});
    p.context.show.settings.transition = TransitionKind::Crossfade;
    p.context.current_slide = 1;
    p.ui.playback_window_factory = [&p] {
        p.window = std::make_unique<FakePlaybackWindow>(32, 18);
        p.window->scenes = true;
        playback_window_created(p.context.player, *p.window);
        return p.window.get();
    };
    run_show(p.context.player);
    const PlaybackScene& scene = p.window->scene;
    struct Step {
        const char* what;
        std::int32_t advance;  // milliseconds before the tick
        TransitionKind transition;
        std::int32_t outgoing, incoming, shown;  // slides, -1 black
        double progress;                         // the transition's, or the shown slide's path
    };
    const Step steps[] = {
        {"the crossfade from the picture shown, halfway", 500, TransitionKind::Crossfade, 1, 1, -1, 0.5},
        {"its end: the path starts", 520, TransitionKind::None, -1, -1, 1, 0.0},
        {"the path halfway", 500, TransitionKind::None, -1, -1, 1, 0.5},
    };
    for (const Step& step : steps) {
        p.ui.clock += step.advance;
        playback_tick(p.context.player);
        EXPECT_EQ(scene.transition, step.transition) << step.what;
        if (step.transition != TransitionKind::None) {
            EXPECT_EQ(scene.outgoing.slide, step.outgoing) << step.what;
            EXPECT_EQ(scene.incoming.slide, step.incoming) << step.what;
            EXPECT_NEAR(scene.progress, step.progress, 0.02) << step.what;
        } else {
            EXPECT_EQ(scene.shown.slide, step.shown) << step.what;
            EXPECT_NEAR(scene.shown.progress, step.progress, 0.02) << step.what;
        }
    }
    EXPECT_TRUE(p.window->outgoing.pixels == nullptr || p.window->outgoing.image_size == 0);  // no frames made
    playback_character(p.context.player, u'b');
    EXPECT_EQ(scene.shown.slide, -1);  // blacked out
}

// Paints a picture with a gradient, so that every crop of it looks different.
// The slide's picture becomes a 16 x 9 gradient.
void paint_gradient(Slide& slide) {
    ImageBuffer image;
    EXPECT_FALSE(image_allocate(image, PixelFormat::Colour8, 16, 9, 72.0));
    for (std::int32_t y = 0; y < image.height; ++y) {
        for (std::int32_t x = 0; x < image.width; ++x) {
            std::uint8_t* pixel = image.rows[static_cast<std::size_t>(y)] + 3 * x;
            pixel[0] = static_cast<std::uint8_t>(16 * x);
            pixel[1] = static_cast<std::uint8_t>(28 * y);
            pixel[2] = static_cast<std::uint8_t>(8 * (x + y));
        }
    }
    slide.picture = picture_in_memory(std::move(image));
}

TEST(Timeline, APathEndsWhereTheViewerLastSawIt) {
    struct Case {
        const char* what;
        AutorunMode autorun;
        std::int32_t loop;
        TransitionKind transition;
    };
    const Case cases[] = {
        {"the transition to the next slide", AutorunMode::Run, 1, TransitionKind::Crossfade},
        {"the stop at the end of a slide in Manual mode", AutorunMode::Manual, 1, TransitionKind::None},
        {"the stop at the end of the show", AutorunMode::Run, 0, TransitionKind::None},
    };
    for (const Case& c : cases) {
        Player p({{{still(1.0)}, 200}, {{{1.0, 0, 0, 1, 1}, {1.0, 0.5, 0.5, 1, 1}}, 0}});
        paint_gradient(p.context.show.slides[1]);
        p.context.show.settings.autorun = c.autorun;
        p.context.show.settings.loop = c.loop;
        p.context.show.settings.transition = c.transition;
        p.context.current_slide = 1;
        run_show(p.context.player);

        FrameBitmap path_end, path_start;
        ASSERT_FALSE(frame_create(path_end, 32, 18));
        ASSERT_FALSE(frame_create(path_start, 32, 18));
        EXPECT_FALSE(render_slide_frame(p.context.show, 1, 1, 0.0, Motion::Exact, path_end));
        EXPECT_FALSE(render_slide_frame(p.context.show, 1, 0, 0.0, Motion::Exact, path_start));
        std::vector<std::uint8_t> shown_end(4 * 32 * 18);
        MemoryBitmap end_picture{shown_end.data(), 32, 18, 4 * 32};
        EXPECT_FALSE(frame_draw(end_picture, path_end));

        for (int ticks = 0; ticks < 1000 && p.context.playback.running; ++ticks) {
            p.next_tick();
            // The transition is prepared again as it starts playing.
            const PlaybackState& pb = p.context.playback;
            if (p.context.current_slide == 0 && pb.in_transition && !pb.restart_pending) break;
        }
        if (c.transition != TransitionKind::None) {
            ASSERT_TRUE(p.context.playback.in_transition) << c.what;
            EXPECT_EQ(0, std::memcmp(p.window->outgoing.pixels.get(), path_end.pixels.get(), path_end.image_size))
                << c.what;
            ASSERT_NE(0, std::memcmp(path_start.pixels.get(), path_end.pixels.get(), path_end.image_size));
        } else {
            ASSERT_FALSE(p.context.playback.running) << c.what;
            EXPECT_EQ(p.window->picture(), shown_end) << c.what;
        }
    }
}

TEST(Timeline, OneSlideWithLoopFollowsItself) {
    Player p({{{still(2.0)}, 77}});
    p.context.show.settings.transition = TransitionKind::Crossfade;
    run_show(p.context.player);
    for (int i = 0; i < 200; ++i) p.next_tick();
    EXPECT_TRUE(p.context.playback.running);
    EXPECT_EQ(p.context.current_slide, 0);
    // A transition from itself to itself shows the same picture throughout.
    EXPECT_EQ(p.centre_grey(), 77);
    EXPECT_FALSE(p.context.playback.from_black);
}

TEST(Timeline, ArrowKeysRepositionARunningShowOtherKeysStopIt) {
    Player p({{{still(5.0)}, 10}, {{still(5.0)}, 20}, {{still(5.0)}, 30}});
    run_show(p.context.player);
    ASSERT_TRUE(p.context.playback.running);
    playback_key_down(p.context.player, PlaybackKey::Right);
    EXPECT_TRUE(p.context.playback.running);
    EXPECT_EQ(p.shown(), u"slide 1");
    playback_key_down(p.context.player, PlaybackKey::End);
    EXPECT_TRUE(p.context.playback.running);
    EXPECT_EQ(p.context.playback.displayed_slide, 2);
    playback_key_down(p.context.player, PlaybackKey::Right);  // past the end: slide 0
    EXPECT_EQ(p.shown(), u"slide 0");
    playback_key_down(p.context.player, PlaybackKey::Left);   // before the start: the last slide
    EXPECT_EQ(p.shown(), u"slide 2");
    playback_key_down(p.context.player, PlaybackKey::Other);
    EXPECT_FALSE(p.context.playback.running);
    EXPECT_EQ(p.window->timer, -1);

    playback_character(p.context.player, u' ');
    EXPECT_EQ(p.window->placement.back(), u"bottom");
    playback_character(p.context.player, u'\x1b');
    EXPECT_TRUE(p.window->closed);
}

TEST(Timeline, RightArrowTransitionsFromTheSlideLeftArrowFromBlack) {
    Player p({{{still(5.0)}, 100}, {{still(5.0)}, 200}});
    p.context.show.settings.autorun = AutorunMode::Manual;
    p.context.show.settings.transition = TransitionKind::Crossfade;
    run_show(p.context.player);
    while (p.context.playback.running) p.next_tick();
    playback_key_down(p.context.player, PlaybackKey::Right);
    p.ui.clock += 500;
    playback_tick(p.context.player);  // halfway from slide 0 to slide 1
    EXPECT_NEAR(p.centre_grey(), 150, 2);
    while (p.context.playback.running) p.next_tick();
    playback_key_down(p.context.player, PlaybackKey::Left);
    p.ui.clock += 500;
    playback_tick(p.context.player);  // halfway from black to slide 0
    EXPECT_NEAR(p.centre_grey(), 50, 2);
}

TEST(Timeline, AShowWithoutSlidesDoesNothing) {
    Player p({});
    run_show(p.context.player);
    ASSERT_NE(p.window, nullptr);
    EXPECT_FALSE(p.window->visible);
    EXPECT_FALSE(p.context.playback.running);
    EXPECT_EQ(p.window->timer, -1);
    playback_key_down(p.context.player, PlaybackKey::End);
    playback_double_click(p.context.player);
    playback_mouse_wheel(p.context.player, 120);
    EXPECT_FALSE(p.context.playback.running);
}

TEST(Timeline, ManualModeMouseEditsTheCropBox) {
    Player p({{{still(5.0)}, 10}}, 64, 36);
    p.context.show.settings.autorun = AutorunMode::Manual;
    p.context.show.slides[0].frames[0] = {5.0, 0.25, 0.25, 0.75, 0.75};
    run_show(p.context.player);
    playback_mouse_move(p.context.player, 30, 18);
    EXPECT_EQ(p.ui.cursors.back(), CursorShape::Hand);
    playback_mouse_press(p.context.player, 40, 18);
    playback_mouse_move(p.context.player, 30, 18);  // ten pixels to the left
    const PanFrame& box = p.context.show.slides[0].frames[0];
    EXPECT_EQ(p.context.show.slides[0].style, SlideStyle::Crop);
    EXPECT_TRUE(p.context.show.modified);
    EXPECT_NEAR(box.left, 0.25 + 10.0 / 63, 1e-9);  // the picture follows the pointer
    EXPECT_NEAR(box.right - box.left, 0.5, 1e-9);
    p.context.show.modified = false;
    playback_mouse_move(p.context.player, 35, 18);  // a drag of a cropped slide marks the show too
    EXPECT_TRUE(p.context.show.modified);
    playback_mouse_release(p.context.player);
    playback_mouse_wheel(p.context.player, 120);  // zoom in
    EXPECT_NEAR(box.right - box.left, 0.5 * 0.97, 1e-9);

    // Outside Manual mode the pointer hides near the edges and a click stops the show.
    p.context.show.settings.autorun = AutorunMode::Run;
    playback_mouse_move(p.context.player, 3, 18);
    EXPECT_EQ(p.ui.cursors.back(), CursorShape::None);
    playback_mouse_move(p.context.player, 30, 30);
    EXPECT_EQ(p.ui.cursors.back(), CursorShape::None);
    playback_mouse_move(p.context.player, 30, 18);
    EXPECT_EQ(p.ui.cursors.back(), CursorShape::Arrow);
    run_show(p.context.player);
    ASSERT_TRUE(p.context.playback.running);
    playback_mouse_press(p.context.player, 30, 18);
    EXPECT_FALSE(p.context.playback.running);
}

TEST(Timeline, WindowSizes) {
    RecordingUi ui;
    AppContext context(ui);
    context.show.settings.proportions_width = 16;
    context.show.settings.proportions_height = 9;
    struct Case {
        std::int32_t size;
        std::int32_t width, height;
    };
    // On a 1920 x 1200 screen: size k is (100 - 10 k) % of it, cut to 16 : 9.
    const Case cases[] = {{0, 1920, 1200}, {1, 1728, 972},  {2, 1536, 864}, {3, 1344, 756}, {4, 1152, 648},
                          {5, 960, 540},   {6, 768, 432},   {7, 576, 324},  {8, 384, 216},  {9, 1920, 1200},
                          {-1, 1920, 1200}};
    for (const Case& c : cases) {
        context.show.settings.size = c.size;
        const ClientSize size = playback_client_size(context.show.settings, 1920, 1200);
        EXPECT_EQ(size.width, c.width) << c.size;
        EXPECT_EQ(size.height, c.height) << c.size;
    }
    // A tall show on a wide screen is held by the screen's height.
    context.show.settings.size = 1;
    context.show.settings.proportions_width = 3;
    context.show.settings.proportions_height = 4;
    const ClientSize tall = playback_client_size(context.show.settings, 1920, 1080);
    EXPECT_EQ(tall.height, 972);
    EXPECT_EQ(tall.width, 972 * 3 / 4);
}

// Switching the motion makes or frees the slides' levels and shows the picture on the
// screen, and a running transition's ends, made again in the new motion at once.
TEST(Timeline, SwitchingTheMotionRedrawsWithoutReloading) {
    Player p({{{still(1.0)}, 10}, {{{1.0, 0, 0, 1, 1}, {1.0, 0.3, 0.2, 0.8, 0.9}}, 90}}, 64, 36);
    p.context.show.settings.transition = TransitionKind::Crossfade;
    for (Slide& slide : p.context.show.slides) {
        ImageBuffer image;
        ASSERT_FALSE(image_allocate(image, PixelFormat::Colour8, 301, 199, 72.0));
        for (std::int32_t y = 0; y < 199; ++y) {
            std::uint8_t* row = image.rows[static_cast<std::size_t>(y)];
            for (std::int32_t x = 0; x < 3 * 301; ++x) row[x] = static_cast<std::uint8_t>(x * y / 7);
        }
        slide.picture = picture_in_memory(std::move(image));
    }
    const auto rendered = [&](Motion motion) {
        std::vector<std::uint8_t> pixels(p.window->picture().size());
        MemoryBitmap picture{pixels.data(), 64, 36, 4 * 64};
        const PlaybackState& pb = p.context.playback;
        EXPECT_FALSE(render_slide_picture(p.context.show, pb.displayed_slide, pb.shown_key_frame, pb.shown_progress,
                                          motion, picture));
        return pixels;
    };
    p.context.current_slide = 1;
    run_show(p.context.player);
    p.ui.clock += 1100;
    playback_tick(p.context.player);  // the path, a little way in
    stop_show(p.context.player, true);
    ASSERT_EQ(p.window->picture(), rendered(Motion::Exact));

    const std::size_t shown = p.window->presented.size();
    set_motion(p.context, Motion::Smooth);
    EXPECT_EQ(p.window->picture(), rendered(Motion::Smooth));
    EXPECT_NE(rendered(Motion::Smooth), rendered(Motion::Exact));
    EXPECT_EQ(p.window->presented.size(), shown + 1);
    EXPECT_TRUE(p.ui.boxes.empty());

    // A transition plays between pictures rendered in the motion of the moment.
    run_show(p.context.player);
    ASSERT_TRUE(p.context.playback.in_transition);
    for (const Motion motion : {Motion::Smooth, Motion::Exact}) {
        if (motion != p.context.motion) {
            set_motion(p.context, motion);
        }
        FrameBitmap incoming;
        ASSERT_FALSE(frame_create(incoming, 64, 36));
        ASSERT_FALSE(render_slide_frame(p.context.show, p.context.current_slide, 0, 0.0, motion, incoming));
        EXPECT_TRUE(std::equal(incoming.pixels.get(), incoming.pixels.get() + incoming.image_size,
                               p.window->incoming.pixels.get()));
    }

    // A program that sets the motion itself gets a slide's levels when it is shown.
    p.context.motion = Motion::Smooth;
    draw_current_slide(p.context.player);
    EXPECT_EQ(p.window->picture(), rendered(Motion::Smooth));
}

// A file gone since the show was opened leaves its slides black with their captions
// while the show goes on; the user gets one notice for the file each time the show is
// run, however many slides show it, and no box that would hold the show.
TEST(Timeline, AFileGoneIsToldOncePerRunWithoutStoppingTheShow) {
    testing::TempFolder folder;
    for (const char* name : {"kept.jpg", "gone.jpg"}) {
        testing::write_jpeg(folder.native_file(name), 16, 9, false, [](int, int, int) { return std::uint8_t{200}; });
    }
    Player p({{{still(1.0)}, 0}, {{still(1.0)}, 0}, {{still(1.0)}, 0}});
    const std::u16string gone = folder.file(u"gone.jpg");
    const std::u16string files[] = {folder.file(u"kept.jpg"), gone, gone};
    for (std::size_t i = 0; i < 3; ++i) p.context.show.slides[i].picture = p.context.pictures.add({files[i], 16, 9, nullptr});
    std::filesystem::remove(folder.native_file("gone.jpg"));
    for (int run = 1; run <= 2; ++run) {
        run_show(p.context.player);
        EXPECT_NEAR(p.centre_grey(), 200, 2);
        for (const std::u16string caption : {u"slide 1", u"slide 2", u"slide 0"}) {
            p.next_tick();
            EXPECT_EQ(p.shown(), caption);
            EXPECT_NEAR(p.centre_grey(), caption == u"slide 0" ? 200 : 0, 2) << run;
        }
        EXPECT_TRUE(p.context.playback.running);
        EXPECT_EQ(p.ui.notices, std::vector<std::u16string>(run, u"Error reading slide file: " + gone));
        stop_show(p.context.player, false);
    }
    EXPECT_TRUE(p.ui.boxes.empty());
}

// A window too large for its frames: the transitions lose their ends, and the person
// hears of it once.
TEST(Timeline, FramesThatDoNotFitAreReportedOnce) {
    struct HugeWindow : FakePlaybackWindow {
        using FakePlaybackWindow::FakePlaybackWindow;
        std::int32_t client_width() const override { return 100000; }
        std::int32_t client_height() const override { return 100000; }
    };
    RecordingUi ui;
    AppContext context{ui};
    HugeWindow window(8, 8);
    playback_window_created(context.player, window);
    EXPECT_EQ(ui.texts(), std::vector<std::u16string>{u"Out of Memory"});
    EXPECT_EQ(window.outgoing.pixels, nullptr);
    EXPECT_EQ(window.incoming.pixels, nullptr);
}

}  // namespace
}  // namespace lumivane

namespace lumivane {
namespace {

TEST(ShowClock, EachSlideBeginsWhereTheTimesBeforeItEnd) {
    struct Case {
        const char* name;
        std::vector<SlideSpec> slides;
        TransitionKind transition;
        std::int32_t speed;
        std::vector<double> starts;  // of every slide, then the show's end
    };
    const Case cases[] = {
        {"still pictures", {{{still(2.0)}, 0}, {{still(3.0)}, 0}, {{still(4.0)}, 0}}, TransitionKind::None, 0, {0, 2, 5, 9}},
        {"crossfades of 1 s", {{{still(2.0)}, 0}, {{still(3.0)}, 0}}, TransitionKind::Crossfade, 0, {0, 3, 7}},
        {"4 X, transitions at their own time", {{{still(2.0)}, 0}, {{still(3.0)}, 0}}, TransitionKind::Crossfade, 2,
         {0, 1.5, 3.25}},
        {"a path's segments, the default delay for a negative one",
         {{{still(1.0), still(-1.0), still(9.0)}, 0}, {{still(2.0)}, 0}}, TransitionKind::None, 0, {0, 4, 6}},
    };
    for (const Case& c : cases) {
        Player p(c.slides);
        p.context.show.settings.transition = c.transition;
        set_speed(p.context.show, c.speed);
        for (std::size_t i = 0; i < c.starts.size(); ++i) {
            EXPECT_DOUBLE_EQ(slide_start_seconds(p.context.show, static_cast<std::int32_t>(i)), c.starts[i])
                << c.name << ", slide " << i;
        }
        EXPECT_DOUBLE_EQ(show_seconds(p.context.show), c.starts.back()) << c.name;
    }
}

// The music starts and stops with the show and goes where a jump takes the show: to the
// sum of the times of the slides before the one jumped to.
TEST(ShowClock, MusicFollowsTheShowAndItsJumps) {
    // Three slides of 1 s crossfade and 5 s at rest: they begin at 0, 6 and 12 s.
    Player p({{{still(5.0)}, 10}, {{still(5.0)}, 20}, {{still(5.0)}, 30}});
    p.context.show.settings.transition = TransitionKind::Crossfade;
    MusicFollower follower;
    PlaybackRecord& player = p.context.player;
    struct Step {
        const char* name;
        std::function<void()> act;
        bool play;
        bool seek;
        double position;
    };
    const Step steps[] = {
        {"started", [&] { p.ui.clock = 1000; run_show(player); }, true, true, 0.0},
        {"playing on", [&] { for (int i = 0; i < 80; ++i) p.next_tick(); }, true, false, 0.0},
        {"right arrow, in the crossfade into slide 1", [&] { playback_key_down(player, PlaybackKey::Right); }, true,
         true, 6.0},
        {"Home", [&] { p.ui.clock += 700; playback_key_down(player, PlaybackKey::Home); }, true, true, 0.0},
        {"End", [&] { playback_key_down(player, PlaybackKey::End); }, true, true, 12.0},
        {"stopped", [&] { playback_character(player, u' '); }, false, false, 0.0},
        {"started again", [&] { p.ui.clock += 5000; run_show(player); }, true, true, 12.0},
        {"round to the first slide", [&] { while (p.context.current_slide != 0) p.next_tick(); p.next_tick(); },
         true, true, 0.0},
        {"a grid click", [&] { stop_show(player, true); go_to_slide(player, 1, true); refresh_playback(player); },
         true, true, 6.0},
    };
    for (const Step& s : steps) {
        s.act();
        const MusicCue cue = follow_music(follower, p.context.show, p.context.playback, p.ui.clock);
        EXPECT_EQ(cue.play, s.play) << s.name;
        EXPECT_EQ(cue.seek, s.seek) << s.name;
        if (s.seek) {
            EXPECT_NEAR(cue.position, s.position, 0.02) << s.name;
        }
    }

    // In Manual mode the music starts once and plays on while the viewer moves.
    p.context.show.settings.autorun = AutorunMode::Manual;
    MusicFollower manual;
    EXPECT_TRUE(follow_music(manual, p.context.show, p.context.playback, p.ui.clock).seek);
    playback_key_down(player, PlaybackKey::Right);
    const MusicCue moved = follow_music(manual, p.context.show, p.context.playback, p.ui.clock);
    EXPECT_TRUE(moved.play);
    EXPECT_FALSE(moved.seek);
}

// Ten minutes of ticks that come up to 12 ms late and take 3 ms each: every slide still
// begins within a frame of its place on the show's clock, where the music is.
TEST(ShowClock, LateTicksDoNotPutThePicturesBehindTheMusic) {
    std::vector<SlideSpec> slides(100, SlideSpec{{still(5.0)}, 40});
    slides[7] = {{still(2.0), still(3.0), still(1.0)}, 90};  // a path among them
    Player p(slides);
    p.context.show.settings.transition = TransitionKind::Crossfade;
    p.context.show.settings.loop = 0;
    ASSERT_DOUBLE_EQ(show_seconds(p.context.show), 600.0);
    run_show(p.context.player);
    p.window->on_present = [&p] { p.ui.clock += 3; };
    const std::int64_t origin = p.context.playback.clock_origin;
    std::int64_t worst = 0;
    std::int32_t slide = 0;
    for (int i = 0; p.context.playback.running; ++i) {
        p.ui.clock += p.window->timer + (i * 7) % 13;
        playback_tick(p.context.player);
        const PlaybackState& pb = p.context.playback;
        // The tick that moves the show on to the next slide (its transition's pictures
        // come with the ticks from the moment the slide is due).
        if (p.context.current_slide != slide) {
            slide = p.context.current_slide;
            const std::int64_t due = origin + clock_milliseconds(slide_start_seconds(p.context.show, slide));
            worst = std::max(worst, p.ui.clock - 3 - due);
        }
        EXPECT_EQ(pb.clock_origin, origin);
    }
    EXPECT_EQ(slide, 99);
    EXPECT_LE(worst, 17);
}

}  // namespace
}  // namespace lumivane

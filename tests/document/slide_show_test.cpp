#include "document/slide_show.h"

#include <gtest/gtest.h>

#include "app/app_context.h"
#include "support/fake_playback_window.h"
#include "support/recording_ui.h"

namespace lumivane {
namespace {

using testing::RecordingUi;

TEST(SlideShowModel, SpeedFactorForEverySpeed) {
    const std::pair<std::int32_t, double> cases[] = {{-2, 0.25}, {-1, 0.5}, {0, 1.0},  {1, 2.0},
                                                     {2, 4.0},   {3, 1.0},  {-3, 1.0}, {100, 1.0}};
    SlideShow show;
    for (const auto& [speed, factor] : cases) {
        EXPECT_EQ(speed_factor_for(speed), factor);
        set_speed(show, speed);
        EXPECT_EQ(show.settings.speed, speed);
        EXPECT_EQ(show.speed_factor, factor);
    }
}

TEST(SlideShowModel, BuiltInDefaultsAndStartingValuesDiffer) {
    const ShowSettings defaults = builtin_default_settings();
    EXPECT_EQ(defaults.name, u"");
    EXPECT_EQ(defaults.proportions_width, 16);
    EXPECT_EQ(defaults.proportions_height, 9);
    EXPECT_EQ(defaults.loop, 1);
    EXPECT_EQ(defaults.autorun, AutorunMode::Manual);
    EXPECT_EQ(defaults.speed, 0);
    EXPECT_EQ(defaults.size, 0);
    EXPECT_EQ(defaults.show_captions, CaptionSize::None);
    EXPECT_EQ(defaults.default_style, SlideStyle::Fit);
    EXPECT_EQ(defaults.default_delay, 5.0);
    EXPECT_EQ(defaults.transition, TransitionKind::None);
    EXPECT_EQ(defaults.transition_time, 2.0);

    const SlideShow fresh;
    EXPECT_EQ(fresh.settings.transition, TransitionKind::FadeToBlack);
    EXPECT_EQ(fresh.settings.transition_time, 1.0);
    EXPECT_EQ(fresh.settings.default_delay, 5.0);
    EXPECT_EQ(fresh.slide_count(), 0);
    EXPECT_FALSE(fresh.modified);
}

TEST(SlideShowModel, ApplyDefaultSettingsCutsTheNameAndSetsTheSpeed) {
    SlideShow show;
    ShowSettings defaults = builtin_default_settings();
    defaults.name = std::u16string(300, u'n');
    defaults.speed = -1;
    defaults.transition = TransitionKind::Curtain;
    defaults.proportions_width = 4;
    defaults.proportions_height = 3;
    apply_default_settings(show, defaults);
    EXPECT_EQ(show.settings.name, std::u16string(255, u'n'));
    EXPECT_EQ(show.speed_factor, 0.5);
    EXPECT_EQ(show.settings.transition, TransitionKind::Curtain);
    EXPECT_EQ(show.settings.proportions_width, 4);
    EXPECT_EQ(show.settings.proportions_height, 3);
}

TEST(SlideShowModel, EffectiveStyleAndFitting) {
    SlideShow show;
    show.settings.default_style = SlideStyle::Crop;
    show.slides.resize(2);
    show.slides[0].style = SlideStyle::Fit;
    show.slides[1].style = SlideStyle::Fit;
    EXPECT_FALSE(any_slide_not_fitted(show));
    show.slides[1].style = SlideStyle::Default;
    EXPECT_EQ(effective_style(show, show.slides[1]), SlideStyle::Crop);
    EXPECT_TRUE(any_slide_not_fitted(show));
    show.settings.default_style = SlideStyle::Fit;
    EXPECT_FALSE(any_slide_not_fitted(show));
    show.slides[0].style = SlideStyle::Path;
    EXPECT_TRUE(any_slide_not_fitted(show));
}

TEST(SlideShowModel, ProportionsOutsideTheirRangeStandForSixteenToNine) {
    struct Case {
        std::int32_t width, height, expected_width, expected_height;
    };
    const Case cases[] = {
        {16, 9, 16, 9},   {4, 3, 4, 3},     {1, 10000, 1, 10000}, {10000, 1, 10000, 1}, {0, 9, 16, 9},
        {4, 0, 16, 9},    {-4, 3, 16, 9},   {4, -3, 16, 9},       {10001, 1, 16, 9},    {3, 2147483647, 16, 9},
    };
    for (const Case& c : cases) {
        ShowSettings settings;
        settings.proportions_width = c.width;
        settings.proportions_height = c.height;
        const Proportions p = show_proportions(settings);
        EXPECT_EQ(p.width, c.expected_width) << c.width << ":" << c.height;
        EXPECT_EQ(p.height, c.expected_height) << c.width << ":" << c.height;
    }
}

TEST(SlideShowModel, ResetToUntitledKeepsSettingsButTheName) {
    RecordingUi ui;
    AppContext context(ui);
    SlideShow& show = context.show;
    show.settings.name = u"Holiday";
    show.settings.loop = 0;
    show.settings.transition = TransitionKind::Crossfade;
    show.show_folder = u"/photos/holiday";
    show.index_path = u"/photos/holiday/index.ssi";
    show.modified = true;
    show.slides.resize(4);
    show.slides[2].frames.resize(2);
    context.current_slide = 3;
    context.playback.displayed_slide = 2;
    context.playback.key_frame = 1;
    context.clipboard.slides.resize(1);

    reset_to_untitled(context);
    EXPECT_EQ(show.slide_count(), 0);
    EXPECT_EQ(show.settings.name, u"Untitled");
    EXPECT_EQ(show.settings.loop, 0);
    EXPECT_EQ(show.settings.transition, TransitionKind::Crossfade);
    EXPECT_TRUE(show.show_folder.empty());
    EXPECT_TRUE(show.index_path.empty());
    EXPECT_FALSE(show.modified);
    EXPECT_EQ(context.current_slide, 0);
    EXPECT_EQ(context.playback.displayed_slide, 0);
    EXPECT_EQ(context.playback.key_frame, 0);
    EXPECT_EQ(context.clipboard.slides.size(), 1u);  // the clipboard survives
    EXPECT_EQ(ui.main_window_title, u"Lumivane 1.0.15");
    EXPECT_EQ(ui.changes, std::vector<Change>{Change::Slides | Change::CurrentSlide | Change::Settings});

    // An open playback window is titled with the new name.
    testing::FakePlaybackWindow window(64, 36);
    window.title = u"Holiday";
    context.playback.window = &window;
    reset_to_untitled(context);
    EXPECT_EQ(window.title, u"Untitled");
}

}  // namespace
}  // namespace lumivane

#include "ui/shell/show_properties.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/app_context.h"
#include "support/fake_playback_window.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::FakePlaybackWindow;
using testing::RecordingUi;

struct Program {
    RecordingUi ui;
    AppContext context{ui};
    std::vector<std::unique_ptr<FakePlaybackWindow>> windows;
    Program() {
        ui.playback_window_factory = [this] {
            windows.push_back(std::make_unique<FakePlaybackWindow>(64, 36));
            playback_window_created(context.player, *windows.back());
            return windows.back().get();
        };
        ui.create_playback_window();
        context.show.settings.name = u"Holiday";
    }
};

// Each wrong field is reported in the order the dialog reads them; the fields read
// before it are in effect, those after it are not.
TEST(ShowProperties, FieldsAreCheckedInOrderAndEarlierOnesStayTaken) {
    struct Case {
        std::function<void(ShowPropertiesForm&)> edit;
        std::u16string message;  // empty: accepted
        std::int32_t width;      // proportions width afterwards
        double delay;            // default delay afterwards
        std::u16string name;
        double transition_time;
    };
    const Case cases[] = {
        {[](auto& f) { f.proportions_width = u"0"; }, u"Illegal proportions width: 0", 16, 5.0, u"Holiday", 1.0},
        {[](auto& f) { f.proportions_width = u"10001"; }, u"Illegal proportions width: 10001", 16, 5.0, u"Holiday", 1.0},
        {[](auto& f) { f.proportions_width = u"4", f.proportions_height = u"3x"; }, u"Illegal proportions height: 3x",
         4, 5.0, u"Holiday", 1.0},
        {[](auto& f) { f.proportions_width = u"10000", f.default_delay = u"100000.01", f.name = u"N"; },
         u"Illegal delay: 100000.01", 10000, 5.0, u"Holiday", 1.0},
        {[](auto& f) { f.default_delay = u"-1"; }, u"Illegal delay: -1", 16, 5.0, u"Holiday", 1.0},
        {[](auto& f) { f.default_delay = u"100000", f.name = u"N", f.transition_time = u"600.01"; },
         u"Illegal transition time: 600.01", 16, 100000.0, u"N", 1.0},
        {[](auto& f) { f.default_delay = u"0", f.transition_time = u"600"; }, u"", 16, 0.0, u"Holiday", 600.0},
        {[](auto& f) { f.transition_time = u"1e999"; }, u"Illegal transition time: 1e999", 16, 5.0, u"Holiday", 1.0},
    };
    for (const Case& c : cases) {
        Program p;
        const ShowPropertiesOpening at_opening = begin_show_properties(p.context);
        ShowPropertiesForm form = show_properties_form(at_opening.settings);
        c.edit(form);
        EXPECT_EQ(take_show_properties(p.context, form, at_opening), !c.message.empty()) << testing::u8(c.message);
        const ShowSettings& s = p.context.show.settings;
        EXPECT_EQ(p.ui.texts(), c.message.empty() ? std::vector<std::u16string>{}
                                                   : std::vector<std::u16string>{c.message});
        EXPECT_EQ(s.proportions_width, c.width) << testing::u8(c.message);
        EXPECT_EQ(s.default_delay, c.delay) << testing::u8(c.message);
        EXPECT_EQ(s.name, c.name) << testing::u8(c.message);
        const bool name_read = c.message.empty() || c.message.starts_with(u"Illegal transition");
        EXPECT_EQ(p.windows.back()->title, name_read ? c.name : u"") << testing::u8(c.message);
        EXPECT_EQ(s.transition_time, c.transition_time) << testing::u8(c.message);
    }
}

// Any setting but the speed marks the show modified. Values a list does not offer (a
// hand-written file) leave it without a choice, and OK keeps them.
TEST(ShowProperties, TheSpeedAloneLeavesTheShowUnmodified) {
    struct Case {
        std::function<void(ShowSettings&)> stored;
        std::function<void(ShowPropertiesForm&)> edit;
        bool modified;
        double speed_factor;
    };
    const auto none = [](auto&) {};
    const Case cases[] = {
        {none, [](auto& f) { f.speed = 0; }, false, 0.25},
        {none, none, false, 1.0},
        {[](auto& s) {
             s.default_style = static_cast<SlideStyle>(5), s.autorun = static_cast<AutorunMode>(7),
             s.show_captions = static_cast<CaptionSize>(-1);
         },
         none, false, 1.0},
        {none, [](auto& f) { f.name = u"Holiday "; }, true, 1.0},
        {none, [](auto& f) { f.loop = false; }, true, 1.0},
        {none, [](auto& f) { f.transition = 3; }, true, 1.0},
        {none, [](auto& f) { f.default_delay = u"5.001"; }, true, 1.0},
        {none, [](auto& f) { f.default_style = 1; }, true, 1.0},
    };
    for (const Case& c : cases) {
        Program p;
        c.stored(p.context.show.settings);
        const ShowPropertiesOpening at_opening = begin_show_properties(p.context);
        ShowPropertiesForm form = show_properties_form(at_opening.settings);
        c.edit(form);
        EXPECT_FALSE(accept_show_properties(p.context, form, at_opening));
        EXPECT_EQ(p.context.show.modified, c.modified) << testing::u8(form.name) << form.transition;
        EXPECT_EQ(p.context.show.speed_factor, c.speed_factor);
    }
}

// "Save as Default" takes the values into the show for a while; Cancel, or OK with the
// values put back, leaves the show as modified as it was at opening. The defaults keep
// what was saved.
TEST(ShowProperties, SaveAsDefaultThenCancelOrRevertLeavesTheShowAsItWas) {
    struct Case {
        const char* name;
        bool modified_at_opening;
        bool revert_then_ok;  // else Cancel
        bool modified;
    };
    const Case cases[] = {
        {"cancel", false, false, false},
        {"cancel, modified before", true, false, true},
        {"put back, OK", false, true, false},
        {"put back, OK, modified before", true, true, true},
    };
    for (const Case& c : cases) {
        Program p;
        p.context.show.modified = c.modified_at_opening;
        const ShowPropertiesOpening at_opening = begin_show_properties(p.context);
        ShowPropertiesForm form = show_properties_form(at_opening.settings);
        form.transition = static_cast<std::int32_t>(TransitionKind::Curtain);
        form.name = u"Summer";
        EXPECT_FALSE(save_show_properties_as_default(p.context, form, at_opening)) << c.name;
        EXPECT_TRUE(p.context.show.modified) << c.name;
        if (c.revert_then_ok) {
            EXPECT_FALSE(accept_show_properties(p.context, show_properties_form(at_opening.settings), at_opening));
        } else {
            cancel_show_properties(p.context, at_opening);
        }
        EXPECT_EQ(p.context.show.modified, c.modified) << c.name;
        EXPECT_EQ(p.context.show.settings.name, u"Holiday") << c.name;
        EXPECT_EQ(p.context.default_settings.transition, TransitionKind::Curtain) << c.name;
        EXPECT_EQ(p.context.default_settings.name, u"Summer") << c.name;
    }
}

// A new window size, or new proportions of a show in a window, makes the window again.
TEST(ShowProperties, OkMakesThePlaybackWindowAgainWhenItsShapeChanged) {
    struct Case {
        std::int32_t size_at_opening;
        std::function<void(ShowPropertiesForm&)> edit;
        std::size_t windows;
    };
    const Case cases[] = {
        {0, [](auto& f) { f.size = 3; }, 2},
        {0, [](auto& f) { f.proportions_width = u"4", f.proportions_height = u"3"; }, 1},
        {5, [](auto& f) { f.proportions_height = u"10"; }, 2},
        {5, [](auto& f) { f.name = u"Garden"; }, 1},
    };
    for (const Case& c : cases) {
        Program p;
        p.context.show.settings.size = c.size_at_opening;
        const ShowPropertiesOpening at_opening = begin_show_properties(p.context);
        ShowPropertiesForm form = show_properties_form(at_opening.settings);
        c.edit(form);
        EXPECT_FALSE(accept_show_properties(p.context, form, at_opening));
        ASSERT_EQ(p.windows.size(), c.windows) << c.size_at_opening;
        EXPECT_EQ(p.windows[0]->closed, c.windows == 2);
        EXPECT_EQ(p.context.playback.window, p.windows.back().get());
    }
}

}  // namespace
}  // namespace lumivane

#include "ui/shell/grid_gestures.h"

#include <gtest/gtest.h>

#include "app/app_context.h"
#include "support/recording_ui.h"

namespace lumivane {
namespace {

using testing::RecordingUi;

// Six slides named by their old places, slide 3 current and slide 1 selected, playing.
struct Grid {
    Grid() {
        context.show.slides.resize(6);
        for (std::size_t i = 0; i < 6; ++i) context.show.slides[i].file = std::u16string(1, u'a' + i);
        context.show.slides[1].selected = true;
        context.current_slide = 3;
        context.playback.running = true;
    }
    std::vector<bool> selected() const {
        std::vector<bool> flags;
        for (const Slide& s : context.show.slides) flags.push_back(s.selected);
        return flags;
    }
    std::u16string order() const {
        std::u16string names;
        for (const Slide& s : context.show.slides) names += s.file;
        return names;
    }
    RecordingUi ui;
    AppContext context{ui};
    GridDrag drag;
};

TEST(GridGestures, LeftPressSelectsOrStartsADrag) {
    struct Case {
        int index;
        bool control, shift;
        std::vector<bool> selected;
        int current;
        bool drag;
    };
    const Case cases[] = {
        {-1, false, false, {0, 0, 0, 0, 0, 0}, 3, false},  // beside the slides
        {1, true, false, {0, 0, 0, 0, 0, 0}, 3, false},    // Ctrl on a selected slide
        {4, true, true, {0, 1, 0, 0, 1, 0}, 3, false},     // Ctrl wins over Shift
        {0, false, true, {1, 1, 1, 0, 0, 0}, 3, false},    // Shift before the current slide
        {5, false, true, {0, 1, 0, 1, 1, 1}, 3, false},    // Shift after it
        {3, false, true, {0, 1, 0, 0, 0, 0}, 3, true},     // Shift on the current slide
        {2, false, false, {0, 1, 0, 0, 0, 0}, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        Grid g;
        EXPECT_EQ(grid_left_press(g.context, g.drag, c.index, c.control, c.shift), c.drag);
        EXPECT_EQ(g.selected(), std::vector<bool>(c.selected.begin(), c.selected.end()));
        EXPECT_EQ(g.context.current_slide, c.current);
        EXPECT_EQ(g.drag.active, c.drag);
        EXPECT_FALSE(g.context.playback.running);
    }
}

TEST(GridGestures, ReleaseMovesTheDraggedSlideToItsDropPosition) {
    struct Case {
        int drop;
        std::u16string order;
        int current;
    };
    const Case cases[] = {
        {-1, u"abcdef", 2}, {2, u"abcdef", 2}, {3, u"abcdef", 2},  // nowhere, onto itself, the next one
        {6, u"abdefc", 5},                                         // past the last
        {0, u"cabdef", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.drop);
        Grid g;
        ASSERT_TRUE(grid_left_press(g.context, g.drag, 2, false, false));
        g.drag.drop = c.drop;
        grid_left_release(g.context, g.drag);
        EXPECT_EQ(g.order(), c.order);
        EXPECT_EQ(g.context.current_slide, c.current);
        EXPECT_FALSE(g.drag.active);
        EXPECT_EQ(g.drag.drop, -1);
    }
}

TEST(GridGestures, RightPressAndDoubleClickMakeTheSlideCurrent) {
    Grid g;
    EXPECT_FALSE(grid_right_press(g.context, -1));
    EXPECT_FALSE(g.context.playback.running);
    EXPECT_EQ(g.context.current_slide, 3);
    EXPECT_TRUE(grid_right_press(g.context, 4));
    EXPECT_EQ(g.context.current_slide, 4);
    g.context.playback.running = true;
    g.ui.dialog_answers.push_back(std::nullopt);  // the slide's dialog opens; Cancel
    grid_double_click(g.context, g.ui, 1);
    EXPECT_EQ(g.context.current_slide, 1);
    EXPECT_FALSE(g.context.playback.running);
    ASSERT_EQ(g.ui.dialogs.size(), 1u);
    EXPECT_EQ(g.ui.dialogs[0].kind, u"slide properties");
}

}  // namespace
}  // namespace lumivane

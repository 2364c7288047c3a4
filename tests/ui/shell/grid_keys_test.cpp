#include "ui/shell/grid_keys.h"

#include <gtest/gtest.h>

#include "app/app_context.h"
#include "support/recording_ui.h"

namespace lumivane {
namespace {

// Ten cells, four across and two rows in view: rows 0-3, 4-7 and 8-9.
TEST(GridKeys, MovesStayInTheGridAndInTheirColumn) {
    struct Case {
        GridMove move;
        int from, to;
    };
    using enum GridMove;
    const Case cases[] = {
        {Left, 5, 4},     {Left, 0, 0},     {Right, 9, 9},    {Up, 6, 2},       {Up, 2, 2},
        {Down, 5, 9},     {Down, 6, 9},     {Down, 8, 8},     {PageDown, 1, 9}, {PageDown, 2, 9},
        {PageDown, 4, 8}, {PageUp, 9, 1},   {PageUp, 6, 2},   {Home, 7, 0},     {End, 2, 9},
        {Right, -1, 1},   {Down, 12, 4},  // from outside the grid: from the first cell
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grid_move_target(c.move, c.from, 10, 4, 2), c.to) << static_cast<int>(c.move) << " from " << c.from;
    }
    EXPECT_EQ(grid_move_target(GridMove::End, 0, 0, 4, 2), -1);
    EXPECT_EQ(grid_move_target(GridMove::Down, 0, 3, 0, 0), 1);  // a grid too narrow for a cell still has one column
}

TEST(GridKeys, KeysSelectAsClicksAtTheFocusCellDo) {
    using enum GridKey;
    using Result = GridKeyResult;
    struct Case {
        const char* name;
        GridKeyPress press;
        int focus;  // before
        Result result;
        int focus_after, current;
        std::vector<bool> selected;
        int slides = 10;
    };
    const std::vector<bool> one{0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    const Case cases[] = {
        {"Down", {Move, GridMove::Down}, 3, Result::Done, 7, 7, one},
        {"Right keeps its meaning", {Move, GridMove::Right}, 3, Result::PassOn, 3, 3, one},
        {"Ctrl+Right moves the focus", {Move, GridMove::Right, true}, 3, Result::Done, 4, 3, one},
        {"Shift+Down selects to it", {Move, GridMove::Down, false, true}, 3, Result::Done, 7, 3,
         {0, 1, 0, 1, 1, 1, 1, 1, 0, 0}},
        {"Shift+Left selects before", {Move, GridMove::Left, false, true}, 3, Result::Done, 2, 3,
         {0, 1, 1, 0, 0, 0, 0, 0, 0, 0}},
        {"Ctrl+Space flags", {Space, GridMove::Left, true}, 5, Result::Done, 5, 3, {0, 1, 0, 0, 0, 1, 0, 0, 0, 0}},
        {"Ctrl+Space unflags", {Space, GridMove::Left, true}, 1, Result::Done, 1, 3, std::vector<bool>(10)},
        {"Shift+Space", {Space, GridMove::Left, false, true}, 0, Result::Done, 0, 3, {1, 1, 1, 0, 0, 0, 0, 0, 0, 0}},
        {"Space clicks", {Space}, 5, Result::Done, 5, 5, one},
        {"Space on the current slide plays", {Space}, 3, Result::PassOn, 3, 3, one},
        {"Menu", {Menu}, 6, Result::OpenMenu, 6, 6, one},
        {"a focus outside starts at the current slide", {Move, GridMove::Right, true}, -1, Result::Done, 4, 3, one},
        {"an empty grid", {Move, GridMove::Down}, 0, Result::PassOn, 0, 0, {}, 0},
        {"no menu without a slide", {Menu}, 0, Result::Done, 0, 0, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::RecordingUi ui;
        AppContext context{ui};
        context.show.slides.resize(static_cast<std::size_t>(c.slides));
        if (c.slides > 0) {
            context.show.slides[1].selected = true;
            context.current_slide = 3;
        }
        context.playback.running = true;
        int focus = c.focus;
        EXPECT_EQ(grid_key_press(context, ui, focus, c.press, 4, 2), c.result);
        EXPECT_EQ(focus, c.focus_after);
        EXPECT_EQ(context.current_slide, c.current);
        std::vector<bool> selected;
        for (const Slide& s : context.show.slides) selected.push_back(s.selected);
        EXPECT_EQ(selected, c.selected);
        EXPECT_EQ(context.playback.running, c.result == Result::PassOn);  // a key the grid takes stops the show
    }
}

}  // namespace
}  // namespace lumivane

#include "ui/shell/grid_gestures.h"

#include "app/app_context.h"
#include "app/slide_editing.h"
#include "playback/timeline.h"
#include "ui/shell/grid_layout.h"
#include "ui/shell/main_window_commands.h"

namespace lumivane {

namespace {

bool is_slide(const AppContext& context, std::int32_t index) {
    return index >= 0 && index < context.show.slide_count();
}

}  // namespace

bool grid_left_press(AppContext& context, GridDrag& drag, std::int32_t index, bool control, bool shift) {
    stop_show(context.player, false);
    drag = GridDrag{};
    if (!is_slide(context, index)) {
        for (Slide& slide : context.show.slides) slide.selected = false;
    } else if (control) {
        Slide& slide = context.show.slides[static_cast<std::size_t>(index)];
        slide.selected = !slide.selected;
    } else if (shift && index != context.current_slide) {
        select_range(context.show, context.current_slide, index);
    } else {
        go_to_slide(context.player, index, true);
        drag.active = true;
        return true;
    }
    context.ui.changed(Change::Slides);
    return false;
}

void grid_left_release(AppContext& context, GridDrag& drag) {
    const std::int32_t to = drag.drop;
    const bool moves = drag.active && to >= 0 && to != context.current_slide && to != context.current_slide + 1;
    drag = GridDrag{};
    if (moves) move_slide(context, context.current_slide, to);
}

void grid_double_click(AppContext& context, ShellInterface& shell, std::int32_t index) {
    stop_show(context.player, false);
    if (!is_slide(context, index)) return;
    go_to_slide(context.player, index, true);
    run_command(context, shell, command_slide_properties);
}

bool grid_right_press(AppContext& context, std::int32_t index) {
    stop_show(context.player, false);
    if (!is_slide(context, index)) return false;
    go_to_slide(context.player, index, true);
    return true;
}

}  // namespace lumivane

#include "ui/shell/grid_keys.h"

#include <algorithm>

#include "app/app_context.h"
#include "playback/timeline.h"
#include "ui/shell/grid_gestures.h"

namespace lumivane {

std::int32_t grid_move_target(GridMove move, std::int32_t from, std::int32_t count, std::int32_t columns,
                              std::int32_t rows) {
    if (count <= 0) return -1;
    columns = std::max(columns, 1);
    const std::int32_t last = count - 1;
    if (from < 0 || from > last) from = 0;
    const std::int32_t page = columns * std::max(rows, 1);
    // Past the end: this column's cell in the last row, or the last cell of a shorter one.
    const auto down = [&](std::int32_t step) {
        return from + step <= last ? from + step : std::min(last / columns * columns + from % columns, last);
    };
    switch (move) {
    case GridMove::Left: return std::max(from - 1, 0);
    case GridMove::Right: return std::min(from + 1, last);
    case GridMove::Up: return from >= columns ? from - columns : from;
    case GridMove::Down: return down(columns);
    case GridMove::Home: return 0;
    case GridMove::End: return last;
    case GridMove::PageUp: return from >= page ? from - page : from % columns;
    case GridMove::PageDown: return down(page);
    }
    return from;
}

GridKeyResult grid_key_press(AppContext& context, ShellInterface& shell, std::int32_t& focus,
                             const GridKeyPress& press, std::int32_t columns, std::int32_t rows) {
    const std::int32_t count = context.show.slide_count();
    if (focus < 0 || focus >= count) focus = std::clamp(context.current_slide, 0, std::max(count - 1, 0));
    const bool at_current = focus == context.current_slide;
    GridDrag no_drag;  // a key never drags
    switch (press.key) {
    case GridKey::Move: {
        const bool alone = !press.control && !press.shift;
        const bool own_meaning = press.move == GridMove::Left || press.move == GridMove::Right ||
                                 press.move == GridMove::Home || press.move == GridMove::End;
        if (count == 0 || (alone && own_meaning)) return GridKeyResult::PassOn;
        focus = grid_move_target(press.move, focus, count, columns, rows);
        if (alone || press.shift) {
            grid_left_press(context, no_drag, focus, false, press.shift);
        } else {
            stop_show(context.player, false);  // as every key the grid takes
        }
        return GridKeyResult::Done;
    }
    case GridKey::Space:
        if (count == 0 || (at_current && !press.control && !press.shift)) return GridKeyResult::PassOn;
        grid_left_press(context, no_drag, focus, press.control, press.shift);
        return GridKeyResult::Done;
    case GridKey::Enter:
        grid_double_click(context, shell, count == 0 ? -1 : focus);
        return GridKeyResult::Done;
    case GridKey::Menu:
        return grid_right_press(context, count == 0 ? -1 : focus) ? GridKeyResult::OpenMenu : GridKeyResult::Done;
    }
    return GridKeyResult::Done;
}

}  // namespace lumivane

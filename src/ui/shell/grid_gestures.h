#pragma once
// What the mouse does on the thumbnail grid, without the window: selecting, making a
// slide current, dragging it to a new place, opening its properties. Every press and
// double click stops the show first.

#include <cstdint>

namespace lumivane {

struct AppContext;
class ShellInterface;

struct GridDrag {
    bool active = false;
    std::int32_t drop = -1;  // where the slide would go (grid_drop_position), -1 for nowhere
};

// The left button pressed on slide index (-1: beside every slide). Beside the slides it
// clears the selection; with Ctrl it flips the slide's flag; with Shift (on another slide
// than the current one) it flags the range between them; otherwise the slide becomes
// current and a drag of it begins (the result is then true).
bool grid_left_press(AppContext& context, GridDrag& drag, std::int32_t index, bool control, bool shift);
// The left button released: a drag that has a drop position moves the current slide there.
void grid_left_release(AppContext& context, GridDrag& drag);
// A double click on a slide makes it current and opens its properties.
void grid_double_click(AppContext& context, ShellInterface& shell, std::int32_t index);
// The right button pressed on a slide makes it current; the result tells whether the
// grid's menu opens (only on a slide).
[[nodiscard]] bool grid_right_press(AppContext& context, std::int32_t index);

}  // namespace lumivane

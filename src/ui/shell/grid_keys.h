#pragma once
// The thumbnail grid from the keyboard alone, without the window. The grid keeps a
// focus cell, which follows the current slide; Ctrl with a move key moves it alone, and
// the keys select at it as clicks there would.

#include <cstdint>

namespace lumivane {

struct AppContext;
class ShellInterface;

enum class GridMove { Left, Right, Up, Down, Home, End, PageUp, PageDown };

// The cell a move leads to from cell from, in a grid of count cells, columns across and
// rows in view (a page). Left and Right step to the cell before or after, Up and Down to
// the cell above or below, a page as many rows as are in view; a move past the first or
// last row stops in it, in the same column (the last cell of a shorter last row). Home
// and End go to the first and last cell. Nothing leaves the grid: -1 for an empty one, and a from outside
// it counts as the first cell.
std::int32_t grid_move_target(GridMove move, std::int32_t from, std::int32_t count, std::int32_t columns,
                              std::int32_t rows);

enum class GridKey { Move, Space, Enter, Menu };

struct GridKeyPress {
    GridKey key = GridKey::Space;
    GridMove move = GridMove::Left;  // for GridKey::Move
    bool control = false;
    bool shift = false;
};

enum class GridKeyResult {
    PassOn,    // the main window's own meaning of the key
    Done,
    OpenMenu,  // the slide menu at the focus cell, whose slide is now current
};

// What a key does on the grid, with focus the focus cell (kept inside the slides):
// - a move alone: Up, Down and the page keys make the cell they lead to current, as a
//   click there does; Left, Right, Home and End keep the main window's meaning;
// - Ctrl with a move moves the focus cell alone; Shift with a move moves it and selects
//   from the current slide to it, as a Shift-click there does;
// - Space at a focus cell that is not the current slide clicks it (with Ctrl or Shift,
//   a Ctrl- or Shift-click); Space alone at the current slide keeps its own meaning;
// - Enter opens the focus cell's properties, as a double click;
// - the menu key (and Shift+F10) makes the focus cell current and opens its menu.
GridKeyResult grid_key_press(AppContext& context, ShellInterface& shell, std::int32_t& focus,
                             const GridKeyPress& press, std::int32_t columns, std::int32_t rows);

}  // namespace lumivane

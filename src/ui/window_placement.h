#pragma once
// Where windows go on the screens: restoring the main window's placement from the
// session state, reading it back, and keeping popups on their monitor. Rectangles are
// client areas; Qt adds the frame (what the window rectangle adjustment is elsewhere).

#include <QRect>
#include <QWidget>

#include <vector>

#include "app/app_context.h"

namespace lumivane {

struct ScreenArea {
    QRect geometry;
    QRect work;  // without panels and docks
};

// How the main window starts: maximised, or at geometry.
struct PlacementPlan {
    bool maximised = false;
    QRect geometry;
};

// Room left above a normal window for the title bar the window manager adds, which
// Qt knows only once the window is on the screen.
inline constexpr int title_bar_room = 40;

// No record (or an empty rectangle): maximised. Show command 3: maximised. Any other
// command: normal. geometry is the normal rectangle, which a maximised window returns
// to: where it leaves no room above it for the title bar on its monitor, moved down;
// where it does not fit below that room, three quarters of the work area, centred; off
// every screen, moved onto the nearest monitor.
PlacementPlan placement_plan(const WindowPlacement& placement, const std::vector<ScreenArea>& screens);
std::vector<ScreenArea> screen_areas();
void restore_placement(QWidget& window, const WindowPlacement& placement);
// Brings a minimised window back as it was before: a maximised one stays maximised.
void restore_minimised(QWidget& window);
// The window's placement now; flags and the minimised and maximised positions stay
// as they were in previous.
WindowPlacement placement_of(const QWidget& window, WindowPlacement previous);

// The monitor nearest to rect: the one it overlaps most, or the closest.
const ScreenArea* nearest_screen(const std::vector<ScreenArea>& screens, const QRect& rect);

// Moves a window that reaches past the work area back inside it, margin pixels from
// the edge it crossed (bottom, then top, right, then left).
QPoint kept_on_monitor(const QRect& window, const QRect& work, int margin);
void keep_on_monitor(QWidget& window, int margin);
// Where a window of width x height starting at start fits inside work, 4 pixels in.
QPoint fitted_in_work_area(QPoint start, int width, int height, const QRect& work);
// The position that centres window over main, offset by (dx, dy).
QPoint centred_over(const QRect& window, const QRect& main, int dx, int dy);
void centre_over_main(QWidget& window, const QWidget* main, int dx, int dy);

}  // namespace lumivane

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

// No record (or an empty rectangle): maximised. Show command 3: maximised on the monitor
// that holds (0, 0), else covering the work area of its own monitor. Any other command:
// the normal rectangle, moved onto the nearest monitor when it lies off every screen.
PlacementPlan placement_plan(const WindowPlacement& placement, const std::vector<ScreenArea>& screens);
std::vector<ScreenArea> screen_areas();
void restore_placement(QWidget& window, const WindowPlacement& placement);
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
void fit_in_work_area(const QWidget& window, int width, int height, int& x, int& y);
// The position that centres window over main, offset by (dx, dy).
QPoint centred_over(const QRect& window, const QRect& main, int dx, int dy);
void centre_over_main(QWidget& window, const QWidget* main, int dx, int dy);

}  // namespace lumivane

#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>

#include <climits>

namespace lumivane {

namespace {

std::int64_t distance_squared(const QRect& a, const QRect& b) {
    const auto gap = [](int a0, int a1, int b0, int b1) -> std::int64_t {
        if (a1 < b0) return b0 - a1;
        if (b1 < a0) return a0 - b1;
        return 0;
    };
    const std::int64_t dx = gap(a.left(), a.right(), b.left(), b.right());
    const std::int64_t dy = gap(a.top(), a.bottom(), b.top(), b.bottom());
    return dx * dx + dy * dy;
}

QRect work_area_of(const QWidget& window) {
    const std::vector<ScreenArea> screens = screen_areas();
    const ScreenArea* screen = nearest_screen(screens, window.geometry());
    return screen ? screen->work : QRect();
}

}  // namespace

const ScreenArea* nearest_screen(const std::vector<ScreenArea>& screens, const QRect& rect) {
    const ScreenArea* best = nullptr;
    std::int64_t best_overlap = 0;
    std::int64_t best_distance = LLONG_MAX;
    for (const ScreenArea& screen : screens) {
        const QRect overlap = screen.geometry.intersected(rect);
        const std::int64_t area = overlap.isEmpty() ? 0 : std::int64_t{overlap.width()} * overlap.height();
        const std::int64_t distance = distance_squared(screen.geometry, rect);
        if (area > best_overlap || (best_overlap == 0 && area == 0 && distance < best_distance)) {
            best = &screen;
            best_overlap = area;
            best_distance = distance;
        }
    }
    return best;
}

PlacementPlan placement_plan(const WindowPlacement& p, const std::vector<ScreenArea>& screens) {
    PlacementPlan plan;
    const QRect normal(QPoint(p.normal_left, p.normal_top), QPoint(p.normal_right - 1, p.normal_bottom - 1));
    const bool recorded = p.length == window_placement_length && !normal.isEmpty();
    const ScreenArea* screen = nearest_screen(screens, recorded ? normal : QRect(0, 0, 1, 1));
    plan.maximised = !recorded || p.show_command == show_maximised;
    if (!screen) return plan;
    // Below the title bar's room, the window's title bar can be reached to move it.
    const QRect work = screen->work;
    const QRect room(work.left(), work.top() + title_bar_room, work.width(), work.height() - title_bar_room);
    if (!recorded || normal.width() > room.width() || normal.height() > room.height()) {
        plan.geometry = QRect(0, 0, work.width() * 3 / 4, work.height() * 3 / 4);
        plan.geometry.moveCenter(room.center());
    } else if (!work.intersects(normal)) {
        // A monitor that is gone or moved leaves the window nowhere: bring it back.
        plan.geometry = QRect(kept_on_monitor(normal, room, 0), normal.size());
    } else {
        plan.geometry = normal;
        if (normal.top() < room.top()) plan.geometry.moveTop(room.top());
    }
    return plan;
}

std::vector<ScreenArea> screen_areas() {
    std::vector<ScreenArea> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.push_back({screen->geometry(), screen->availableGeometry()});
    }
    return areas;
}

void restore_placement(QWidget& window, const WindowPlacement& placement) {
    const PlacementPlan plan = placement_plan(placement, screen_areas());
    if (plan.geometry.isValid()) window.setGeometry(plan.geometry);
    if (plan.maximised) {
        window.showMaximized();
    } else {
        window.showNormal();
    }
}

void restore_minimised(QWidget& window) {
    if (window.isMinimized()) window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
}

WindowPlacement placement_of(const QWidget& window, WindowPlacement previous) {
    WindowPlacement& p = previous;
    const bool maximised = window.isMaximized();
    const bool minimised = window.isMinimized();
    QRect normal = (maximised || minimised) ? window.normalGeometry() : window.geometry();
    if (!normal.isValid()) normal = window.geometry();
    p.length = window_placement_length;
    p.show_command = maximised ? show_maximised : minimised ? 2 : show_normal;
    p.normal_left = normal.left();
    p.normal_top = normal.top();
    p.normal_right = normal.left() + normal.width();
    p.normal_bottom = normal.top() + normal.height();
    return p;
}

QPoint kept_on_monitor(const QRect& window, const QRect& work, int margin) {
    QRect r = window;
    const int work_bottom = work.top() + work.height();
    const int work_right = work.left() + work.width();
    if (r.top() + r.height() > work_bottom) r.moveTop(r.top() - (r.top() + r.height() - work_bottom + margin));
    if (r.top() < work.top()) r.moveTop(work.top() + margin);
    if (r.left() + r.width() > work_right) r.moveLeft(r.left() - (r.left() + r.width() - work_right + margin));
    if (r.left() < work.left()) r.moveLeft(work.left() + margin);
    return r.topLeft();
}

void keep_on_monitor(QWidget& window, int margin) {
    if (window.isMaximized()) return;
    const QRect work = work_area_of(window);
    if (work.isValid()) window.move(window.pos() + (kept_on_monitor(window.geometry(), work, margin) - window.geometry().topLeft()));
}

QPoint fitted_in_work_area(QPoint start, int width, int height, const QRect& work) {
    int x = start.x();
    int y = start.y();
    if (y + height > work.top() + work.height()) y = work.top() + work.height() - height - 4;
    if (y < work.top()) y = work.top() + 4;
    if (x + width > work.left() + work.width()) x = work.left() + work.width() - width - 4;
    if (x < work.left()) x = work.left() + 4;
    return {x, y};
}


QPoint centred_over(const QRect& window, const QRect& main, int dx, int dy) {
    return {main.left() + (main.width() - window.width()) / 2 + dx, main.top() + (main.height() - window.height()) / 2 + dy};
}

void centre_over_main(QWidget& window, const QWidget* main, int dx, int dy) {
    if (!main) return;
    // A maximised window covers its screen's work area, even before the window system
    // has given it that size.
    QRect area = main->geometry();
    if (main->isMaximized() && main->screen()) area = main->screen()->availableGeometry();
    const QPoint target = centred_over(window.geometry(), area, dx, dy);
    window.move(window.pos() + (target - window.geometry().topLeft()));
}

}  // namespace lumivane

#pragma once
// The main window's client area: the tool buttons at the top, the grid of slide
// thumbnails below them and its scroll bar at the right edge. The grid's arithmetic is
// grid_layout, its mouse gestures grid_gestures, its keys grid_keys; this widget paints
// and forwards.

#include <QScrollBar>
#include <QWidget>

#include <optional>

#include "ui/captions.h"
#include "ui/shell/grid_gestures.h"
#include "ui/shell/grid_keys.h"
#include "ui/shell/grid_layout.h"

class QMenu;

namespace lumivane {

struct AppContext;
class ShellInterface;
class ImageBar;

inline constexpr std::int32_t tool_bar_identifier = 101;

class ThumbnailGrid : public QWidget {
public:
    ThumbnailGrid(AppContext& context, ShellInterface& shell, QWidget* parent);

    // After a change of the slides, of the current slide or of the size: the buttons'
    // states, the number of cells and the scroll bar.
    void update_layout();
    void update_command_availability();

    const AppContext& context() const { return context_; }
    ImageBar* tool_bar() const { return tool_bar_; }
    QScrollBar* scroll_bar() const { return scroll_bar_; }
    const InterfaceFont& interface_font() const { return font_; }
    GridArea area() const;
    const GridScroll& scroll() const { return scroll_; }
    const GridDrag& drag() const { return drag_; }
    // The cell with the keyboard's focus frame: the current slide, or where Ctrl and
    // Shift with the arrows have moved it.
    std::int32_t focus_cell() const { return focus_; }
    // Where slide index's cell is, when it is in view.
    std::optional<QRect> cell_rect(std::int32_t index) const;
    // What a key does with the focus frame on slide index's cell (assistive tools' actions).
    void key_at_cell(std::int32_t index, const GridKeyPress& press);

    // The grid's menu for a right click, its entries enabled as the commands are now.
    void fill_context_menu(QMenu& menu);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::int32_t slide_at(QPointF position) const;
    void set_scroll(const GridScroll& scroll);
    void open_menu(QPoint global_position);
    void open_menu_at_focus();
    // The focus frame moved: into view, painted, and told to assistive tools.
    void focus_moved();

    AppContext& context_;
    ShellInterface& shell_;
    InterfaceFont font_;
    ImageBar* tool_bar_ = nullptr;
    QScrollBar* scroll_bar_ = nullptr;
    GridScroll scroll_;
    // What the view last followed. It moves to the current slide only when one of these
    // changes, never for a change of the selection or of the show's state: a Shift or
    // Ctrl click in a scrolled grid lands on the slide under the pointer.
    struct Followed {
        std::int32_t current = -1, count = -1, columns = 0, rows = 0;
        bool operator==(const Followed&) const = default;
    } followed_;
    GridDrag drag_;
    std::int32_t focus_ = 0;
    // The focus frame shows once the keyboard is used in the grid, until the next click.
    bool focus_shown_ = false;
};

}  // namespace lumivane

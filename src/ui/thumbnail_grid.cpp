#include "ui/thumbnail_grid.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

#include "app/app_context.h"
#include "platform/translation.h"
#include "ui/accessible_controls.h"
#include "ui/image_bar.h"
#include "ui/image_drawing.h"
#include "ui/interface_drawing.h"
#include "ui/shell/main_window_commands.h"

namespace lumivane {

namespace {

const QColor window_grey(128, 128, 128);
const QColor displayed_frame(255, 255, 255);
const QColor selected_frame(192, 192, 192);
const QColor plain_frame(64, 64, 64);
const QColor drop_bar(255, 0, 0);
constexpr int drop_bar_width = 4;
// The keyboard's focus frame, in the desktop's highlight colour over the cell's edge.
constexpr int focus_ring_width = 3;

// One cell: the thumbnail centred, or a black square inset by the margin where there is
// none, and the frame around it.
void paint_cell(QPainter& painter, const GridCell& cell, const Slide& slide, const QColor& frame, int margin,
                qreal thumbnail_ratio) {
    const ImageBuffer& thumbnail = slide.thumbnail;
    const int centre_x = cell.x + grid_cell_size / 2;
    const int centre_y = cell.y + grid_cell_size / 2;
    QRect picture;
    if (!thumbnail.empty() && (thumbnail.kind == PixelFormat::Colour8 || thumbnail.kind == PixelFormat::Grey8)) {
        const int width = static_cast<int>(std::lround(thumbnail.width / thumbnail_ratio));
        const int height = static_cast<int>(std::lround(thumbnail.height / thumbnail_ratio));
        picture = QRect(centre_x - width / 2, centre_y - height / 2, width, height);
        if (thumbnail.kind == PixelFormat::Colour8) {
            image_draw_colour8(painter, thumbnail, picture.x(), picture.y(), thumbnail_ratio);
        } else {
            image_draw_grey8(painter, thumbnail, picture.x(), picture.y(), thumbnail_ratio);
        }
    } else {
        picture = QRect(cell.x + margin, cell.y + margin, grid_cell_size - 2 * margin, grid_cell_size - 2 * margin);
        fill_rectangle(painter, picture, Qt::black);
    }
    const int right = cell.x + grid_cell_size;
    const int bottom = cell.y + grid_cell_size;
    fill_rectangle(painter, QRect(cell.x, cell.y, grid_cell_size, picture.top() - cell.y), frame);
    fill_rectangle(painter, QRect(cell.x, picture.bottom() + 1, grid_cell_size, bottom - picture.bottom() - 1), frame);
    fill_rectangle(painter, QRect(cell.x, picture.top(), picture.left() - cell.x, picture.height()), frame);
    fill_rectangle(painter, QRect(picture.right() + 1, picture.top(), right - picture.right() - 1, picture.height()),
                   frame);
}

}  // namespace

ThumbnailGrid::ThumbnailGrid(AppContext& context, ShellInterface& shell, QWidget* parent)
    : QWidget(parent), context_(context), shell_(shell) {
    setObjectName(QStringLiteral("thumbnail grid"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, window_grey);
    setPalette(palette);
    setCursor(Qt::ArrowCursor);
    setMouseTracking(false);
    setFocusPolicy(Qt::StrongFocus);

    CaptionFonts captions;
    make_interface_font(parent ? parent : this, font_, captions);
    // Thumbnails are made with as many pixels as a cell has on this screen.
    const qreal ratio = devicePixelRatioF();
    context_.thumbnail_box = static_cast<std::int32_t>(std::lround(grid_cell_size * ratio));
    context_.thumbnail_margin = static_cast<std::int32_t>(std::lround(font_.margin * ratio));

    ImageBarParameters tools;
    tools.mode = image_bar_plain;
    tools.button_size = font_.line_height;
    tools.columns = tool_button_count;
    tools.rows = 1;
    for (std::int32_t i = 0; i < tool_button_count; ++i) {
        tools.bitmaps.emplace_back(tool_button(i).bitmap);
        tools.popups.push_back(Core::translated(tool_button(i).popup));
    }
    tools.parent = this;
    tools.identifier = tool_bar_identifier;
    tools.notify = [this](std::int32_t identifier, std::int32_t index) {
        if (identifier == tool_bar_identifier) tool_button_pressed(context_, shell_, index);
    };
    tool_bar_ = new ImageBar(font_.margin, font_.margin, tools, context_.ui, context_.settings_folder);
    tool_bar_->setAccessibleName(QCoreApplication::translate("ThumbnailGrid", "Tool buttons"));

    scroll_bar_ = new QScrollBar(Qt::Vertical, this);
    scroll_bar_->setSingleStep(1);
    scroll_bar_->setFocusPolicy(Qt::NoFocus);  // the keys stay the main window's
    scroll_bar_->hide();
    connect(scroll_bar_, &QScrollBar::valueChanged, this, [this](int value) {
        if (value == scroll_.position) return;
        scroll_.position = value;
        update();
    });
    update_layout();
}

GridArea ThumbnailGrid::area() const {
    return grid_area(width(), height(), font_.margin, tool_bar_->height(), font_.vertical_scroll_width);
}

void ThumbnailGrid::update_command_availability() {
    for (std::int32_t i = 0; i < tool_button_count; ++i) tool_bar_->set_disabled(i, !tool_button_enabled(context_, i));
}

void ThumbnailGrid::update_layout() {
    update_command_availability();
    const GridArea grid = area();
    const std::int32_t count = context_.show.slide_count();
    const Followed now{context_.current_slide, count, grid_columns(grid), grid_rows(grid)};
    const bool follow = now != followed_;
    if (now.current != followed_.current || focus_ >= count) focus_ = std::max(context_.current_slide, 0);
    followed_ = now;
    set_scroll(grid_scroll(grid, count, follow ? context_.current_slide : -1, scroll_.position));
}

void ThumbnailGrid::set_scroll(const GridScroll& scroll) {
    const GridArea grid = area();
    scroll_ = scroll;
    if (scroll_.shown) {
        const int s = font_.vertical_scroll_width;
        scroll_bar_->setGeometry(width() - s, grid.top, s, height() - grid.top);
        const QSignalBlocker quiet(scroll_bar_);
        scroll_bar_->setRange(0, scroll_.maximum);
        scroll_bar_->setPageStep(grid_rows(grid));
        scroll_bar_->setValue(scroll_.position);
    }
    scroll_bar_->setVisible(scroll_.shown);
    update();
}

void ThumbnailGrid::fill_context_menu(QMenu& menu) {
    for (const std::int32_t id : grid_context_menu().ids) {
        if (id == menu_separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action =
            menu.addAction(QString::fromStdU16String(Core::translated(find_command(id)->text)).replace(u'&', "&&"));
        action->setData(id);
        action->setEnabled(command_enabled(context_, id));
        connect(action, &QAction::triggered, this, [this, id] { run_command(context_, shell_, id); });
    }
}

void ThumbnailGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const GridArea grid = area();
    const std::int32_t count = context_.show.slide_count();
    const std::int32_t first = scroll_.position * grid_columns(grid);
    const qreal thumbnail_ratio = context_.thumbnail_box / static_cast<qreal>(grid_cell_size);
    const QRect dirty = event->rect();
    // One cell more than the slides, for a drop bar after the last.
    for (const GridCell& cell : grid_walk(grid, first, count + 1)) {
        if (cell.index < count && dirty.intersects(QRect(cell.x, cell.y, grid_cell_size, grid_cell_size))) {
            const Slide& slide = context_.show.slides[static_cast<std::size_t>(cell.index)];
            const QColor& frame = cell.index == context_.playback.displayed_slide ? displayed_frame
                                  : slide.selected                             ? selected_frame
                                                                               : plain_frame;
            paint_cell(painter, cell, slide, frame, font_.margin, thumbnail_ratio);
        }
        if (cell.index == focus_ && cell.index < count && focus_shown_ && hasFocus()) {
            const qreal inset = focus_ring_width / 2.0;
            painter.setPen(QPen(palette().color(QPalette::Highlight), focus_ring_width, Qt::SolidLine, Qt::SquareCap,
                                Qt::MiterJoin));
            painter.drawRect(QRectF(cell.x, cell.y, grid_cell_size, grid_cell_size).adjusted(inset, inset, -inset, -inset));
        }
        if (drag_.active && cell.index == drag_.drop) {
            fill_rectangle(painter, QRect(cell.x - drop_bar_width / 2, cell.y, drop_bar_width, grid_cell_size),
                           drop_bar);
        }
    }
}

void ThumbnailGrid::resizeEvent(QResizeEvent*) { update_layout(); }

std::int32_t ThumbnailGrid::slide_at(QPointF position) const {
    const QPoint p = position.toPoint();
    return grid_hit_test(area(), scroll_.position, context_.show.slide_count(), p.x(), p.y());
}

void ThumbnailGrid::mousePressEvent(QMouseEvent* event) {
    const std::int32_t index = slide_at(event->position());
    if (index >= 0) focus_ = index;
    focus_shown_ = false;
    if (event->button() == Qt::LeftButton) {
        const Qt::KeyboardModifiers keys = event->modifiers();
        grid_left_press(context_, drag_, index, keys & Qt::ControlModifier, keys & Qt::ShiftModifier);
    } else if (event->button() == Qt::RightButton) {
        if (!grid_right_press(context_, index)) return;
        update();
        open_menu(event->globalPosition().toPoint());
    }
}

void ThumbnailGrid::open_menu(QPoint global_position) {
    QMenu menu(this);
    fill_context_menu(menu);
    menu.exec(global_position);
}

void ThumbnailGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!drag_.active) return;
    const QPoint p = event->position().toPoint();
    const std::int32_t drop = grid_drop_position(area(), scroll_.position, context_.show.slide_count(),
                                                 context_.current_slide, p.x(), p.y());
    if (drop == drag_.drop) return;
    drag_.drop = drop;
    update();
}

void ThumbnailGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const bool bar_shown = drag_.drop >= 0;
    grid_left_release(context_, drag_);
    if (bar_shown) update();
}

void ThumbnailGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) grid_double_click(context_, shell_, slide_at(event->position()));
}

void ThumbnailGrid::contextMenuEvent(QContextMenuEvent* event) {
    // The right button's press has opened the grid's menu already; the keyboard's menu
    // request opens it at the focus cell.
    event->accept();
    if (event->reason() == QContextMenuEvent::Keyboard) open_menu_at_focus();
}

void ThumbnailGrid::open_menu_at_focus() {
    if (grid_key_press(context_, shell_, focus_, {GridKey::Menu}, 0, 0) != GridKeyResult::OpenMenu) return;
    focus_moved();
    if (const std::optional<QRect> cell = cell_rect(focus_)) open_menu(mapToGlobal(cell->center()));
}

std::optional<QRect> ThumbnailGrid::cell_rect(std::int32_t index) const {
    const GridArea grid = area();
    const std::int32_t first = scroll_.position * grid_columns(grid);
    if (index < first) return std::nullopt;
    for (const GridCell& cell : grid_walk(grid, first, std::min(index + 1, context_.show.slide_count()))) {
        if (cell.index == index) return QRect(cell.x, cell.y, grid_cell_size, grid_cell_size);
    }
    return std::nullopt;
}

namespace {

std::optional<GridMove> grid_move(int key) {
    switch (key) {
    case Qt::Key_Left: return GridMove::Left;
    case Qt::Key_Right: return GridMove::Right;
    case Qt::Key_Up: return GridMove::Up;
    case Qt::Key_Down: return GridMove::Down;
    case Qt::Key_Home: return GridMove::Home;
    case Qt::Key_End: return GridMove::End;
    case Qt::Key_PageUp: return GridMove::PageUp;
    case Qt::Key_PageDown: return GridMove::PageDown;
    default: return std::nullopt;
    }
}

}  // namespace

void ThumbnailGrid::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers keys = event->modifiers();
    GridKeyPress press{GridKey::Move, GridMove::Left, (keys & Qt::ControlModifier) != 0,
                       (keys & Qt::ShiftModifier) != 0};
    if (const std::optional<GridMove> move = grid_move(event->key())) {
        press.move = *move;
    } else if (event->key() == Qt::Key_Space) {
        press.key = GridKey::Space;
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        press.key = GridKey::Enter;
    } else if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && press.shift)) {
        open_menu_at_focus();
        return;
    } else {
        QWidget::keyPressEvent(event);  // the main window's
        return;
    }
    const GridArea grid = area();
    if (grid_key_press(context_, shell_, focus_, press, grid_columns(grid), grid_rows(grid)) == GridKeyResult::PassOn) {
        focus_shown_ = true;
        QWidget::keyPressEvent(event);
        return;
    }
    focus_moved();
}

void ThumbnailGrid::key_at_cell(std::int32_t index, const GridKeyPress& press) {
    if (index < 0 || index >= context_.show.slide_count()) return;
    focus_ = index;
    if (press.key == GridKey::Menu) {
        open_menu_at_focus();
        return;
    }
    const GridArea grid = area();
    if (grid_key_press(context_, shell_, focus_, press, grid_columns(grid), grid_rows(grid)) != GridKeyResult::PassOn) {
        focus_moved();
    }
}

void ThumbnailGrid::focus_moved() {
    focus_shown_ = true;
    set_scroll(grid_scroll(area(), context_.show.slide_count(), focus_, scroll_.position));
    if (QAccessible::isActive() && hasFocus()) {
        QAccessibleEvent moved(this, QAccessible::Focus);
        moved.setChild(accessible_cell_child(*this, focus_));
        QAccessible::updateAccessibility(&moved);
    }
}

void ThumbnailGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) focus_shown_ = true;
    update();
}

void ThumbnailGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void ThumbnailGrid::wheelEvent(QWheelEvent* event) {
    if (scroll_bar_->isVisible()) QApplication::sendEvent(scroll_bar_, event);
}

}  // namespace lumivane

#include "ui/image_bar.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

#include "imaging/button_bitmaps.h"
#include "imaging/preview.h"
#include "platform/message_boxes.h"
#include "platform/translation.h"
#include "ui/image_drawing.h"
#include "ui/interface_drawing.h"
#include "ui/popup_help.h"

namespace lumivane {

namespace {

const QColor bar_grey(192, 192, 192);
constexpr int bevel_grey = 192;
constexpr int bevel_rings = 2;
// The bar's border; its client area starts inside it.
constexpr int border = 1;

// Tells assistive tools that a state of button index changed.
void tell_state(ImageBar* bar, std::int32_t index, const QAccessible::State& changed) {
    if (!QAccessible::isActive()) return;
    QAccessibleStateChangeEvent event(bar, changed);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

void draw_picture(QPainter& painter, const ImageBuffer& picture, int x, int y, qreal ratio) {
    if (picture.kind == PixelFormat::Grey8) {
        image_draw_grey8(painter, picture, x, y, ratio);
    } else {
        image_draw_colour8(painter, picture, x, y, ratio);
    }
}

}  // namespace

ImageBar::ImageBar(int x, int y, const ImageBarParameters& parameters, UserInterface& ui,
                   const std::u16string& settings_folder)
    : QWidget(parameters.parent),
      grid_{parameters.button_size, parameters.columns, parameters.rows},
      mode_(parameters.mode),
      identifier_(parameters.identifier),
      notify_(parameters.notify) {
    setObjectName(QStringLiteral("image bar"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, bar_grey);
    setPalette(palette);
    setCursor(Qt::ArrowCursor);
    setMouseTracking(true);
    setGeometry(x, y, image_bar_width(grid_), image_bar_height(grid_));

    // The pictures are made with as many pixels as the button has on this screen, from
    // the larger originals, so they stay sharp where a pixel of the window is several.
    picture_ratio_ = parameters.parent ? parameters.parent->devicePixelRatioF() : devicePixelRatioF();
    const auto pixels = static_cast<std::int32_t>(std::lround(grid_.button_size * picture_ratio_));
    buttons_.resize(static_cast<std::size_t>(image_bar_button_count(grid_)));
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        Button& button = buttons_[i];
        std::vector<BitmapProblem> problems;
        if (i < parameters.bitmaps.size() &&
            !load_bitmap_file(button.picture, parameters.bitmaps[i], pixels, pixels, settings_folder, problems)) {
            if (image_make_dimmed(button.picture, button.dimmed)) image_free(button.dimmed);
        }
        for (const BitmapProblem& problem : problems) {
            if (problem.kind == BitmapProblem::Kind::PathTooLong) {
                error_box(ui, Core::tr("Pathname too long"));
            } else {
                error_box(ui, Core::tr("Error loading bitmap file: %s"), problem.path);
            }
        }
        if (i < parameters.popups.size()) button.popup = QString::fromStdU16String(parameters.popups[i]);
    }
    if (mode_ == image_bar_radio && !buttons_.empty()) buttons_[0].checked = true;

    CaptionFonts captions;
    make_interface_font(parameters.parent ? parameters.parent : this, popup_font_, captions);
    rest_timer_.setSingleShot(true);
    rest_timer_.setTimerType(Qt::PreciseTimer);
    popup_timer_.setSingleShot(true);
    popup_timer_.setTimerType(Qt::PreciseTimer);
    connect(&rest_timer_, &QTimer::timeout, this, [this] { timer_elapsed(image_bar_rest_timer); });
    connect(&popup_timer_, &QTimer::timeout, this, [this] { timer_elapsed(image_bar_popup_timer); });
    show();
}

ImageBar::~ImageBar() { reset_hover(); }

void ImageBar::set_radio_checked(std::int32_t index) {
    if (index < 0 || index >= button_count() || buttons_[index].checked) return;
    QAccessible::State changed;
    changed.checked = changed.pressed = true;
    for (std::int32_t i = 0; i < button_count(); ++i) {
        if (buttons_[i].checked) tell_state(this, i, changed);
        buttons_[i].checked = false;
    }
    buttons_[index].checked = true;
    tell_state(this, index, changed);
    update();
}

bool ImageBar::is_checked(std::int32_t index) const {
    return index >= 0 && index < button_count() && buttons_[index].checked;
}


bool ImageBar::is_disabled(std::int32_t index) const {
    return index >= 0 && index < button_count() && buttons_[index].disabled;
}

void ImageBar::set_disabled(std::int32_t index, bool value) {
    if (index < 0 || index >= button_count() || buttons_[index].disabled == value) return;
    buttons_[index].disabled = value;
    QAccessible::State changed;
    changed.disabled = true;
    tell_state(this, index, changed);
    update();
}

bool ImageBar::timer_running(int timer) const {
    if (timer == image_bar_rest_timer) return rest_timer_.isActive();
    if (timer == image_bar_popup_timer) return popup_timer_.isActive();
    return false;
}

void ImageBar::timer_elapsed(int timer) {
    if (timer == image_bar_rest_timer) {
        rest_timer_.stop();
        if (hover_ >= 0) {
            show_popup_help(buttons_[hover_].popup, parentWidget(), popup_font_);
            popup_timer_.start(image_bar_popup_milliseconds);
        } else {
            remove_popup_help();
        }
    } else if (timer == image_bar_popup_timer) {
        reset_hover();
    }
}

void ImageBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, width() - 1, height() - 1);
    painter.translate(border, border);
    for (std::int32_t i = 0; i < button_count(); ++i) {
        const Button& button = buttons_[i];
        const ButtonSquare square = image_bar_button_square(grid_, i);
        draw_picture(painter, button.disabled ? button.dimmed : button.picture, square.x, square.y, picture_ratio_);
        draw_bevel(painter, square.x, square.y, square.size, square.size, bevel_rings, bevel_grey, button.checked);
    }
    const int client_width = width() - 2 * border;
    const int client_height = height() - 2 * border;
    for (std::int32_t i = 1; i < grid_.rows; ++i) {
        const int y = image_bar_separator(grid_, i);
        painter.drawLine(0, y, client_width - 1, y);
    }
    for (std::int32_t j = 1; j < grid_.columns; ++j) {
        const int x = image_bar_separator(grid_, j);
        painter.drawLine(x, 0, x, client_height - 1);
    }
}

std::int32_t ImageBar::button_at(QPoint position) const {
    return image_bar_hit_test(grid_, position.x() - border, position.y() - border);
}

void ImageBar::hover_over(std::int32_t index) {
    if (index == hover_) return;
    if (index < 0) {
        reset_hover();
        return;
    }
    hover_ = index;
    remove_popup_help();
    rest_timer_.start(image_bar_rest_milliseconds);
}

void ImageBar::reset_hover() {
    hover_ = -1;
    rest_timer_.stop();
    popup_timer_.stop();
    remove_popup_help();
}

void ImageBar::mouseMoveEvent(QMouseEvent* event) { hover_over(button_at(event->position().toPoint())); }

void ImageBar::leaveEvent(QEvent*) { hover_over(-1); }

void ImageBar::mousePressEvent(QMouseEvent* event) {
    reset_hover();
    if (event->button() != Qt::LeftButton) return;
    const std::int32_t index = button_at(event->position().toPoint());
    pressed_ = index;
    press_button(index);
}

void ImageBar::press_button(std::int32_t index) {
    if (index < 0 || index >= button_count() || buttons_[index].disabled) return;
    if (mode_ == image_bar_radio) set_radio_checked(index);
    if (notify_) notify_(identifier_, index);
}

QString ImageBar::popup_text(std::int32_t index) const {
    return index >= 0 && index < button_count() ? buttons_[index].popup : QString();
}

QRect ImageBar::button_rect(std::int32_t index) const {
    const ButtonSquare square = image_bar_button_square(grid_, index);
    return QRect(border + square.x, border + square.y, square.size, square.size);
}

void ImageBar::mouseReleaseEvent(QMouseEvent*) { reset_hover(); }

}  // namespace lumivane

#include "ui/playback_widget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <QtMath>

#include <algorithm>
#include <chrono>

#include "app/app_context.h"
#include "playback/frame_pacing.h"
#include "playback/timeline.h"
#include "ui/gl_playback_view.h"
#include "ui/playback_notice.h"
#include "ui/playback_keys.h"
#include "ui/shell/drawing_choice.h"

namespace lumivane {

namespace {

// The user interface's clock, with fractions of a millisecond.
double now_milliseconds() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

PlaybackWidget::PlaybackWidget(AppContext& context, const CaptionFonts& fonts, const QRect& screen)
    : QWidget(nullptr), context_(context), fonts_(fonts), screen_(screen) {
    setObjectName(QStringLiteral("Run"));
    setAttribute(Qt::WA_OpaquePaintEvent);  // the picture covers everything; nothing is erased first
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    const std::int32_t window_size = context.show.settings.size;
    windowed_ = window_size >= 1 && window_size <= 8;
    if (!windowed_) {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setGeometry(screen);
    } else {
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        const ClientSize size = playback_client_size(context.show.settings, screen.width(), screen.height());
        setFixedSize(size.width, size.height);
        centre_on_screen();
        set_title(context.show.settings.name);
    }
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { timer_tick(); });
    const GraphicsDrawing& graphics = graphics_drawing();
    if (draws_on_graphics(context.drawing, graphics.available, graphics.software)) {
        view_ = new GlPlaybackView(context.show, scene, context.motion);
        view_container_ = QWidget::createWindowContainer(view_, this);
        view_container_->setAttribute(Qt::WA_TransparentForMouseEvents);
        view_container_->setFocusPolicy(Qt::NoFocus);
        QObject::connect(view_, &QOpenGLWindow::frameSwapped, this, [this] { frame_swapped(); });
    }
    size_picture();
    playback_window_created(context.player, *this);
}

PlaybackWidget::~PlaybackWidget() {
    timer_.stop();
    if (context_.playback.window == this) playback_window_destroyed(context_.player);
}

bool PlaybackWidget::size_picture() {
    const qreal ratio = devicePixelRatioF();
    const QSize device(qRound(width() * ratio), qRound(height() * ratio));
    if (view_container_) view_container_->setGeometry(rect());
    if (device == client_ && ratio == ratio_) return false;
    client_ = device;
    ratio_ = ratio;
    if (view_) return true;
    picture_ = QImage(device, QImage::Format_RGB32);
    picture_.setDevicePixelRatio(ratio);
    picture_.fill(Qt::black);
    return true;
}

void PlaybackWidget::follow_device_pixels() {
    if (size_picture()) playback_window_resized(context_.player);
}

void PlaybackWidget::centre_on_screen() {
    const QRect frame = frameGeometry();
    const WindowOrigin at = centred_window_origin(screen_.x(), screen_.y(), screen_.width(), screen_.height(),
                                                  frame.width(), frame.height());
    move(at.x, at.y);  // a window's position is that of its frame
}

QPoint PlaybackWidget::device_point(const QPointF& position) const {
    const qreal ratio = ratio_;
    return QPoint(qFloor(position.x() * ratio), qFloor(position.y() * ratio));
}

MemoryBitmap PlaybackWidget::memory_bitmap() {
    return {picture_.bits(), picture_.width(), picture_.height(), picture_.bytesPerLine()};
}

void PlaybackWidget::present(const std::u16string& caption, CaptionSize show_captions) {
    if (view_) {
        const std::u16string shown = show_captions != CaptionSize::None ? caption : std::u16string();
        if (shown != caption_ || show_captions != caption_size_ || view_container_->size() != size()) {
            caption_ = shown;
            caption_size_ = show_captions;
            QImage over;
            if (!shown.empty()) {
                // Drawn by the processor as over the picture, then laid over it there.
                over = QImage(client_, QImage::Format_ARGB32_Premultiplied);
                over.setDevicePixelRatio(ratio_);
                over.fill(Qt::transparent);
                QPainter painter(&over);
                draw_caption(painter, QRect(QPoint(0, 0), size()), shown, show_captions, fonts_);
            }
            view_->set_caption(over);
        }
        view_->update();
        return;
    }
    if (show_captions != CaptionSize::None && !caption.empty()) {
        // The painter works in the window's own units, so the caption keeps its size on
        // a scaled screen and is drawn with all its device pixels.
        QPainter painter(&picture_);
        draw_caption(painter, QRect(QPoint(0, 0), size()), caption, show_captions, fonts_);
    }
    update();
}

void PlaybackWidget::set_timer(std::int32_t milliseconds) {
    // On the graphics processor's path a tick of moving pictures (due within a period of
    // the slower frame rate) waits for the swap of the picture just drawn, whatever the
    // display's rate; slides at rest keep the timer.
    tick_on_swap_ = view_ && milliseconds <= timer_milliseconds(1.0 / 50);
    ticks_on_swap_ = false;
    if (tick_on_swap_) {
        timer_.stop();
    } else {
        // The processor's path ticks as early as its last picture took to draw, so that
        // the picture for the moment is on the screen at it, and a tick held up by a
        // busy system has that much longer before its moment is missed.
        timer_.start(std::max(milliseconds - static_cast<std::int32_t>(draw_lead_), 0));
    }
}

void PlaybackWidget::kill_timer() {
    timer_.stop();
    tick_on_swap_ = false;
    ticks_on_swap_ = false;
}

void PlaybackWidget::timer_tick() {
    if (ticks_on_swap_) {
        ticks_on_swap_ = false;
        playback_tick_at(context_.player, shown_at_);
        return;
    }
    const double start = now_milliseconds();
    playback_tick(context_.player);
    // Half a refresh at most: a slow picture still comes after the one before.
    draw_lead_ = std::clamp(now_milliseconds() - start, 0.0, 8.0);
}

void PlaybackWidget::frame_swapped() {
    const double refresh = refresh_period(screen() ? screen()->refreshRate() : 0.0);
    const double now = now_milliseconds();
    shown_at_ = next_refresh(shown_at_, refresh, now);
    if (!tick_on_swap_) return;
    // With vertical sync the swap has waited for the refresh and the wait is none; a
    // display that does not pace is waited for here.
    tick_on_swap_ = false;
    ticks_on_swap_ = true;
    timer_.start(wait_until(shown_at_ - refresh, refresh, now));
}

void PlaybackWidget::show_notice(const QString& text) {
    if (!notice_) notice_ = new PlaybackNotice(this);
    notice_->add(text);
}

void PlaybackWidget::set_visible(bool visible) { setVisible(visible); }

bool PlaybackWidget::on_screen() const {
    if (!isVisible() || isMinimized()) return false;
    if (!lowered_) return true;
    // Only the part of the screen that panels leave free can show it.
    QRect seen = frameGeometry();
    if (const QScreen* where = screen()) seen &= where->availableGeometry();
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other != this && other->isVisible() && !other->isMinimized() && other->frameGeometry().contains(seen)) {
            return false;
        }
    }
    return true;
}

void PlaybackWidget::set_stays_on_top(bool on) {
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowStaysOnTopHint, on);
    if (QWindow* window = windowHandle()) {
        // Told to the window system as a change of state: setting a shown widget's
        // flags would hide the window and show it again, which flickers and forgets
        // its place.
        overrideWindowFlags(flags);
        window->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
}

void PlaybackWidget::to_top() {
    lowered_ = false;
    set_stays_on_top(true);
    raise();
    activateWindow();
}

void PlaybackWidget::to_bottom() {
    lowered_ = true;
    set_stays_on_top(false);
    lower();
}

void PlaybackWidget::set_title(const std::u16string& title) { setWindowTitle(QString::fromStdU16String(title)); }

void PlaybackWidget::close_window() { close(); }

bool PlaybackWidget::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // A move to a screen of another pixel ratio.
    if (event->type() == QEvent::ScreenChangeInternal) follow_device_pixels();
    // The viewer brought it to the front.
    if (event->type() == QEvent::WindowActivate) lowered_ = false;
    return handled;
}

void PlaybackWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    follow_device_pixels();
}

void PlaybackWidget::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (windowed_ && !centred_with_frame_ && frameGeometry().size() != size()) {
        centred_with_frame_ = true;
        centre_on_screen();
    }
}

void PlaybackWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    follow_device_pixels();
}

void PlaybackWidget::paintEvent(QPaintEvent*) {
    if (view_) return;  // it covers the window
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void PlaybackWidget::keyPressEvent(QKeyEvent* event) {
    const PlaybackKey key = playback_key(event->key());
    playback_key_down(context_.player, key);
    if (event->key() == Qt::Key_F5) {
        // A presentation remote's start key plays the show from where it stands.
        run_show(context_.player);
    } else if (event->key() == Qt::Key_Escape) {
        playback_character(context_.player, u'\x1b');
    } else {
        for (QChar c : event->text()) playback_character(context_.player, c.unicode());
    }
}

void PlaybackWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = device_point(event->position());
    playback_mouse_move(context_.player, p.x(), p.y());
}

void PlaybackWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = device_point(event->position());
    playback_mouse_press(context_.player, p.x(), p.y());
}

void PlaybackWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) playback_mouse_release(context_.player);
}

void PlaybackWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) playback_double_click(context_.player);
}

void PlaybackWidget::wheelEvent(QWheelEvent* event) {
    // Wheel away from the user (positive) zooms in.
    playback_mouse_wheel(context_.player, event->angleDelta().y());
}

void PlaybackWidget::closeEvent(QCloseEvent* event) {
    // Closed is gone for the timeline, even before Qt deletes the window.
    timer_.stop();
    if (context_.playback.window == this) playback_window_destroyed(context_.player);
    event->accept();
}

}  // namespace lumivane

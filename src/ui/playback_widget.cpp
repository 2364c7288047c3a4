#include "ui/playback_widget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include "document/app_context.h"
#include "playback/timeline.h"
#include "ui/image_drawing.h"

namespace lumivane {

PlaybackWidget::PlaybackWidget(AppContext& context, const CaptionFonts& fonts, const QRect& screen)
    : QWidget(nullptr), context_(context), fonts_(fonts) {
    setObjectName(QStringLiteral("Run"));
    setAttribute(Qt::WA_OpaquePaintEvent);  // the picture covers everything; nothing is erased first
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    const ClientSize size = playback_client_size(context, screen.width(), screen.height());
    client_ = QSize(size.width, size.height);
    const std::int32_t window_size = context.show.settings.size;
    if (window_size < 1 || window_size > 8) {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setGeometry(screen);
    } else {
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        setFixedSize(client_);
        move(screen.center() - QPoint(client_.width() / 2, client_.height() / 2));
        set_title(context.show.settings.name);
    }
    picture_ = QImage(client_, QImage::Format_RGB32);
    picture_.fill(Qt::black);
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { playback_tick(context_); });
    playback_window_created(context, *this);
}

PlaybackWidget::~PlaybackWidget() {
    timer_.stop();
    if (context_.playback.window == this) playback_window_destroyed(context_);
}

void PlaybackWidget::present(const std::u16string& caption, std::int32_t show_captions) {
    frame_draw(picture_, output);
    if (show_captions != 0 && !caption.empty()) {
        QPainter painter(&picture_);
        draw_caption(painter, picture_.rect(), caption, show_captions, fonts_);
    }
    update();
}

void PlaybackWidget::set_timer(std::int32_t milliseconds) { timer_.start(milliseconds); }

void PlaybackWidget::kill_timer() { timer_.stop(); }

void PlaybackWidget::set_visible(bool visible) { setVisible(visible); }

void PlaybackWidget::to_top() {
    raise();
    activateWindow();
}

void PlaybackWidget::to_bottom() { lower(); }

void PlaybackWidget::set_title(const std::u16string& title) { setWindowTitle(QString::fromStdU16String(title)); }

void PlaybackWidget::close_window() { close(); }

void PlaybackWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void PlaybackWidget::keyPressEvent(QKeyEvent* event) {
    PlaybackKey key = PlaybackKey::Other;
    switch (event->key()) {
    case Qt::Key_End: key = PlaybackKey::End; break;
    case Qt::Key_Home: key = PlaybackKey::Home; break;
    case Qt::Key_Left: key = PlaybackKey::Left; break;
    case Qt::Key_Right: key = PlaybackKey::Right; break;
    default: break;
    }
    playback_key_down(context_, key);
    if (event->key() == Qt::Key_Escape) {
        playback_character(context_, u'\x1b');
    } else {
        for (QChar c : event->text()) playback_character(context_, c.unicode());
    }
}

void PlaybackWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    playback_mouse_move(context_, p.x(), p.y());
}

void PlaybackWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    playback_mouse_press(context_, p.x(), p.y());
}

void PlaybackWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) playback_mouse_release(context_);
}

void PlaybackWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) playback_double_click(context_);
}

void PlaybackWidget::wheelEvent(QWheelEvent* event) {
    // Wheel away from the user (positive) zooms in.
    playback_mouse_wheel(context_, event->angleDelta().y());
}

void PlaybackWidget::closeEvent(QCloseEvent* event) {
    // Closed is gone for the timeline, even before Qt deletes the window.
    timer_.stop();
    if (context_.playback.window == this) playback_window_destroyed(context_);
    event->accept();
}

}  // namespace lumivane

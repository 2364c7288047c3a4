#pragma once
// The window a show plays in: full screen and borderless, or a centred window of the
// show's proportions; the timeline drives it through PlaybackWindow. Its pictures are
// drawn in device pixels, so that on a scaled screen every pixel is sampled from the
// photograph: on the graphics processor where the preferences and the system allow
// (GlPlaybackView, one picture a refresh), else by the processor into an off-screen
// picture that reaches the screen with one copy, on a precise timer.

#include <QImage>
#include <QTimer>
#include <QWidget>

#include "playback/playback_window.h"
#include "ui/captions.h"

namespace lumivane {

struct AppContext;

class GlPlaybackView;
class PlaybackNotice;

class PlaybackWidget : public QWidget, public PlaybackWindow {
public:
    // Sized and placed for the show on the given screen area, not yet shown.
    PlaybackWidget(AppContext& context, const CaptionFonts& fonts, const QRect& screen);
    ~PlaybackWidget() override;

    bool draws_scenes() const override { return view_ != nullptr; }
    std::int32_t client_width() const override { return client_.width(); }
    std::int32_t client_height() const override { return client_.height(); }
    MemoryBitmap memory_bitmap() override;
    void present(const std::u16string& caption, CaptionSize show_captions) override;
    void set_timer(std::int32_t milliseconds) override;
    void kill_timer() override;
    void set_visible(bool visible) override;
    bool on_screen() const override;
    void to_top() override;
    void to_bottom() override;
    void set_title(const std::u16string& title) override;
    void close_window() override;

    // Shows an error over the show for a few seconds (PlaybackNotice).
    void show_notice(const QString& text);

    // What the window shows now, in device pixels, where the processor draws it.
    const QImage& picture() const { return picture_; }
    // The period of the timer last set, or -1 when none is set.
    int timer_period() const { return timer_.isActive() ? timer_.interval() : -1; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The client size in device pixels and the picture of that size, at the ratio of
    // the screen the window is on now; true when they have changed.
    bool size_picture();
    // The same, telling the timeline of a change.
    void follow_device_pixels();
    // Centres the window, its frame included, on the screen area; once the window
    // system has framed it, its frame is known and it is centred again.
    void centre_on_screen();
    QPoint device_point(const QPointF& position) const;
    void set_stays_on_top(bool on);
    void timer_tick();
    // A picture of the graphics processor's path is on the screen: the next one is
    // computed for one refresh later.
    void frame_swapped();

    AppContext& context_;
    const CaptionFonts& fonts_;
    QRect screen_;
    bool windowed_ = false;
    bool centred_with_frame_ = false;
    bool lowered_ = false;  // sent behind the other windows, and not brought back since
    QSize client_;
    qreal ratio_ = 0.0;
    QImage picture_;
    QTimer timer_;
    GlPlaybackView* view_ = nullptr;  // none where the processor draws
    QWidget* view_container_ = nullptr;  // the widget that holds it in the window
    PlaybackNotice* notice_ = nullptr;  // made for the first notice
    // The graphics processor's pacing: the moment the picture last drawn is for, and
    // whether the next tick waits for its swap.
    double shown_at_ = 0.0;
    bool tick_on_swap_ = false;
    bool ticks_on_swap_ = false;  // the running timer is one set after a swap
    // The processor's path: milliseconds its last tick took, which the next one starts
    // early.
    double draw_lead_ = 0.0;
    // The caption last drawn for the graphics processor, to draw it again only when it
    // changes.
    std::u16string caption_;
    CaptionSize caption_size_ = CaptionSize::None;
};

}  // namespace lumivane

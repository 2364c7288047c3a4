#include "ui/playback_notice.h"

#include <QEvent>

#include <algorithm>

namespace lumivane {

namespace {

constexpr int notice_milliseconds = 6000;
// The latest errors shown at once; the picture stays the larger part of the screen.
constexpr qsizetype lines_shown = 4;

}  // namespace

PlaybackNotice::PlaybackNotice(QWidget* window)
    // A window of its own, as the graphics processor's picture is one that no widget of
    // the playback window can lie over; one like a tooltip's, above the show, which
    // takes neither the keyboard nor the clicks.
    : QLabel(window, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                         Qt::WindowTransparentForInput) {
    setObjectName(QStringLiteral("PlaybackNotice"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    // Light on a dark veil, readable over any photograph, as neutral as the playback's black.
    setStyleSheet(QStringLiteral("color: white; background-color: rgba(0, 0, 0, 190); border-radius: 6px;"
                                 "padding: 0.5em 1em;"));
    QFont larger = font();
    larger.setPointSizeF(larger.pointSizeF() * 1.25);
    setFont(larger);
    hide();
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        hide();
        lines_.clear();
    });
    window->installEventFilter(this);
}

void PlaybackNotice::add(const QString& text) {
    lines_.append(text);
    if (lines_.size() > lines_shown) lines_.remove(0, lines_.size() - lines_shown);
    setText(lines_.join(QLatin1Char('\n')));
    place();
    raise();
    show();
    timer_.start(notice_milliseconds);
}

bool PlaybackNotice::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::Resize || type == QEvent::Move) && isVisible()) place();
    if (type == QEvent::Hide) hide();
    return QLabel::eventFilter(watched, event);
}

void PlaybackNotice::place() {
    const QWidget* window = parentWidget();
    const int margin = fontMetrics().height();
    const int room = window->width() - 2 * margin;
    // Each error on a line of its own, broken only where it is wider than the window.
    setWordWrap(false);
    const QSize natural = sizeHint();
    setWordWrap(natural.width() > room);
    const int width = std::min(natural.width(), room);
    const QPoint at = window->mapToGlobal(QPoint((window->width() - width) / 2, margin));
    setGeometry(at.x(), at.y(), width, wordWrap() ? heightForWidth(width) : natural.height());
}

}  // namespace lumivane

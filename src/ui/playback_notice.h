#pragma once
// An error told while a show plays, over the playback window: the show must not stop
// for it, nor lose the keyboard. It lies across the top of the window, clear of the
// caption, for a few seconds after the last one came, and hides with the window; clicks
// go through it to the window. Errors that come while it shows are added below the ones
// before.

#include <QLabel>
#include <QStringList>
#include <QTimer>

namespace lumivane {

class PlaybackNotice : public QLabel {
public:
    // Over window, hidden until a text is added.
    explicit PlaybackNotice(QWidget* window);

    void add(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Across the top of the window, as wide as the text needs and the window allows.
    void place();

    QStringList lines_;
    QTimer timer_;
};

}  // namespace lumivane

#pragma once
// The keys that move through a show, as both windows take them from Qt. Presentation
// remotes send Page Up and Page Down for back and forward.

#include <Qt>

#include "playback/timeline.h"

namespace lumivane {

inline PlaybackKey playback_key(int key) {
    switch (key) {
    case Qt::Key_End: return PlaybackKey::End;
    case Qt::Key_Home: return PlaybackKey::Home;
    case Qt::Key_Left:
    case Qt::Key_PageUp: return PlaybackKey::Left;
    case Qt::Key_Right:
    case Qt::Key_PageDown: return PlaybackKey::Right;
    default: return PlaybackKey::Other;
    }
}

}  // namespace lumivane

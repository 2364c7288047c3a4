#pragma once
// The keys that move through a show, as both windows take them from Qt.

#include <Qt>

#include "playback/timeline.h"

namespace lumivane {

inline PlaybackKey playback_key(int key) {
    switch (key) {
    case Qt::Key_End: return PlaybackKey::End;
    case Qt::Key_Home: return PlaybackKey::Home;
    case Qt::Key_Left: return PlaybackKey::Left;
    case Qt::Key_Right: return PlaybackKey::Right;
    default: return PlaybackKey::Other;
    }
}

}  // namespace lumivane

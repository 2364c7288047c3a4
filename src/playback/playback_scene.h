#pragma once
// What the playback window shows, described rather than drawn: for a window that draws
// its pictures itself on the graphics processor. The timeline describes every picture
// it would compose on the processor.

#include <cstdint>

#include "document/slide_show.h"

namespace lumivane {

// A slide's picture at key frame k and progress t towards k + 1; slide -1 is black.
struct SlideView {
    std::int32_t slide = -1;
    std::int32_t key_frame = 0;
    double progress = 0.0;
};

struct PlaybackScene {
    SlideView shown;  // without a transition
    // A transition (the show's kind) from outgoing to incoming at its progress, 0 to 1;
    // TransitionKind::None shows `shown`.
    TransitionKind transition = TransitionKind::None;
    SlideView outgoing;
    SlideView incoming;
    double progress = 0.0;
};

}  // namespace lumivane

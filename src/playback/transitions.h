#pragma once
// The transitions between two slides. Each step composes a picture, byte by byte, from
// the outgoing frame (the slide before, or black) and the incoming frame (the new
// slide), on the worker pool.

#include <cstdint>

#include "document/slide_show.h"

namespace lumivane {

struct FrameBitmap;
struct MemoryBitmap;

// Writes the output frame over its whole storage (row padding included) for the
// transition kind (the show's `transition` setting) at progress x, 0 to 1: fade to
// black, crossfade or curtain. Kind none, or any other value, writes nothing. Fails,
// writing nothing, unless the three frames have pixels and the same size.
[[nodiscard]] bool compose_transition(TransitionKind kind, const FrameBitmap& outgoing, const FrameBitmap& incoming,
                                      FrameBitmap& output, double progress);

// The same step written straight into the window's picture, in one pass: the pixels
// are those the output frame would hold, turned top-down. Fails unless the picture has
// the frames' size.
[[nodiscard]] bool compose_transition(TransitionKind kind, const FrameBitmap& outgoing, const FrameBitmap& incoming,
                                      MemoryBitmap& picture, double progress);

}  // namespace lumivane

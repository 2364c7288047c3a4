#pragma once
// The transitions between two slides. Each step composes the output frame, byte by
// byte over its whole storage (row padding included), from the outgoing frame (the
// slide before, or black) and the incoming frame (the new slide), on the worker pool.

#include <cstdint>

namespace lumivane {

struct FrameBitmap;

// Writes the output frame for the transition kind (the show's `transition` setting) at
// progress x, 0 to 1: fade to black, crossfade or curtain. Kind none, or any other
// value, writes nothing. Fails, writing nothing, unless the three frames have pixels
// and the same size.
bool compose_transition(std::int32_t kind, const FrameBitmap& outgoing, const FrameBitmap& incoming,
                        FrameBitmap& output, double progress);

}  // namespace lumivane

#pragma once
// When each picture of a moving show is due, for both ways of showing it: a precise
// timer that keeps a period exactly on average (the processor's path and the export),
// and the display's own refresh (the graphics processor's path with vertical sync).
// Moments are milliseconds of the user interface's clock, with fractions, so that a
// period of 1000 / 60 ms does not become 17 ms.

#include <cstdint>

namespace lumivane {

// The moment a picture due at `due` is computed for when its tick runs at `now`: its
// own, unless the tick is more than a period late; then the latest moment of the same
// beat that has passed, the ones missed skipped rather than hurried through or the
// beat shifted.
double tick_moment(double due, double period, double now);

// Whole milliseconds from now until `due`, rounded up so that a timer never fires
// before the moment, and never more than the period.
std::int32_t wait_until(double due, double period, double now);

// The moment the next picture will be on the screen after the swap of the one meant
// for `shown` returned at `swapped`: one refresh later, or, when drawing missed a
// refresh (or this is the first picture), one refresh after the swap.
double next_refresh(double shown, double refresh, double swapped);

// The refresh period of a screen of the given rate in hertz; 60 Hz when the rate is
// unknown or absurd.
double refresh_period(double hertz);

}  // namespace lumivane

#include "playback/frame_pacing.h"

#include <algorithm>
#include <cmath>

namespace lumivane {

double tick_moment(double due, double period, double now) {
    const double late = now - due;
    if (late <= period) return due;
    if (period <= 0.0) return now;
    // The moments whose ticks never ran are skipped; the beat stays where it was. A
    // microsecond of slack: 29 periods of 1000 / 60 ms after a moment is that moment.
    return due + std::floor((late + 0.001) / period) * period;
}

std::int32_t wait_until(double due, double period, double now) {
    // Counted to the microsecond first: three periods of 1000 / 60 ms are 50 ms, not a
    // hair more that would round up to 51.
    const double wait = std::clamp(std::ceil(std::round(1000.0 * (due - now)) / 1000.0), 0.0,
                                   std::ceil(std::max(period, 0.0)));
    return static_cast<std::int32_t>(std::min(wait, 2147483647.0));
}

double next_refresh(double shown, double refresh, double swapped) {
    const double next = shown + refresh;
    // With vertical sync the swap returns as the last picture goes on the screen; half
    // a refresh later than that, a refresh has been missed.
    return swapped > next - refresh / 2 ? swapped + refresh : next;
}

double refresh_period(double hertz) {
    return hertz >= 20.0 && hertz <= 1000.0 ? 1000.0 / hertz : 1000.0 / 60.0;
}

}  // namespace lumivane

#include "playback/music_fit.h"

#include <algorithm>
#include <cmath>

#include "document/slide_show.h"
#include "playback/show_clock.h"
#include "playback/timeline.h"

namespace lumivane {

namespace {

constexpr double shortest_picture = 0.1;  // seconds on the show's clock

double round4(double value) { return std::round(value * 10000.0) / 10000.0; }

// Sets the slide's picture time on the show's clock: a still picture's delay, or a path's
// segments scaled alike (shared equally when they had no time).
void set_picture_seconds(SlideShow& show, std::int32_t index, double seconds) {
    Slide& slide = show.slides[static_cast<std::size_t>(index)];
    const double time = std::max(seconds, 0.0) * show.speed_factor;
    if (slide.frames.empty()) slide.frames.push_back({0.0, 0.0, 0.0, 1.0, 1.0});
    const std::int32_t segments = std::max(slide.frame_count() - 1, 1);
    double old = 0.0;
    for (std::int32_t k = 0; k < segments; ++k) old += key_frame_delay(show, index, k);
    double done = 0.0;
    for (std::int32_t k = 0; k < segments; ++k) {
        const double share = old > 0.0 ? key_frame_delay(show, index, k) / old : 1.0 / segments;
        // The last segment takes what the rounding of the others left.
        const double delay = k + 1 == segments ? round4(time - done) : round4(time * share);
        slide.frames[static_cast<std::size_t>(k)].delay = std::max(delay, 0.0);
        done += delay;
    }
}

// Makes each slide but the first begin at starts[i] on the show's clock; starts has one
// more entry, the show's end.
void set_starts(SlideShow& show, const std::vector<double>& starts) {
    double start = 0.0;
    for (std::int32_t i = 0; i < show.slide_count(); ++i) {
        set_picture_seconds(show, i, starts[static_cast<std::size_t>(i) + 1] - start - key_frame_start_seconds(show, i, 0));
        start += slide_seconds(show, i);
    }
}

double picture_seconds(const SlideShow& show, std::int32_t slide) {
    return slide_seconds(show, slide) - key_frame_start_seconds(show, slide, 0);
}

}  // namespace

bool fit_slides_to_length(SlideShow& show, double seconds) {
    const std::int32_t n = show.slide_count();
    if (n == 0 || !std::isfinite(seconds)) return true;
    const double transitions = n * key_frame_start_seconds(show, 0, 0);
    double pictures = 0.0;
    for (std::int32_t i = 0; i < n; ++i) pictures += picture_seconds(show, i);
    const double wanted = seconds - transitions;
    if (wanted <= 0.0) return true;
    std::vector<double> starts(static_cast<std::size_t>(n) + 1, 0.0);
    for (std::int32_t i = 0; i < n; ++i) {
        const double share = pictures > 0.0 ? picture_seconds(show, i) / pictures : 1.0 / n;
        starts[static_cast<std::size_t>(i) + 1] =
            starts[static_cast<std::size_t>(i)] + key_frame_start_seconds(show, i, 0) + wanted * share;
    }
    set_starts(show, starts);
    return false;
}

bool snap_slides_to_beats(SlideShow& show, const std::vector<double>& beats) {
    const std::int32_t n = show.slide_count();
    if (n == 0 || beats.empty()) return true;
    const double transition = key_frame_start_seconds(show, 0, 0);
    std::vector<double> starts(static_cast<std::size_t>(n) + 1, 0.0);
    double change = 0.0;
    for (std::int32_t i = 1; i < n; ++i) {
        change += slide_seconds(show, i - 1);
        const double earliest = starts[static_cast<std::size_t>(i) - 1] + transition + shortest_picture;
        double best = std::max(change, earliest);
        // A change after the last beat stays where it was.
        if (change <= beats.back()) {
            const auto first = std::lower_bound(beats.begin(), beats.end(), earliest);
            const auto after = std::lower_bound(first, beats.end(), change);
            if (after != beats.end()) best = *after;
            if (after != first && (after == beats.end() || change - *(after - 1) <= *after - change)) {
                best = *(after - 1);
            }
        }
        starts[static_cast<std::size_t>(i)] = best;
    }
    starts[static_cast<std::size_t>(n)] = starts[static_cast<std::size_t>(n) - 1] + slide_seconds(show, n - 1);
    set_starts(show, starts);
    return false;
}

}  // namespace lumivane

#pragma once
// Timing the slides to the music: their delays set so that the show lasts as long as the
// music, or so that each slide changes on a beat. Only the pictures' times change; the
// transitions keep theirs. Delays are set to what the index file keeps (4 decimals), each
// slide making up for the rounding of those before it, so the changes stay where they
// were put however many slides there are.

#include <vector>

namespace lumivane {

struct SlideShow;

// The pictures' times are scaled alike so that the show lasts seconds. True when that
// cannot be (the transitions alone last as long) or there are no slides.
[[nodiscard]] bool fit_slides_to_length(SlideShow& show, double seconds);
// Each slide change (the start of the transition into the next slide) goes to the beat
// nearest to it, no earlier than a tenth of a second of picture after the slide before
// it has come in; a change after the last beat, and the last slide, keep their times.
// beats are seconds from the music's start, in order. True when there are no beats or
// slides.
[[nodiscard]] bool snap_slides_to_beats(SlideShow& show, const std::vector<double>& beats);

}  // namespace lumivane

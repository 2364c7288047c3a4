#pragma once
// The show's clock: where each slide begins, counted from the start of the show, as the
// timeline plays it (each slide's transition in, then its picture's time over the speed
// factor). A running show keeps every slide and key frame on this clock, so that a late
// tick never puts the pictures behind the music; the music plays at the clock's position.

#include <cstdint>

namespace lumivane {

struct SlideShow;
struct PlaybackState;

// Seconds the slide lasts: its transition (when the show plays them) and then its key
// frames' delays over the speed factor (one delay for a still picture, the segments
// between key frames for a path).
double slide_seconds(const SlideShow& show, std::int32_t slide);
// Seconds from the show's start to the transition into the slide.
double slide_start_seconds(const SlideShow& show, std::int32_t slide);
// Seconds from the start of the slide to the start of its key frame's segment, after
// its transition.
double key_frame_start_seconds(const SlideShow& show, std::int32_t slide, std::int32_t key_frame);
// One pass of the show.
double show_seconds(const SlideShow& show);

std::int64_t clock_milliseconds(double seconds);

// What the music does after the show's clock has moved: play on, start or stop, and
// whether it goes to a position first.
struct MusicCue {
    bool play = false;
    bool seek = false;
    bool timed = false;     // the music keeps to the show's clock (not in Manual mode)
    double position = 0.0;  // seconds on the show's clock, when timed or seek
};

// Follows a show being played. A show that runs by itself takes the music along at its
// clock: it starts and stops with the show, and a jump (a key, a click in the grid, the
// show starting over) moves it to the jump's place. In Manual mode the music plays from
// its start while the playback window is seen, whatever slide the viewer moves to.
struct MusicFollower {
    bool playing = false;
    bool started = false;
    std::int64_t origin = 0;  // the clock origin the music was put at
};
MusicCue follow_music(MusicFollower& follower, const SlideShow& show, const PlaybackState& state,
                      std::int64_t now_milliseconds);

}  // namespace lumivane

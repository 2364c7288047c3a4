#include "playback/show_clock.h"

#include <cmath>

#include "document/slide_show.h"
#include "playback/playback_state.h"
#include "playback/playback_window.h"
#include "playback/timeline.h"

namespace lumivane {

namespace {

double transition_seconds(const ShowSettings& settings) {
    const bool plays = settings.transition >= TransitionKind::FadeToBlack && settings.transition <= TransitionKind::Curtain &&
                       settings.transition_time > 0.0;
    return plays ? settings.transition_time : 0.0;
}

}  // namespace

double key_frame_start_seconds(const SlideShow& show, std::int32_t slide, std::int32_t key_frame) {
    double seconds = transition_seconds(show.settings);
    for (std::int32_t k = 0; k < key_frame; ++k) seconds += key_frame_delay(show, slide, k) / show.speed_factor;
    return seconds;
}

double slide_seconds(const SlideShow& show, std::int32_t slide) {
    const std::int32_t frames = show.slides[static_cast<std::size_t>(slide)].frame_count();
    // A path ends with its last key frame; a still picture stays its first one's delay.
    return frames >= 2 ? key_frame_start_seconds(show, slide, frames - 1) : key_frame_start_seconds(show, slide, 1);
}

double slide_start_seconds(const SlideShow& show, std::int32_t slide) {
    double seconds = 0.0;
    for (std::int32_t i = 0; i < slide && i < show.slide_count(); ++i) seconds += slide_seconds(show, i);
    return seconds;
}

double show_seconds(const SlideShow& show) { return slide_start_seconds(show, show.slide_count()); }

std::int64_t clock_milliseconds(double seconds) {
    return std::isfinite(seconds) ? std::llround(1000.0 * seconds) : 0;
}

MusicCue follow_music(MusicFollower& follower, const SlideShow& show, const PlaybackState& state,
                      std::int64_t now_milliseconds) {
    const bool manual = show.settings.autorun == AutorunMode::Manual;
    const bool seen = state.window && state.window->on_screen();
    MusicCue cue;
    cue.play = show.slide_count() > 0 && seen && (manual || state.running);
    if (!cue.play) {
        follower.playing = false;
        return cue;
    }
    if (manual) {
        cue.seek = !follower.started;
    } else {
        cue.seek = !follower.playing || state.clock_origin != follower.origin;
        cue.timed = true;
        cue.position = static_cast<double>(now_milliseconds - state.clock_origin) / 1000.0;
    }
    follower.playing = true;
    follower.started = true;
    follower.origin = state.clock_origin;
    return cue;
}

}  // namespace lumivane

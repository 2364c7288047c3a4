#pragma once
// Playing the show: which slide, which key frame segment and which moment of it each
// timer tick shows, the transitions between slides, looping and stopping, and the keys
// and mouse of the playback window. Progress comes from elapsed wall time (the clock of
// the user interface), so a late tick never slows the show down.

#include <cstdint>

#include "playback/playback_record.h"

namespace lumivane {

class PlaybackWindow;

// The playback window's size for the show: the whole screen for size 0, else the
// largest client of the show's proportions inside (100 - 10 size) % of the screen.
// Sizes outside 0 to 8 count as 0.
struct ClientSize {
    std::int32_t width;
    std::int32_t height;
};
ClientSize playback_client_size(const ShowSettings& settings, std::int32_t screen_width, std::int32_t screen_height);

// The top-left corner that centres a window of the given outer size (frame and title
// bar included) on the screen area.
struct WindowOrigin {
    std::int32_t x;
    std::int32_t y;
};
WindowOrigin centred_window_origin(std::int32_t screen_x, std::int32_t screen_y, std::int32_t screen_width,
                                   std::int32_t screen_height, std::int32_t window_width, std::int32_t window_height);

// The window lifecycle: a new window gets black frames of its client size and the
// first transition prepared; a closed one stops the show.
void playback_window_created(PlaybackRecord& player, PlaybackWindow& window);
void playback_window_destroyed(PlaybackRecord& player);
// A new window for a newly opened show, of its size.
void recreate_playback_window(PlaybackRecord& player);
// The client size in device pixels has changed (the window went to a screen of another
// pixel ratio, or was resized): new frames of that size, the picture shown made again
// from the photograph, a running transition prepared again. The window's memory bitmap
// has the new size already.
void playback_window_resized(PlaybackRecord& player);
// The picture shown made again from the photograph where it stands, and a running
// transition's two ends prepared again: after the motion has changed, for one.
void playback_redraw(PlaybackRecord& player);

void go_to_slide(PlaybackRecord& player, std::int32_t index, bool draw_now);
void draw_current_slide(PlaybackRecord& player);
void run_show(PlaybackRecord& player);
void stop_show(PlaybackRecord& player, bool keep_in_place);
void toggle_show(PlaybackRecord& player);
void refresh_playback(PlaybackRecord& player);
void begin_transition(PlaybackRecord& player);
void prepare_transition(PlaybackRecord& player);
// Returns true when the slide has ended; stopped tells whether that ended the show.
[[nodiscard]] bool step_path(PlaybackRecord& player, bool& stopped);
void next_slide(PlaybackRecord& player, bool& stopped);

// The timer's tick, and the start message (a tick that first starts a transition).
void playback_tick(PlaybackRecord& player);
void playback_start(PlaybackRecord& player);
// Blacks out the window: sent when a show is closed or replaced.
void playback_clear(PlaybackRecord& player);

// The timer period after a tick, in milliseconds, rounded half away from zero.
std::int32_t timer_milliseconds(double seconds);
// A key frame's delay in seconds (the show's default delay when negative).
double key_frame_delay(const SlideShow& show, std::int32_t slide, std::int32_t key_frame);

enum class PlaybackKey { End, Home, Left, Right, Other };
void playback_key_down(PlaybackRecord& player, PlaybackKey key);
// Stops the show as a key does before it acts: as stop_show, except that End, Home and
// the arrows leave the picture on the screen for the next one to replace.
void stop_show_for_key(PlaybackRecord& player, PlaybackKey key, bool keep_in_place);
// What End, Home and the arrows do after the show is stopped, in either window: go
// there, play on from there and update the main window.
void move_by_key(PlaybackRecord& player, PlaybackKey key);
void playback_character(PlaybackRecord& player, char16_t character);

void playback_mouse_move(PlaybackRecord& player, std::int32_t x, std::int32_t y);
void playback_mouse_press(PlaybackRecord& player, std::int32_t x, std::int32_t y);
void playback_mouse_release(PlaybackRecord& player);
void playback_mouse_wheel(PlaybackRecord& player, std::int32_t delta);
void playback_double_click(PlaybackRecord& player);

}  // namespace lumivane

#include "playback/timeline.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "document/app_context.h"
#include "imaging/frame_bitmap.h"
#include "playback/motion.h"
#include "playback/playback_window.h"
#include "playback/transitions.h"

namespace lumivane {

namespace {

PlaybackState& state(AppContext& context) { return context.playback; }

bool has_slides(const AppContext& context) { return context.show.slide_count() > 0; }

std::int64_t now(AppContext& context) { return context.ui.now_milliseconds(); }

double elapsed_seconds(AppContext& context) {
    return static_cast<double>(now(context) - state(context).time_base) / 1000.0;
}

const Slide& slide_at(const AppContext& context, std::int32_t index) {
    return context.show.slides[static_cast<std::size_t>(index)];
}

double frame_period(const AppContext& context) { return context.frame_rate == frame_rate_50 ? 1.0 / 50 : 1.0 / 60; }

// The transitions the program knows; anything else a hand-edited file holds plays none.
bool plays_transition(const ShowSettings& settings) {
    return settings.transition >= transition_fade_to_black && settings.transition <= transition_curtain &&
           settings.transition_time > 0.0;
}

bool manual_mode(const AppContext& context) { return context.show.settings.autorun == autorun_manual; }

// The segment's time over the speed factor.
double segment_seconds(const AppContext& context, std::int32_t slide, std::int32_t key_frame) {
    return key_frame_delay(context, slide, key_frame) / context.show.speed_factor;
}

bool has_picture(PlaybackWindow* window) { return window && window->memory_bitmap().pixels; }

// Shows the window's memory bitmap with the caption of the given slide.
void present(AppContext& context, std::int32_t caption_slide) {
    PlaybackWindow* window = state(context).window;
    if (!has_picture(window)) return;
    const bool captioned = caption_slide >= 0 && caption_slide < context.show.slide_count();
    window->present(captioned ? slide_at(context, caption_slide).caption : std::u16string(),
                    context.show.settings.show_captions);
}

std::int32_t last_slide(const AppContext& context) { return context.show.slide_count() - 1; }

// A program that renders frames itself may set the motion without set_motion: a slide
// then gets its levels when it is first shown in smooth motion.
void levels_for(AppContext& context, std::int32_t slide) {
    if (context.motion != motion_smooth || slide < 0 || slide > last_slide(context)) return;
    Slide& s = context.show.slides[static_cast<std::size_t>(slide)];
    if (s.levels.empty()) prepare_slide_levels(context, s);
}

// Renders a slide straight into the memory bitmap, and keeps where it stands, so that
// the picture can be made again: at another size, or as where a transition starts.
bool render_shown(AppContext& context, std::int32_t slide, std::int32_t key_frame, double progress) {
    levels_for(context, slide);
    PlaybackState& pb = state(context);
    MemoryBitmap picture = pb.window->memory_bitmap();
    pb.shown_key_frame = key_frame;
    pb.shown_progress = progress;
    return render_slide_picture(context.show, slide, key_frame, progress, context.motion, picture);
}

// Stops the timer. A show stopped while it runs shows its slide at rest (draw_at_rest);
// one that has stopped by itself at the end of a slide keeps the picture on the screen,
// which is where that slide ended.
void halt_show(AppContext& context, bool keep_in_place, bool draw_at_rest) {
    PlaybackState& pb = state(context);
    if (pb.window) pb.window->kill_timer();
    pb.running = false;
    if (!pb.window) return;
    if (!keep_in_place) pb.window->to_bottom();
    go_to_slide(context, pb.displayed_slide, draw_at_rest);
    pb.from_black = true;
}

// Makes the frames again at the window's client size, black.
void create_frames(AppContext& context, PlaybackWindow& window) {
    const std::int32_t w = window.client_width();
    const std::int32_t h = window.client_height();
    for (FrameBitmap* frame : {&window.outgoing, &window.incoming}) {
        if (!frame_create(context.ui, *frame, w, h)) frame_clear(*frame);
    }
}

}  // namespace

double key_frame_delay(const AppContext& context, std::int32_t slide, std::int32_t key_frame) {
    const Slide& s = slide_at(context, slide);
    if (key_frame < 0 || key_frame >= s.frame_count()) return context.show.settings.default_delay;
    const double delay = s.frames[static_cast<std::size_t>(key_frame)].delay;
    return delay < 0.0 ? context.show.settings.default_delay : delay;
}

std::int32_t timer_milliseconds(double seconds) {
    // Delays from a hand-edited file may be negative or absurdly long.
    const double ms = std::clamp(1000.0 * seconds, 0.0, static_cast<double>(INT_MAX));
    return static_cast<std::int32_t>(ms + 0.5);
}

ClientSize playback_client_size(const AppContext& context, std::int32_t screen_width, std::int32_t screen_height) {
    const ShowSettings& s = context.show.settings;
    if (s.size < 1 || s.size > 8) return {screen_width, screen_height};
    const double f = 1.0 - 0.1 * s.size;
    const auto w = static_cast<std::int64_t>(f * screen_width + 0.5);
    const auto h = static_cast<std::int64_t>(f * screen_height + 0.5);
    const Proportions p = show_proportions(s);
    std::int64_t width = w;
    std::int64_t height = w * p.height / p.width;
    if (height > h) {
        height = h;
        width = h * p.width / p.height;
    }
    return {static_cast<std::int32_t>(std::max<std::int64_t>(width, 1)),
            static_cast<std::int32_t>(std::max<std::int64_t>(height, 1))};
}

WindowOrigin centred_window_origin(std::int32_t screen_x, std::int32_t screen_y, std::int32_t screen_width,
                                   std::int32_t screen_height, std::int32_t window_width, std::int32_t window_height) {
    return {screen_x + (screen_width - window_width) / 2, screen_y + (screen_height - window_height) / 2};
}

void playback_window_created(AppContext& context, PlaybackWindow& window) {
    state(context).window = &window;
    state(context).dragging = false;
    create_frames(context, window);
    begin_transition(context);
}

void playback_window_resized(AppContext& context) {
    PlaybackState& pb = state(context);
    if (!pb.window) return;
    create_frames(context, *pb.window);
    playback_redraw(context);
}

void playback_redraw(AppContext& context) {
    PlaybackState& pb = state(context);
    if (!pb.window) return;
    MemoryBitmap picture = pb.window->memory_bitmap();
    const bool shown = has_slides(context) && pb.displayed_slide >= 0 && pb.displayed_slide <= last_slide(context);
    // The picture the viewer saw, made again from the photograph.
    if (!shown || render_shown(context, pb.displayed_slide, pb.shown_key_frame, pb.shown_progress)) {
        memory_bitmap_clear(picture);
    }
    if (pb.in_transition) prepare_transition(context);
    present(context, shown ? pb.displayed_slide : -1);
}

void playback_window_destroyed(AppContext& context) {
    PlaybackState& pb = state(context);
    pb.running = false;
    pb.dragging = false;
    pb.window = nullptr;
}

void recreate_playback_window(AppContext& context) {
    if (state(context).window) state(context).window->close_window();
    context.ui.create_playback_window();
}

void go_to_slide(AppContext& context, std::int32_t index, bool draw_now) {
    PlaybackState& pb = state(context);
    context.current_slide = index;
    pb.key_frame = 0;
    if (has_slides(context) && index >= 0 && index <= last_slide(context)) {
        pb.path_active = slide_at(context, index).frame_count() >= 2;
        if (pb.path_active) pb.segment_duration = segment_seconds(context, index, 0);
    }
    pb.segment_ticks = 0;
    pb.in_transition = false;
    if (draw_now) {
        draw_current_slide(context);
        pb.displayed_slide = context.current_slide;
    }
    context.ui.refresh_main_window();
}

void draw_current_slide(AppContext& context) {
    if (!has_picture(state(context).window)) return;
    if (render_shown(context, context.current_slide, 0, 0.0) && has_slides(context)) return;
    present(context, context.current_slide);
}

void run_show(AppContext& context) {
    PlaybackState& pb = state(context);
    if (pb.running) return;
    if (!pb.window) context.ui.create_playback_window();
    if (!pb.window) return;
    pb.window->set_visible(has_slides(context));
    go_to_slide(context, context.current_slide, true);
    // In front before the first tick, which plays only in a window the viewer sees.
    pb.window->to_top();
    refresh_playback(context);
    pb.from_black = true;
}

void stop_show(AppContext& context, bool keep_in_place) {
    // Ticks clear running while they work, so a show that ends itself inside a tick
    // keeps its last picture.
    halt_show(context, keep_in_place, state(context).running);
}

void stop_show_for_key(AppContext& context, PlaybackKey key, bool keep_in_place) {
    // The arrows, Home and End move the show on at once: the picture stays until the
    // next one replaces it, and the right arrow's transition starts from it.
    halt_show(context, keep_in_place, key == PlaybackKey::Other && state(context).running);
}

void toggle_show(AppContext& context) {
    if (state(context).running) {
        stop_show(context, false);
    } else {
        run_show(context);
    }
}

void refresh_playback(AppContext& context) {
    context.ui.refresh_main_window();
    PlaybackState& pb = state(context);
    if (pb.running) return;
    if (pb.window && pb.window->on_screen()) {
        playback_start(context);
        return;
    }
    // A window the viewer cannot see (closed, or sent behind the main window) plays
    // nothing: a show that moved on unseen would leave the commands addressing a slide
    // the viewer never saw. The slide moved to is drawn at rest and shown as current.
    if (pb.displayed_slide != context.current_slide) go_to_slide(context, context.current_slide, true);
}

void begin_transition(AppContext& context) {
    PlaybackState& pb = state(context);
    if (!has_slides(context)) return;
    if (plays_transition(context.show.settings)) {
        prepare_transition(context);
        pb.in_transition = true;
        pb.time_base = now(context);
    } else {
        pb.in_transition = false;
    }
}

void prepare_transition(AppContext& context) {
    PlaybackState& pb = state(context);
    if (!pb.window || !has_slides(context)) return;
    levels_for(context, pb.displayed_slide);
    levels_for(context, context.current_slide);
    // The transition leaves the slide shown where the viewer last saw it, which after a
    // path is the end of the path.
    if (pb.from_black || render_slide_frame(context.show, pb.displayed_slide, pb.shown_key_frame, pb.shown_progress,
                                            context.motion, pb.window->outgoing)) {
        frame_clear(pb.window->outgoing);
    }
    render_slide_frame(context.show, context.current_slide, 0, 0.0, context.motion, pb.window->incoming);
}

void next_slide(AppContext& context, bool& stopped) {
    std::int32_t next = context.current_slide + 1;
    if (next > last_slide(context)) {
        if (context.show.settings.loop) {
            next = 0;
        } else {
            stop_show(context, false);  // makes the displayed slide current again
            stopped = true;
            next = context.current_slide;
        }
    }
    go_to_slide(context, next, false);
    context.ui.refresh_main_window();
    begin_transition(context);
}

bool step_path(AppContext& context, bool& stopped) {
    PlaybackState& pb = state(context);
    stopped = false;
    if (pb.path_active) {
        if (pb.segment_ticks == 0) {
            pb.time_base = now(context);
            pb.segment_duration = segment_seconds(context, context.current_slide, pb.key_frame);
        }
        ++pb.segment_ticks;
        if (elapsed_seconds(context) < pb.segment_duration) return false;
        ++pb.key_frame;
        pb.segment_ticks = 0;
        if (pb.key_frame < slide_at(context, context.current_slide).frame_count() - 1) return false;
    }
    if (manual_mode(context)) {
        stop_show(context, true);
        stopped = true;
    } else {
        next_slide(context, stopped);
    }
    return true;
}

void playback_tick(AppContext& context) {
    PlaybackState& pb = state(context);
    // A tick more than a period late starts the cadence again from now rather than
    // hurrying to catch up.
    if (now(context) - pb.tick_due > pb.tick_period) pb.tick_due = now(context);
    // A window minimised or hidden while it played stops the show at the slide last
    // seen. It keeps its place: a window system may not take a change of stacking for
    // a window it does not show.
    if (pb.window && !pb.window->on_screen()) {
        stop_show(context, true);
        return;
    }
    if (pb.running) {
        if (pb.window) pb.window->kill_timer();
        pb.running = false;
    }
    if (!has_slides(context) || !pb.window) return;
    if (context.current_slide < 0 || context.current_slide > last_slide(context)) context.current_slide = 0;
    if (pb.restart_pending) begin_transition(context);

    const ShowSettings& settings = context.show.settings;
    bool composed = false;
    if (pb.in_transition) {
        const double e = elapsed_seconds(context);
        if (e <= settings.transition_time) {
            // Nothing but the screen needs the composed picture.
            MemoryBitmap picture = pb.window->memory_bitmap();
            compose_transition(settings.transition, pb.window->outgoing, pb.window->incoming, picture,
                               e / settings.transition_time);
            composed = true;
        } else {
            pb.in_transition = false;
            pb.time_base = now(context);
        }
    }
    if (!composed) {
        const std::int32_t current = context.current_slide;
        if (slide_at(context, current).frame_count() >= 2) {
            if (pb.segment_ticks == 0) pb.time_base = now(context);
            pb.segment_duration = segment_seconds(context, current, pb.key_frame);
        }
        pb.displayed_slide = current;
        const double e = std::min(elapsed_seconds(context), pb.segment_duration);
        // A segment of no length is already at its end.
        const double progress = !pb.path_active ? 0.0 : pb.segment_duration > 0.0 ? e / pb.segment_duration : 1.0;
        render_shown(context, current, pb.key_frame, progress);
    }
    present(context, pb.displayed_slide);

    double period = frame_period(context);
    if (pb.in_transition) {
        pb.restart_pending = false;
    } else {
        bool stopped = false;
        const bool ended = step_path(context, stopped);
        pb.restart_pending = ended;
        if (ended) pb.from_black = false;
        if (stopped || !pb.window) return;
        const std::int32_t shown = pb.displayed_slide;
        if (slide_at(context, shown).frame_count() < 2) period = segment_seconds(context, shown, 0);
    }
    // The next tick is due one period after this one was, however long this one took.
    pb.tick_period = timer_milliseconds(period);
    pb.tick_due += pb.tick_period;
    const std::int64_t wait = std::clamp<std::int64_t>(pb.tick_due - now(context), 0, pb.tick_period);
    pb.window->set_timer(static_cast<std::int32_t>(wait));
    pb.running = true;
}

void playback_start(AppContext& context) {
    PlaybackState& pb = state(context);
    pb.restart_pending = true;
    pb.tick_due = now(context);
    pb.tick_period = 0;
    playback_tick(context);
}

void playback_clear(AppContext& context) {
    PlaybackWindow* window = state(context).window;
    if (!window) return;
    frame_clear(window->outgoing);
    MemoryBitmap picture = window->memory_bitmap();
    memory_bitmap_clear(picture);
    // What the viewer sees now is black, so that is where the next transition starts.
    state(context).from_black = true;
    present(context, -1);
}

void playback_key_down(AppContext& context, PlaybackKey key) {
    stop_show_for_key(context, key, true);
    move_by_key(context, key);
}

void move_by_key(AppContext& context, PlaybackKey key) {
    PlaybackState& pb = state(context);
    if (key == PlaybackKey::Other || !has_slides(context)) return;
    switch (key) {
    case PlaybackKey::End: go_to_slide(context, last_slide(context), true); break;
    case PlaybackKey::Home: go_to_slide(context, 0, true); break;
    case PlaybackKey::Left:
        go_to_slide(context, pb.displayed_slide - 1 < 0 ? last_slide(context) : pb.displayed_slide - 1, false);
        break;
    case PlaybackKey::Right:
        go_to_slide(context, pb.displayed_slide + 1 > last_slide(context) ? 0 : pb.displayed_slide + 1, false);
        pb.from_black = false;
        begin_transition(context);
        break;
    case PlaybackKey::Other: break;
    }
    refresh_playback(context);
    context.ui.refresh_main_window();
}

void playback_character(AppContext& context, char16_t character) {
    PlaybackState& pb = state(context);
    if (character == u'\x1b') {
        stop_show(context, false);
        if (pb.window) pb.window->close_window();
    } else if (character == u' ') {
        stop_show(context, false);
    } else if (manual_mode(context) && has_slides(context) && (character == u'c' || character == u'C')) {
        crop_to_proportions(context.show, context.current_slide);
        draw_current_slide(context);
    } else if (manual_mode(context) && has_slides(context) && pb.window && (character == u'f' || character == u'F')) {
        fit_to_window(context.show, context.current_slide, pb.window->client_width(), pb.window->client_height());
        draw_current_slide(context);
    }
}

namespace {

// The slide the mouse edits: the current one, in Manual mode, unless it is a path.
Slide* editable_slide(AppContext& context) {
    if (!manual_mode(context) || !has_slides(context)) return nullptr;
    if (context.current_slide < 0 || context.current_slide > last_slide(context)) return nullptr;
    Slide& slide = context.show.slides[static_cast<std::size_t>(context.current_slide)];
    if (effective_style(context.show, slide) == style_path || slide.frames.empty()) return nullptr;
    return &slide;
}

// Moving or zooming the box shows the slide cropped.
void make_cropped(AppContext& context, Slide& slide) {
    if (slide.style != style_crop) {
        slide.style = style_crop;
        context.show.modified = true;
    }
}

}  // namespace

void playback_mouse_move(AppContext& context, std::int32_t x, std::int32_t y) {
    PlaybackState& pb = state(context);
    Slide* slide = editable_slide(context);
    if (!slide) {
        const std::int32_t w = pb.window ? pb.window->client_width() : 0;
        const std::int32_t h = pb.window ? pb.window->client_height() : 0;
        const bool near_edge = x < 10 || x > w - 10 || y < 10 || y > h - 10;
        context.ui.set_cursor(near_edge ? CursorShape::None : CursorShape::Arrow);
        return;
    }
    context.ui.set_cursor(CursorShape::Hand);
    if (!pb.dragging || !pb.window) return;
    const std::int32_t w = pb.window->client_width();
    const std::int32_t h = pb.window->client_height();
    const double dx = w > 1 ? static_cast<double>(pb.press_x - x) / (w - 1) : 0.0;
    const double dy = h > 1 ? static_cast<double>(pb.press_y - y) / (h - 1) : 0.0;
    if (dx == 0.0 && dy == 0.0) return;
    make_cropped(context, *slide);
    pan_crop_box(context, slide->frames[0], pb.press_box, dx, dy);
    draw_current_slide(context);
}

void playback_mouse_press(AppContext& context, std::int32_t x, std::int32_t y) {
    PlaybackState& pb = state(context);
    Slide* slide = editable_slide(context);
    if (!slide) {
        stop_show(context, false);
        return;
    }
    pb.press_x = x;
    pb.press_y = y;
    pb.press_box = box_shape(slide->frames[0]);
    pb.dragging = true;
}

void playback_mouse_release(AppContext& context) { state(context).dragging = false; }

void playback_mouse_wheel(AppContext& context, std::int32_t delta) {
    Slide* slide = editable_slide(context);
    if (!slide || delta == 0) return;
    make_cropped(context, *slide);
    zoom_crop_box(context, slide->frames[0], box_shape(slide->frames[0]), delta < 0 ? 1.03 : 0.97);
    draw_current_slide(context);
}

void playback_double_click(AppContext& context) {
    PlaybackState& pb = state(context);
    if (!has_slides(context) || context.current_slide < 0 || context.current_slide > last_slide(context)) return;
    const std::int32_t style = effective_style(context.show, slide_at(context, context.current_slide));
    if (style == style_crop) {
        fit_to_window(context.show, context.current_slide, pb.window ? pb.window->client_width() : 0,
                      pb.window ? pb.window->client_height() : 0);
    } else if (style == style_fit) {
        crop_to_proportions(context.show, context.current_slide);
    } else {
        return;
    }
    draw_current_slide(context);
}

}  // namespace lumivane

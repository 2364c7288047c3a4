#include "playback/timeline.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "imaging/frame_bitmap.h"
#include "platform/message_boxes.h"
#include "playback/frame_pacing.h"
#include "platform/translation.h"
#include "playback/pan_zoom.h"
#include "playback/playback_window.h"
#include "playback/show_clock.h"
#include "playback/transitions.h"

namespace lumivane {

namespace {

bool has_slides(const PlaybackRecord& player) { return player.show.slide_count() > 0; }

std::int64_t now(PlaybackRecord& player) { return player.ui.now_milliseconds(); }

// Pictures are computed for the moment they are due, not for when their tick runs.
double moment(const PlaybackRecord& player) { return player.state.tick_due; }

// To the microsecond, so that moments a fraction of a millisecond apart (1000 / 60 ms,
// 1000 / 30) add up to whole delays: 0.3 s after 233.33 ms is 533.33 ms, not a hair
// before it.
double elapsed_seconds(const PlaybackRecord& player) {
    return std::round(1000.0 * (moment(player) - player.state.time_base)) / 1e6;
}

const Slide& slide_at(const PlaybackRecord& player, std::int32_t index) {
    return player.show.slides[static_cast<std::size_t>(index)];
}

double frame_period(const PlaybackRecord& player) {
    return player.frame_rate == FrameRate::Fps50 ? 1.0 / 50 : 1.0 / 60;
}

// The transitions the program knows; anything else a hand-edited file holds plays none.
bool plays_transition(const ShowSettings& settings) {
    return settings.transition >= TransitionKind::FadeToBlack && settings.transition <= TransitionKind::Curtain &&
           settings.transition_time > 0.0;
}

bool manual_mode(const PlaybackRecord& player) { return player.show.settings.autorun == AutorunMode::Manual; }

// The segment's time over the speed factor.
double segment_seconds(const PlaybackRecord& player, std::int32_t slide, std::int32_t key_frame) {
    return key_frame_delay(player.show, slide, key_frame) / player.show.speed_factor;
}

// The moment the show's clock reaches the key frame's segment of the current slide, or
// the slide's transition in.
double clock_at(const PlaybackRecord& player, std::int32_t key_frame, bool transition) {
    const std::int32_t slide = player.current_slide;
    const double at = slide_start_seconds(player.show, slide) +
                      (transition ? 0.0 : key_frame_start_seconds(player.show, slide, key_frame));
    return static_cast<double>(player.state.clock_origin + clock_milliseconds(at));
}

bool has_picture(PlaybackWindow* window) { return window && (window->draws_scenes() || window->memory_bitmap().pixels); }

bool valid_slide(const PlaybackRecord& player, std::int32_t slide) {
    return slide >= 0 && slide < player.show.slide_count();
}

// The window's picture black.
void clear_picture(PlaybackWindow& window) {
    window.scene = PlaybackScene{};
    MemoryBitmap picture = window.memory_bitmap();
    if (picture.pixels) memory_bitmap_clear(picture);
}

// Shows the window's memory bitmap with the caption of the given slide.
void present(PlaybackRecord& player, std::int32_t caption_slide) {
    PlaybackWindow* window = player.state.window;
    if (!has_picture(window)) return;
    const bool captioned = caption_slide >= 0 && caption_slide < player.show.slide_count();
    window->present(captioned ? slide_at(player, caption_slide).caption : std::u16string(),
                    player.show.settings.show_captions);
}

std::int32_t last_slide(const PlaybackRecord& player) { return player.show.slide_count() - 1; }

// The slides read ahead after the one shown, in playing order: those that begin within
// read_ahead_seconds of it, three at least and twelve at most, so that a picture whose
// decoding a busy machine slows down still comes seconds before its transition. The one
// before is read too, for the left arrow.
constexpr double read_ahead_seconds = 8.0;
constexpr std::int32_t least_read_ahead = 3;
constexpr std::int32_t most_read_ahead = 12;

// Tells the cache which pictures the show needs next, most urgent first, so that each
// is ready before its transition begins.
void read_ahead(PlaybackRecord& player) {
    const PlaybackWindow* window = player.state.window;
    const std::int32_t count = player.show.slide_count();
    const std::int32_t current = player.current_slide;
    if (!window || current < 0 || current >= count) return;
    std::vector<std::int32_t> order{current};
    const bool wraps = player.show.settings.loop;
    double seconds = 0.0;  // from the start of the current slide to that of slide current + k
    for (std::int32_t k = 1; k <= most_read_ahead && k < count && (current + k < count || wraps); ++k) {
        seconds += slide_seconds(player.show, (current + k - 1) % count);
        if (k > least_read_ahead && seconds > read_ahead_seconds) break;
        order.push_back((current + k) % count);
    }
    order.push_back(current == 0 ? count - 1 : current - 1);
    std::vector<PictureWant> wants;
    for (std::int32_t i : order) {
        const Slide& s = slide_at(player, i);
        const bool listed = std::any_of(wants.begin(), wants.end(), [&](const PictureWant& w) { return w.picture == s.picture; });
        if (!s.picture || listed) continue;
        wants.push_back({s.picture, picture_need(player.show, s, player.motion, window->client_width(), window->client_height())});
    }
    pictures_want(wants);
}

// A slide whose picture could not be decoded when it was to be shown is shown black
// with its caption, and the show goes on; the user is told of its file once each time
// the show is run, by a notice: a box put up inside a running show's tick would hold it.
void tell_failure(PlaybackRecord& player, std::int32_t slide) {
    if (!valid_slide(player, slide)) return;
    const PictureHandle& picture = slide_at(player, slide).picture;
    if (!picture_failed(picture)) return;
    std::vector<std::u16string>& told = player.state.told_failures;
    const std::u16string& file = picture->source.working_path;
    if (std::find(told.begin(), told.end(), file) != told.end()) return;
    told.push_back(file);
    player.ui.notice(formatted(Core::tr("Error reading slide file: %s"), file));
}

// Renders a slide straight into the memory bitmap, and keeps where it stands, so that
// the picture can be made again: at another size, or as where a transition starts.
bool render_shown(PlaybackRecord& player, std::int32_t slide, std::int32_t key_frame, double progress) {
    PlaybackState& pb = player.state;
    pb.shown_key_frame = key_frame;
    pb.shown_progress = progress;
    PlaybackScene& scene = pb.window->scene;
    scene = PlaybackScene{};
    bool failed = false;
    if (pb.window->draws_scenes()) {
        if (valid_slide(player, slide)) scene.shown = {slide, key_frame, progress};
        failed = !valid_slide(player, slide) && has_slides(player);
    } else {
        MemoryBitmap picture = pb.window->memory_bitmap();
        failed = render_slide_picture(player.show, slide, key_frame, progress, player.motion, picture);
    }
    // A window that draws its own scenes meets a picture that fails when it draws it (or
    // the cache when it reads ahead): the user is told when the slide is drawn again.
    tell_failure(player, slide);
    return failed;
}

// Stops the timer. A show stopped while it runs shows its slide at rest (draw_at_rest);
// one that has stopped by itself at the end of a slide keeps the picture on the screen,
// which is where that slide ended.
void halt_show(PlaybackRecord& player, bool keep_in_place, bool draw_at_rest) {
    PlaybackState& pb = player.state;
    if (pb.window) pb.window->kill_timer();
    pb.running = false;
    if (!pb.window) return;
    if (!keep_in_place) pb.window->to_bottom();
    go_to_slide(player, pb.displayed_slide, draw_at_rest);
    pb.from_black = true;
}

// Makes the frames again at the window's client size, black; says once when they do
// not fit in memory (the transitions then show nothing but the slide they go to).
void create_frames(PlaybackRecord& player, PlaybackWindow& window) {
    // A window that draws its own pictures needs none.
    const std::int32_t w = window.draws_scenes() ? 0 : window.client_width();
    const std::int32_t h = window.draws_scenes() ? 0 : window.client_height();
    // Both are made, even when the first fails.
    const bool outgoing_failed = frame_create(window.outgoing, w, h);
    const bool incoming_failed = frame_create(window.incoming, w, h);
    if (outgoing_failed || incoming_failed) error_box(player.ui, Core::tr("Out of Memory"));
}

}  // namespace

double key_frame_delay(const SlideShow& show, std::int32_t slide, std::int32_t key_frame) {
    const Slide& s = show.slides[static_cast<std::size_t>(slide)];
    if (key_frame < 0 || key_frame >= s.frame_count()) return show.settings.default_delay;
    const double delay = s.frames[static_cast<std::size_t>(key_frame)].delay;
    return delay < 0.0 ? show.settings.default_delay : delay;
}

std::int32_t timer_milliseconds(double seconds) {
    // Delays from a hand-edited file may be negative or absurdly long.
    const double ms = std::clamp(1000.0 * seconds, 0.0, static_cast<double>(INT_MAX));
    return static_cast<std::int32_t>(ms + 0.5);
}

ClientSize playback_client_size(const ShowSettings& s, std::int32_t screen_width, std::int32_t screen_height) {
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

void playback_window_created(PlaybackRecord& player, PlaybackWindow& window) {
    player.state.window = &window;
    player.state.dragging = false;
    create_frames(player, window);
    // The cache's threads read the slides that follow while the first one is decoded.
    read_ahead(player);
    begin_transition(player);
}

void playback_window_resized(PlaybackRecord& player) {
    PlaybackState& pb = player.state;
    if (!pb.window) return;
    create_frames(player, *pb.window);
    playback_redraw(player);
}

void playback_redraw(PlaybackRecord& player) {
    PlaybackState& pb = player.state;
    if (!pb.window) return;
    // The motion or the size may have changed what the pictures read ahead must be.
    read_ahead(player);
    const bool shown = !pb.blanked && has_slides(player) && pb.displayed_slide >= 0 &&
                       pb.displayed_slide <= last_slide(player);
    // The picture the viewer saw, made again from the photograph.
    if (!shown || render_shown(player, pb.displayed_slide, pb.shown_key_frame, pb.shown_progress)) {
        clear_picture(*pb.window);
    }
    if (pb.in_transition) prepare_transition(player);
    present(player, shown ? pb.displayed_slide : -1);
}

void playback_window_destroyed(PlaybackRecord& player) {
    PlaybackState& pb = player.state;
    pb.running = false;
    pb.dragging = false;
    pb.window = nullptr;
}

void recreate_playback_window(PlaybackRecord& player) {
    if (player.state.window) player.state.window->close_window();
    player.open_window();
}

void go_to_slide(PlaybackRecord& player, std::int32_t index, bool draw_now) {
    PlaybackState& pb = player.state;
    player.current_slide = index;
    pb.key_frame = 0;
    if (has_slides(player) && index >= 0 && index <= last_slide(player)) {
        pb.path_active = slide_at(player, index).frame_count() >= 2;
        if (pb.path_active) pb.segment_duration = segment_seconds(player, index, 0);
    }
    pb.segment_ticks = 0;
    pb.in_transition = false;
    read_ahead(player);
    if (draw_now) {
        draw_current_slide(player);
        pb.displayed_slide = player.current_slide;
    }
    player.changed(Change::CurrentSlide);
}

void draw_current_slide(PlaybackRecord& player) {
    if (!has_picture(player.state.window)) return;
    if (render_shown(player, player.current_slide, 0, 0.0) && has_slides(player)) return;
    present(player, player.current_slide);
}

void run_show(PlaybackRecord& player) {
    PlaybackState& pb = player.state;
    if (pb.running) return;
    if (!pb.window) player.open_window();
    if (!pb.window) return;
    pb.told_failures.clear();
    pb.window->set_visible(has_slides(player));
    go_to_slide(player, player.current_slide, true);
    // In front before the first tick, which plays only in a window the viewer sees.
    pb.window->to_top();
    refresh_playback(player);
    pb.from_black = true;
}

void stop_show(PlaybackRecord& player, bool keep_in_place) {
    // Ticks clear running while they work, so a show that ends itself inside a tick
    // keeps its last picture.
    halt_show(player, keep_in_place, player.state.running);
}

void stop_show_for_key(PlaybackRecord& player, PlaybackKey key, bool keep_in_place) {
    // The arrows, Home and End move the show on at once: the picture stays until the
    // next one replaces it, and the right arrow's transition starts from it.
    halt_show(player, keep_in_place, key == PlaybackKey::Other && player.state.running);
}

void toggle_show(PlaybackRecord& player) {
    if (player.state.running) {
        stop_show(player, false);
    } else {
        run_show(player);
    }
}

void refresh_playback(PlaybackRecord& player) {
    player.changed(Change::CurrentSlide);
    PlaybackState& pb = player.state;
    if (pb.running) return;
    if (pb.window && pb.window->on_screen()) {
        playback_start(player);
        return;
    }
    // A window the viewer cannot see (closed, or sent behind the main window) plays
    // nothing: a show that moved on unseen would leave the commands addressing a slide
    // the viewer never saw. The slide moved to is drawn at rest and shown as current.
    if (pb.displayed_slide != player.current_slide) go_to_slide(player, player.current_slide, true);
}

void begin_transition(PlaybackRecord& player) {
    PlaybackState& pb = player.state;
    if (!has_slides(player)) return;
    if (plays_transition(player.show.settings)) {
        prepare_transition(player);
        pb.in_transition = true;
        pb.time_base = clock_at(player, 0, true);
    } else {
        pb.in_transition = false;
    }
}

void prepare_transition(PlaybackRecord& player) {
    PlaybackState& pb = player.state;
    if (!pb.window || !has_slides(player)) return;
    if (pb.window->draws_scenes()) {
        PlaybackScene& scene = pb.window->scene;
        scene.outgoing = pb.from_black || !valid_slide(player, pb.displayed_slide)
                             ? SlideView{}
                             : SlideView{pb.displayed_slide, pb.shown_key_frame, pb.shown_progress};
        scene.incoming = valid_slide(player, player.current_slide) ? SlideView{player.current_slide, 0, 0.0}
                                                                   : SlideView{};
    } else {
        // The transition leaves the slide shown where the viewer last saw it, which after
        // a path is the end of the path.
        if (pb.from_black || render_slide_frame(player.show, pb.displayed_slide, pb.shown_key_frame,
                                                pb.shown_progress, player.motion, pb.window->outgoing)) {
            frame_clear(pb.window->outgoing);
        }
        // A slide that cannot be rendered comes in as black, never as the picture before it.
        if (render_slide_frame(player.show, player.current_slide, 0, 0.0, player.motion, pb.window->incoming)) {
            frame_clear(pb.window->incoming);
        }
    }
    tell_failure(player, player.current_slide);
}

void next_slide(PlaybackRecord& player, bool& stopped) {
    std::int32_t next = player.current_slide + 1;
    if (next > last_slide(player)) {
        if (player.show.settings.loop) {
            next = 0;
            player.state.clock_origin += clock_milliseconds(show_seconds(player.show));
        } else {
            stop_show(player, false);  // makes the displayed slide current again
            stopped = true;
            next = player.current_slide;
        }
    }
    // The transition is made when its tick comes (restart_pending): the next picture is
    // needed then, not a whole delay before.
    go_to_slide(player, next, false);
    player.changed(Change::CurrentSlide);
}

bool step_path(PlaybackRecord& player, bool& stopped) {
    PlaybackState& pb = player.state;
    stopped = false;
    if (pb.path_active) {
        if (pb.segment_ticks == 0) {
            pb.time_base = clock_at(player, pb.key_frame, false);
            pb.segment_duration = segment_seconds(player, player.current_slide, pb.key_frame);
        }
        ++pb.segment_ticks;
        if (elapsed_seconds(player) < pb.segment_duration) return false;
        ++pb.key_frame;
        pb.segment_ticks = 0;
        if (pb.key_frame < slide_at(player, player.current_slide).frame_count() - 1) return false;
    }
    if (manual_mode(player)) {
        stop_show(player, true);
        stopped = true;
    } else {
        next_slide(player, stopped);
    }
    return true;
}

void playback_tick(PlaybackRecord& player) {
    PlaybackState& pb = player.state;
    pb.tick_due = tick_moment(pb.tick_due, pb.tick_period, static_cast<double>(now(player)));
    // A window minimised or hidden while it played stops the show at the slide last
    // seen. It keeps its place: a window system may not take a change of stacking for
    // a window it does not show.
    if (pb.window && !pb.window->on_screen()) {
        stop_show(player, true);
        return;
    }
    if (pb.running) {
        if (pb.window) pb.window->kill_timer();
        pb.running = false;
    }
    if (!has_slides(player) || !pb.window) return;
    if (player.current_slide < 0 || player.current_slide > last_slide(player)) player.current_slide = 0;
    if (pb.restart_pending) begin_transition(player);

    const ShowSettings& settings = player.show.settings;
    bool composed = false;
    if (pb.in_transition) {
        const double e = elapsed_seconds(player);
        if (e <= settings.transition_time) {
            // Nothing but the screen needs the composed picture.
            // Composing fails only without pixels: a window played for its timing alone, or
            // ends that did not fit in memory, which has been reported.
            if (pb.window->draws_scenes()) {
                pb.window->scene.transition = settings.transition;
                pb.window->scene.progress = e / settings.transition_time;
            } else {
                MemoryBitmap picture = pb.window->memory_bitmap();
                static_cast<void>(compose_transition(settings.transition, pb.window->outgoing, pb.window->incoming,
                                                     picture, e / settings.transition_time));
            }
            composed = true;
        } else {
            pb.in_transition = false;
            pb.time_base = clock_at(player, 0, false);
        }
    }
    if (!composed) {
        const std::int32_t current = player.current_slide;
        if (slide_at(player, current).frame_count() >= 2) {
            if (pb.segment_ticks == 0) pb.time_base = clock_at(player, pb.key_frame, false);
            pb.segment_duration = segment_seconds(player, current, pb.key_frame);
        }
        pb.displayed_slide = current;
        const double e = std::min(elapsed_seconds(player), pb.segment_duration);
        // A segment of no length is already at its end.
        const double progress = !pb.path_active ? 0.0 : pb.segment_duration > 0.0 ? e / pb.segment_duration : 1.0;
        render_shown(player, current, pb.key_frame, progress);
    }
    present(player, pb.displayed_slide);

    double period = frame_period(player);
    if (pb.in_transition) {
        pb.restart_pending = false;
    } else {
        bool stopped = false;
        const bool ended = step_path(player, stopped);
        pb.restart_pending = ended;
        if (ended) pb.from_black = false;
        if (stopped || !pb.window) return;
        const std::int32_t shown = pb.displayed_slide;
        if (slide_at(player, shown).frame_count() < 2) period = segment_seconds(player, shown, 0);
    }
    // The next tick is due one period after this one was, however long this one took; the
    // one that starts the next slide when the clock reaches it. A path that ends as the
    // next slide begins has shown its transition's first picture already (both are
    // where the path ends): the transition goes on a frame later, not with a second
    // picture for the same moment.
    pb.tick_period = 1000.0 * std::clamp(period, 0.0, static_cast<double>(INT_MAX) / 1000.0);
    pb.tick_due = pb.restart_pending ? std::max(clock_at(player, 0, true), pb.tick_due + 1000.0 * frame_period(player))
                                     : pb.tick_due + pb.tick_period;
    pb.window->set_timer(wait_until(pb.tick_due, pb.tick_period, static_cast<double>(now(player))));
    pb.running = true;
}

void playback_tick_at(PlaybackRecord& player, double shown_at) {
    player.state.tick_due = shown_at;
    playback_tick(player);
}

void playback_start(PlaybackRecord& player) {
    PlaybackState& pb = player.state;
    pb.restart_pending = true;
    pb.tick_due = static_cast<double>(now(player));
    const std::int32_t slide = std::clamp(player.current_slide, 0, std::max(last_slide(player), 0));
    pb.clock_origin = now(player) - clock_milliseconds(slide_start_seconds(player.show, slide));
    pb.tick_period = 0.0;
    playback_tick(player);
}

void playback_clear(PlaybackRecord& player) {
    PlaybackWindow* window = player.state.window;
    if (!window) return;
    frame_clear(window->outgoing);
    clear_picture(*window);
    // What the viewer sees now is black, so that is where the next transition starts.
    player.state.from_black = true;
    present(player, -1);
}

void toggle_blackout(PlaybackRecord& player) {
    PlaybackState& pb = player.state;
    if (!pb.window) return;
    // The show pauses while the screen is black, and goes on from its picture.
    stop_show(player, true);
    pb.blanked = !pb.blanked;
    playback_redraw(player);
}

void playback_key_down(PlaybackRecord& player, PlaybackKey key) {
    stop_show_for_key(player, key, true);
    move_by_key(player, key);
}

void move_by_key(PlaybackRecord& player, PlaybackKey key) {
    PlaybackState& pb = player.state;
    if (key == PlaybackKey::Other || !has_slides(player)) return;
    // The next picture ends a blackout; a transition then comes in from black.
    const bool was_blanked = std::exchange(pb.blanked, false);
    switch (key) {
    case PlaybackKey::End: go_to_slide(player, last_slide(player), true); break;
    case PlaybackKey::Home: go_to_slide(player, 0, true); break;
    case PlaybackKey::Left:
        go_to_slide(player, pb.displayed_slide - 1 < 0 ? last_slide(player) : pb.displayed_slide - 1, false);
        break;
    case PlaybackKey::Right:
        go_to_slide(player, pb.displayed_slide + 1 > last_slide(player) ? 0 : pb.displayed_slide + 1, false);
        pb.from_black = was_blanked;
        begin_transition(player);
        break;
    case PlaybackKey::Other: break;
    }
    refresh_playback(player);
    player.changed(Change::CurrentSlide);
}

void playback_character(PlaybackRecord& player, char16_t character) {
    PlaybackState& pb = player.state;
    if (character == u'\x1b') {
        stop_show(player, false);
        if (pb.window) pb.window->close_window();
    } else if (character == u' ') {
        stop_show(player, false);
    } else if (character == u'b' || character == u'B' || character == u'.') {
        toggle_blackout(player);
    } else if (manual_mode(player) && has_slides(player) && (character == u'c' || character == u'C')) {
        crop_to_proportions(player.show, player.current_slide);
        draw_current_slide(player);
    } else if (manual_mode(player) && has_slides(player) && pb.window && (character == u'f' || character == u'F')) {
        fit_to_window(player.show, player.current_slide, pb.window->client_width(), pb.window->client_height());
        draw_current_slide(player);
    }
}

namespace {

// The slide the mouse edits: the current one, in Manual mode, unless it is a path.
Slide* editable_slide(PlaybackRecord& player) {
    if (!manual_mode(player) || !has_slides(player)) return nullptr;
    if (player.current_slide < 0 || player.current_slide > last_slide(player)) return nullptr;
    Slide& slide = player.show.slides[static_cast<std::size_t>(player.current_slide)];
    if (effective_style(player.show, slide) == SlideStyle::Path || slide.frames.empty()) return nullptr;
    return &slide;
}

// Moving or zooming the box shows the slide cropped.
void make_cropped(PlaybackRecord& player, Slide& slide) {
    if (slide.style != SlideStyle::Crop) {
        slide.style = SlideStyle::Crop;
        player.show.modified = true;
    }
}

}  // namespace

void playback_mouse_move(PlaybackRecord& player, std::int32_t x, std::int32_t y) {
    PlaybackState& pb = player.state;
    Slide* slide = editable_slide(player);
    if (!slide) {
        const std::int32_t w = pb.window ? pb.window->client_width() : 0;
        const std::int32_t h = pb.window ? pb.window->client_height() : 0;
        const bool near_edge = x < 10 || x > w - 10 || y < 10 || y > h - 10;
        player.ui.set_cursor(near_edge ? CursorShape::None : CursorShape::Arrow);
        return;
    }
    player.ui.set_cursor(CursorShape::Hand);
    if (!pb.dragging || !pb.window) return;
    const std::int32_t w = pb.window->client_width();
    const std::int32_t h = pb.window->client_height();
    const double dx = w > 1 ? static_cast<double>(pb.press_x - x) / (w - 1) : 0.0;
    const double dy = h > 1 ? static_cast<double>(pb.press_y - y) / (h - 1) : 0.0;
    if (dx == 0.0 && dy == 0.0) return;
    make_cropped(player, *slide);
    slide->frames[0] = pan_crop_box(slide->frames[0], pb.press_box, dx, dy, player.ui.shift_held());
    player.show.modified = true;
    draw_current_slide(player);
}

void playback_mouse_press(PlaybackRecord& player, std::int32_t x, std::int32_t y) {
    PlaybackState& pb = player.state;
    Slide* slide = editable_slide(player);
    if (!slide) {
        stop_show(player, false);
        return;
    }
    pb.press_x = x;
    pb.press_y = y;
    pb.press_box = box_shape(slide->frames[0]);
    pb.dragging = true;
}

void playback_mouse_release(PlaybackRecord& player) { player.state.dragging = false; }

void playback_mouse_wheel(PlaybackRecord& player, std::int32_t delta) {
    Slide* slide = editable_slide(player);
    if (!slide || delta == 0) return;
    make_cropped(player, *slide);
    PanFrame& box = slide->frames[0];
    if (const auto zoomed = zoom_crop_box(box, box_shape(box), delta < 0 ? 1.03 : 0.97, player.ui.shift_held())) {
        box = *zoomed;
        player.show.modified = true;
    }
    draw_current_slide(player);
}

void playback_double_click(PlaybackRecord& player) {
    PlaybackState& pb = player.state;
    if (!has_slides(player) || player.current_slide < 0 || player.current_slide > last_slide(player)) return;
    const SlideStyle style = effective_style(player.show, slide_at(player, player.current_slide));
    if (style == SlideStyle::Crop) {
        fit_to_window(player.show, player.current_slide, pb.window ? pb.window->client_width() : 0,
                      pb.window ? pb.window->client_height() : 0);
    } else if (style == SlideStyle::Fit) {
        crop_to_proportions(player.show, player.current_slide);
    } else {
        return;
    }
    draw_current_slide(player);
}

}  // namespace lumivane

#pragma once
// The slide properties dialog without its window: the working copy of the slide and
// every edit made to it, where the preview lies, the crop box in preview pixels, the
// mouse's drags and the states of the buttons. The window only turns its events into
// these calls.

#include <cstdint>
#include <string>

#include "document/slide_show.h"
#include "playback/pan_zoom.h"

namespace lumivane {

struct AppContext;

// The dialog's line height L (the buttons' size) and margin M.
struct DialogMetrics {
    std::int32_t line_height = 0;
    std::int32_t margin = 0;
};

// The slide being edited: a one-slide show holding the working copy beside the open
// show's settings, so that the working copy is played and measured as the show would.
struct SlideEditor {
    SlideShow work;
    std::int32_t frame = 0;  // the key frame being edited

    Slide& slide() { return work.slides.front(); }
    const Slide& slide() const { return work.slides.front(); }
    PanFrame& box() { return slide().frames[static_cast<std::size_t>(frame)]; }
    const PanFrame& box() const { return slide().frames[static_cast<std::size_t>(frame)]; }
};

// The working copy of the current slide: caption, style, key frames and speed choice,
// a picture of its own, sharing the slide's colour transform; frame 0. A slide without
// key frames gets one of the default delay over the whole picture. True when there is
// no current slide or no memory for the copy (reported).
[[nodiscard]] bool open_slide_editor(AppContext& context, SlideEditor& editor);
// Whether the working copy differs from the slide in caption, style, speed choice or
// any number of any key frame.
[[nodiscard]] bool slide_edits_differ(const Slide& slide, const Slide& working);
// OK: the working copy's edits go into the current slide when they differ from it, and
// the show is marked modified. The slide keeps its picture and colour transform.
void save_slide_edits(AppContext& context, const SlideEditor& editor);

// "Frame %d" with the 1-based index; the delay as the edit shows it: "Default" for a
// negative one, else with two decimals.
std::u16string frame_label(const SlideEditor& editor);
std::u16string delay_text(const PanFrame& frame);
// Reads the delay edit into the current key frame: empty or "default" in any case is
// -1, otherwise a number from 0 to under 100000. True (after "Illegal delay: %s") for
// anything else; the frame is then unchanged.
[[nodiscard]] bool read_delay(AppContext& context, SlideEditor& editor, const std::u16string& text);

// Where the preview lies in the client area and its size.
struct PreviewPlace {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};
// The top of the image area, below the two rows of controls: 3 M + 2 L.
std::int32_t image_area_top(const DialogMetrics& metrics);
// The picture fitted into the client below the controls, less 16, halved, centred. No
// size (0 by 0) when the picture or the area has none.
PreviewPlace preview_place(std::int32_t client_width, std::int32_t client_height, const DialogMetrics& metrics,
                           std::int32_t image_width, std::int32_t image_height);

// A crop box in preview pixels of the client area.
struct PreviewBox {
    std::int32_t x0 = 0;
    std::int32_t y0 = 0;
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
};
// Each edge times (preview size - 1), rounded half away from zero, plus the origin.
PreviewBox preview_box(const PanFrame& box, const PreviewPlace& place);
// Whether the box is drawn: not while the effective style is Fit.
[[nodiscard]] bool box_shown(const SlideEditor& editor);

enum BoxDragKind : std::int32_t {
    drag_none = -1,
    drag_top_left = 1,
    drag_top_right = 2,
    drag_bottom_right = 3,
    drag_bottom_left = 4,
    drag_move = 5,
};
// What a press at (x, y) would start: a corner within margin of it in both directions
// (top-left, top-right, bottom-right, bottom-left first), a move inside the box (edges
// included), or none.
std::int32_t box_hit(const PreviewBox& box, std::int32_t x, std::int32_t y, std::int32_t margin);

// A drag of the crop box: what it does and where it began.
struct BoxDrag {
    std::int32_t kind = drag_none;
    std::int32_t press_x = 0;
    std::int32_t press_y = 0;
    double centre_x = 0.0;  // the box's centre in preview pixels at the press
    double centre_y = 0.0;
    double distance = 0.0;  // from the press to that centre
    BoxShape start;
};

// A left press: starts a drag when the press hits the box, except while the working
// style is Fit. Returns the drag's kind.
std::int32_t begin_box_drag(const SlideEditor& editor, BoxDrag& drag, const PreviewPlace& place, std::int32_t x,
                            std::int32_t y, std::int32_t margin);
// The pointer at (x, y) during a drag: a corner scales the box by the pointer's distance
// to the centre over the distance at the press; a move shifts it by the pointer's travel
// over (preview size - 1). Marks the show modified when the box changes.
void drag_box(AppContext& context, SlideEditor& editor, const BoxDrag& drag, const PreviewPlace& place,
              std::int32_t x, std::int32_t y);
// A wheel turn: away from the user shrinks the box by 0.97, towards enlarges by 1.03.
// Nothing while the working style is Fit.
void wheel_box(AppContext& context, SlideEditor& editor, std::int32_t delta);

// The frame buttons. Insert and delete report "Frame out of range: %d" for a current
// frame outside the key frames and delete "Cannot remove the last frame"; both mark the
// show modified. Inserting makes the slide a path, deleting down to one frame a crop.
void previous_frame(SlideEditor& editor);
void next_frame(SlideEditor& editor);
void insert_frame(AppContext& context, SlideEditor& editor, bool after);
void delete_frame(AppContext& context, SlideEditor& editor);
// The largest box of the show's proportions centred on the picture, or with Shift the
// smallest box of the output frame's proportions holding the whole picture. Nothing
// while the working style is Fit.
void largest_box(SlideEditor& editor, bool shift, std::int32_t frame_width, std::int32_t frame_height);
void centre_horizontally(SlideEditor& editor);
void centre_vertically(SlideEditor& editor);

// Which buttons can be pressed now.
struct SlideButtonStates {
    bool previous = false;
    bool next = false;
    bool remove = false;
    bool box_tools = false;  // largest box and the two centrings
    bool speed = false;
};
SlideButtonStates slide_button_states(const SlideEditor& editor);

// A new choice in the style list. Leaving Path with several key frames first asks
// "Changing the style will remove all but the first frame."; after Cancel nothing changes
// and true is returned, so that the list shows the old style again.
[[nodiscard]] bool change_style(AppContext& context, SlideEditor& editor, SlideStyle style);

// Where a played preview of the working copy stands after seconds: the key frame and
// the progress towards the next one, starting at key frame first and going on to the
// last one, which rests for its delay; ended after that. Delays are the show's as
// played, the default delay for negative ones, over the speed factor.
struct PreviewMoment {
    std::int32_t key_frame = 0;
    double progress = 0.0;
    bool ended = false;
};
PreviewMoment preview_moment(const SlideEditor& editor, std::int32_t first, double seconds);

}  // namespace lumivane

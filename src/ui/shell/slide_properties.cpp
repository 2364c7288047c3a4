#include "ui/shell/slide_properties.h"

#include <algorithm>
#include <cmath>

#include "app/app_context.h"
#include "app/slide_editing.h"
#include "document/number_parsing.h"
#include "platform/message_boxes.h"
#include "platform/translation.h"

namespace lumivane {

namespace {

constexpr double zoom_out_factor = 1.03;
constexpr double zoom_in_factor = 0.97;
// The delay edit holds at most this many characters.
constexpr std::size_t delay_text_limit = 254;
constexpr double delay_limit = 100000.0;

bool has_frame(const SlideEditor& editor) {
    return !editor.work.slides.empty() && editor.frame >= 0 && editor.frame < editor.slide().frame_count();
}

bool fitted(const SlideEditor& editor) { return editor.slide().style == SlideStyle::Fit; }

std::u16string lowered(std::u16string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; });
    return text;
}

// Half away from zero; boxes far outside the picture (hand-edited files) are held to a
// range whose pixels still fit in 32 bits.
std::int32_t nearest(double v) {
    if (!(v == v)) return 0;
    return static_cast<std::int32_t>(std::lround(std::clamp(v, -1.0e9, 1.0e9)));
}

bool frame_in_range(AppContext& context, const SlideEditor& editor) {
    if (has_frame(editor)) return true;
    error_box(context.ui, Core::tr("Frame out of range: %d"), editor.frame);
    return false;
}

}  // namespace

bool open_slide_editor(AppContext& context, SlideEditor& editor) {
    const SlideShow& show = context.show;
    if (context.current_slide < 0 || context.current_slide >= show.slide_count()) return true;
    const Slide& source = show.slides[static_cast<std::size_t>(context.current_slide)];
    editor = SlideEditor{};
    editor.work.settings = show.settings;
    editor.work.speed_factor = show.speed_factor;
    Slide& copy = editor.work.slides.emplace_back();
    if (deep_copy_slide(source, copy)) {
        error_box(context.ui, Core::tr("Not enough memory to edit the slide %s"), source.file);
        editor = SlideEditor{};
        return true;
    }
    if (copy.frames.empty()) copy.frames.push_back({-1.0, 0.0, 0.0, 1.0, 1.0});
    return false;
}

bool slide_edits_differ(const Slide& slide, const Slide& working) {
    const auto same_frame = [](const PanFrame& a, const PanFrame& b) {
        return a.delay == b.delay && a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    return slide.caption != working.caption || slide.style != working.style ||
           slide.interpolation != working.interpolation ||
           !std::equal(slide.frames.begin(), slide.frames.end(), working.frames.begin(), working.frames.end(),
                       same_frame);
}

void save_slide_edits(AppContext& context, const SlideEditor& editor) {
    SlideShow& show = context.show;
    if (editor.work.slides.empty() || context.current_slide < 0 || context.current_slide >= show.slide_count()) return;
    Slide& slide = show.slides[static_cast<std::size_t>(context.current_slide)];
    const Slide& working = editor.slide();
    if (!slide_edits_differ(slide, working)) return;
    slide.caption = working.caption.substr(0, max_caption_length);
    slide.style = working.style;
    slide.frames = working.frames;
    slide.interpolation = working.interpolation;
    show.modified = true;
}

std::u16string frame_label(const SlideEditor& editor) { return formatted(Core::tr("Frame %d"), editor.frame + 1); }

std::u16string delay_text(const PanFrame& frame) {
    return frame.delay < 0.0 ? Core::tr("Default") : formatted(u"%2f", frame.delay);
}

bool read_delay(AppContext& context, SlideEditor& editor, const std::u16string& text) {
    const std::u16string read = text.substr(0, delay_text_limit);
    const std::u16string lower = lowered(read);
    double delay = -1.0;
    // The word the field shows for the default, or the English one.
    if (!read.empty() && lower != u"default" && lower != lowered(Core::tr("Default"))) {
        if (parse_real(read, delay) || !(delay >= 0.0 && delay < delay_limit)) {
            error_box(context.ui, Core::tr("Illegal delay: %s"), read);
            return true;
        }
    }
    if (has_frame(editor)) editor.box().delay = delay;
    return false;
}

std::int32_t image_area_top(const DialogMetrics& metrics) { return 3 * metrics.margin + 2 * metrics.line_height; }

PreviewPlace preview_place(std::int32_t client_width, std::int32_t client_height, const DialogMetrics& metrics,
                           std::int32_t image_width, std::int32_t image_height) {
    const std::int64_t cw = client_width;
    const std::int64_t ch = client_height;
    const std::int64_t iw = image_width;
    const std::int64_t ih = image_height;
    const std::int64_t area_height = ch - image_area_top(metrics);
    if (iw <= 0 || ih <= 0 || cw <= 0 || area_height <= 0) return {};
    std::int64_t w = cw;
    std::int64_t h = cw * ih / iw;
    if (h > area_height) {
        h = area_height;
        w = h * iw / ih;
    }
    w = (w - 16) / 2;
    h = (h - 16) / 2;
    if (w <= 0 || h <= 0) return {};
    const std::int64_t m = metrics.margin;
    const std::int64_t l = metrics.line_height;
    return {static_cast<std::int32_t>((cw - 2 * m - w) / 2 + m),
            static_cast<std::int32_t>((ch - 2 * l - 4 * m - h) / 2 + 3 * m + 2 * l), static_cast<std::int32_t>(w),
            static_cast<std::int32_t>(h)};
}

PreviewBox preview_box(const PanFrame& box, const PreviewPlace& place) {
    const double sx = place.width - 1;
    const double sy = place.height - 1;
    return {nearest(box.left * sx) + place.x, nearest(box.top * sy) + place.y, nearest(box.right * sx) + place.x,
            nearest(box.bottom * sy) + place.y};
}

bool box_shown(const SlideEditor& editor) {
    return has_frame(editor) && effective_style(editor.work, editor.slide()) != SlideStyle::Fit;
}

std::int32_t box_hit(const PreviewBox& box, std::int32_t x, std::int32_t y, std::int32_t margin) {
    const auto near = [&](std::int32_t cx, std::int32_t cy) {
        return std::abs(x - cx) <= margin && std::abs(y - cy) <= margin;
    };
    if (near(box.x0, box.y0)) return drag_top_left;
    if (near(box.x1, box.y0)) return drag_top_right;
    if (near(box.x1, box.y1)) return drag_bottom_right;
    if (near(box.x0, box.y1)) return drag_bottom_left;
    const bool inside_x = x >= std::min(box.x0, box.x1) && x <= std::max(box.x0, box.x1);
    const bool inside_y = y >= std::min(box.y0, box.y1) && y <= std::max(box.y0, box.y1);
    return inside_x && inside_y ? drag_move : drag_none;
}

std::int32_t begin_box_drag(const SlideEditor& editor, BoxDrag& drag, const PreviewPlace& place, std::int32_t x,
                            std::int32_t y, std::int32_t margin) {
    drag = BoxDrag{};
    if (!has_frame(editor) || fitted(editor) || place.width <= 0) return drag_none;
    const PreviewBox pixels = preview_box(editor.box(), place);
    drag.press_x = x;
    drag.press_y = y;
    drag.centre_x = (pixels.x0 + pixels.x1) / 2;
    drag.centre_y = (pixels.y0 + pixels.y1) / 2;
    drag.distance = std::hypot(x - drag.centre_x, y - drag.centre_y);
    drag.start = box_shape(editor.box());
    drag.kind = box_hit(pixels, x, y, margin);
    return drag.kind;
}

namespace {

// The box scaled from its starting shape; Shift lets it leave the picture.
void zoom_box(AppContext& context, PanFrame& box, const BoxShape& start, double factor) {
    if (const auto zoomed = zoom_crop_box(box, start, factor, context.ui.shift_held())) {
        box = *zoomed;
        context.show.modified = true;
    }
}

}  // namespace

void drag_box(AppContext& context, SlideEditor& editor, const BoxDrag& drag, const PreviewPlace& place,
              std::int32_t x, std::int32_t y) {
    if (!has_frame(editor) || fitted(editor)) return;
    if (drag.kind >= drag_top_left && drag.kind <= drag_bottom_left) {
        const double distance = std::hypot(x - drag.centre_x, y - drag.centre_y);
        // A press on the centre itself has no distance to scale by.
        if (distance == drag.distance || drag.distance == 0.0) return;
        zoom_box(context, editor.box(), drag.start, distance / drag.distance);
    } else if (drag.kind == drag_move) {
        // A preview one pixel wide or high cannot be moved across.
        if (place.width < 2 || place.height < 2) return;
        const double dx = static_cast<double>(x - drag.press_x) / (place.width - 1);
        const double dy = static_cast<double>(y - drag.press_y) / (place.height - 1);
        if (dx == 0.0 && dy == 0.0) return;
        editor.box() = pan_crop_box(editor.box(), drag.start, dx, dy, context.ui.shift_held());
        context.show.modified = true;
    }
}

void wheel_box(AppContext& context, SlideEditor& editor, std::int32_t delta) {
    if (delta == 0 || !has_frame(editor) || fitted(editor)) return;
    zoom_box(context, editor.box(), box_shape(editor.box()), delta < 0 ? zoom_out_factor : zoom_in_factor);
}

void previous_frame(SlideEditor& editor) {
    if (editor.frame > 0) --editor.frame;
}

void next_frame(SlideEditor& editor) {
    if (editor.frame < editor.slide().frame_count() - 1) ++editor.frame;
}

void insert_frame(AppContext& context, SlideEditor& editor, bool after) {
    if (!frame_in_range(context, editor)) return;
    if (editor.slide().frame_count() >= max_frames) return;
    std::vector<PanFrame>& frames = editor.slide().frames;
    const PanFrame copy = editor.box();
    if (after) ++editor.frame;
    frames.insert(frames.begin() + editor.frame, copy);
    editor.slide().style = SlideStyle::Path;
    context.show.modified = true;
}

void delete_frame(AppContext& context, SlideEditor& editor) {
    if (!frame_in_range(context, editor)) return;
    std::vector<PanFrame>& frames = editor.slide().frames;
    if (frames.size() < 2) {
        error_box(context.ui, Core::tr("Cannot remove the last frame"));
        return;
    }
    frames.erase(frames.begin() + editor.frame);
    if (editor.frame >= editor.slide().frame_count()) --editor.frame;
    if (frames.size() == 1) editor.slide().style = SlideStyle::Crop;
    context.show.modified = true;
}

void largest_box(SlideEditor& editor, bool shift, std::int32_t frame_width, std::int32_t frame_height) {
    if (!has_frame(editor) || fitted(editor)) return;
    const ImageBuffer& image = editor.slide().image;
    if (image.width <= 0 || image.height <= 0) return;
    const Proportions p = show_proportions(editor.work.settings);
    if (!shift) {
        centre_crop_box(editor.work, editor.box(), image.width, image.height);
    } else if (frame_width > 0 && frame_height > 0) {
        picture_holding_box(editor.box(), image.width, image.height, frame_width, frame_height);
    } else {
        // Without a playback window its size follows the show's proportions.
        picture_holding_box(editor.box(), image.width, image.height, p.width, p.height);
    }
}

namespace {

// The two edges keep their distance and take the middle of the picture between them.
void centre_edges(double& low, double& high) {
    const double d = high - low;
    low = 0.5 - 0.5 * d;
    high = 0.5 + 0.5 * d;
}

}  // namespace

void centre_horizontally(SlideEditor& editor) {
    if (has_frame(editor) && !fitted(editor)) centre_edges(editor.box().left, editor.box().right);
}

void centre_vertically(SlideEditor& editor) {
    if (has_frame(editor) && !fitted(editor)) centre_edges(editor.box().top, editor.box().bottom);
}

SlideButtonStates slide_button_states(const SlideEditor& editor) {
    const std::int32_t count = editor.slide().frame_count();
    return {editor.frame > 0, editor.frame < count - 1, count >= 2, !fitted(editor), count >= 2};
}

bool change_style(AppContext& context, SlideEditor& editor, SlideStyle style) {
    Slide& slide = editor.slide();
    if (style == slide.style) return false;
    if (slide.style == SlideStyle::Path && style != SlideStyle::Path && slide.frame_count() > 1) {
        if (context.ui.message_box(Core::translated(warning_title),
                                   Core::tr("Changing the style will remove all but the first frame."),
                                   BoxButtons::OkCancel, BoxOwner::None) != BoxAnswer::Ok) {
            return true;
        }
        slide.frames.resize(1);
        editor.frame = 0;
    }
    slide.style = style;
    return false;
}

PreviewMoment preview_moment(const SlideEditor& editor, std::int32_t first, double seconds) {
    const Slide& slide = editor.slide();
    const std::int32_t count = slide.frame_count();
    const std::int32_t last = effective_style(editor.work, slide) == SlideStyle::Path ? count - 1 : first;
    const auto lasts = [&](std::int32_t k) {
        const double delay = slide.frames[static_cast<std::size_t>(k)].delay;
        const double speed = editor.work.speed_factor > 0.0 ? editor.work.speed_factor : 1.0;
        return (delay < 0.0 ? editor.work.settings.default_delay : delay) / speed;
    };
    double elapsed = std::max(seconds, 0.0);
    for (std::int32_t k = std::clamp(first, 0, count - 1); k <= last; ++k) {
        const double duration = lasts(k);
        if (elapsed < duration) return {k, k < last ? elapsed / duration : 0.0, false};
        elapsed -= duration;
    }
    return {std::max(last, 0), 0.0, true};
}

}  // namespace lumivane

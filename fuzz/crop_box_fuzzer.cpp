// Crop boxes, styles, key frame counts and proportions as a hand-edited index file may
// hold them (any double, not-a-number and infinities included), on small pictures and
// frames: rendering (also into the window's 32-bit picture), the box tools and a
// transition step must stay inside every buffer.

#include <cstring>
#include <vector>

#include "document/slide_show.h"
#include "fuzz_support.h"
#include "imaging/frame_bitmap.h"
#include "imaging/memory_bitmap.h"
#include "imaging/picture_cache.h"
#include "playback/pan_zoom.h"
#include "playback/transitions.h"

namespace {

// Reads values from the input in order; past its end every value is zero.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <typename T>
    T next() {
        T value{};
        std::uint8_t bytes[sizeof(T)] = {};
        for (std::size_t i = 0; i < sizeof(T) && position_ < size_; ++i) bytes[i] = data_[position_++];
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }
    // 1 to limit.
    std::int32_t size(std::int32_t limit) { return 1 + next<std::uint8_t>() % limit; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumivane;
    static fuzz::SilentUi ui;
    Input in(data, size);

    SlideShow show;
    show.slides.resize(1);
    Slide& slide = show.slides[0];
    const std::int32_t width = in.size(48);
    const std::int32_t height = in.size(48);
    ImageBuffer image;
    if (image_allocate(image, PixelFormat::Colour8, width, height, 72.0)) return 0;
    for (std::uint8_t* row : image.rows) std::memset(row, 0x77, static_cast<std::size_t>(image.stride));
    // Smooth motion makes the picture's levels when it first needs them.
    slide.picture = picture_in_memory(std::move(image));
    FrameBitmap frame;
    FrameBitmap other;
    const std::int32_t frame_width = in.size(48);
    const std::int32_t frame_height = in.size(48);
    if (frame_create(frame, frame_width, frame_height) || frame_create(other, frame_width, frame_height)) {
        return 0;
    }

    // Any number a file may hold, named or not.
    slide.style = static_cast<SlideStyle>(in.next<std::int8_t>());
    show.settings.default_style = static_cast<SlideStyle>(in.next<std::int8_t>());
    slide.interpolation = static_cast<Interpolation>(in.next<std::int8_t>());
    show.settings.proportions_width = in.next<std::int32_t>();
    show.settings.proportions_height = in.next<std::int32_t>();
    const std::int32_t key_frame = in.next<std::int8_t>();
    const double progress = in.next<double>();
    slide.frames.resize(in.next<std::uint8_t>() % 5);
    for (PanFrame& box : slide.frames) {
        box = {in.next<double>(), in.next<double>(), in.next<double>(), in.next<double>(), in.next<double>()};
    }
    const bool shift = in.next<std::uint8_t>() & 1;  // the box may leave the picture
    const double factor = in.next<double>();
    const double dx = in.next<double>();
    const double dy = in.next<double>();
    const auto transition = static_cast<TransitionKind>(in.next<std::int8_t>());
    const auto motion = static_cast<Motion>(in.next<std::uint8_t>() & 1);

    static_cast<void>(render_slide_frame(show, 0, key_frame, progress, motion, frame));
    static_cast<void>(compose_transition(transition, other, frame, other, progress));
    // The window's picture, with no room to spare after its last pixel.
    std::vector<std::uint8_t> pixels(4 * static_cast<std::size_t>(frame_width) * frame_height);
    MemoryBitmap picture{pixels.data(), frame_width, frame_height, 4 * std::int64_t{frame_width}};
    static_cast<void>(render_slide_picture(show, 0, key_frame, progress, motion, picture));
    static_cast<void>(compose_transition(transition, other, frame, picture, progress));
    if (!slide.frames.empty()) {
        PanFrame& box = slide.frames[0];
        if (const auto zoomed = zoom_crop_box(box, box_shape(box), factor, shift)) box = *zoomed;
        static_cast<void>(render_slide_frame(show, 0, key_frame, progress, motion, frame));
        box = pan_crop_box(box, box_shape(box), dx, dy, shift);
        static_cast<void>(render_slide_frame(show, 0, key_frame, progress, motion, frame));
    }
    for (PanFrame& box : slide.frames) fit_box_to_proportions(show, box, width, height);
    static_cast<void>(render_slide_frame(show, 0, key_frame, progress, motion, frame));
    crop_to_proportions(show, 0);
    static_cast<void>(render_slide_frame(show, 0, 0, progress, motion, frame));
    fit_to_window(show, 0, frame_width, frame_height);
    static_cast<void>(render_slide_frame(show, 0, 0, progress, motion, frame));
    return 0;
}

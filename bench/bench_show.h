#pragma once
// A show of one path slide whose 24-megapixel picture (6000 x 4000) has some structure
// in every channel, with its levels for smooth motion: what the playback benchmarks
// render from.

#include <cstdint>

#include "document/slide_show.h"
#include "imaging/image_buffer.h"
#include "imaging/picture_levels.h"

namespace lumivane::bench {

inline SlideShow make_path_show() {
    SlideShow s;
    s.settings.show_captions = CaptionSize::Medium;
    s.slides.resize(1);
    Slide& slide = s.slides[0];
    static_cast<void>(image_allocate(slide.image, PixelFormat::Colour8, 6000, 4000, 300.0));
    for (std::int32_t y = 0; y < slide.image.height; ++y) {
        std::uint8_t* row = slide.image.rows[static_cast<std::size_t>(y)];
        for (std::int32_t x = 0; x < slide.image.width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(x ^ y);
            row[3 * x + 1] = static_cast<std::uint8_t>(x / 24 + y / 16);
            row[3 * x + 2] = static_cast<std::uint8_t>((x * 7 + y * 3) >> 4);
        }
    }
    slide.caption = u"A path across a large photograph";
    slide.style = SlideStyle::Path;
    slide.interpolation = Interpolation::Nonlinear;
    slide.frames = {{-1.0, 0.0, 0.0, 1.0, 1.0}, {-1.0, 0.3, 0.2, 0.8, 0.7}};
    // For smooth motion; exact motion does not look at them.
    static_cast<void>(make_picture_levels(slide.image, slide.levels));
    return s;
}

inline const SlideShow& path_show() {
    static const SlideShow instance = make_path_show();
    return instance;
}

}  // namespace lumivane::bench

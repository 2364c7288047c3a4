#pragma once
// A show of one path slide whose 24-megapixel picture (6000 x 4000) has some structure
// in every channel, held in memory with its levels for smooth motion: what the playback benchmarks
// render from.

#include <cstdint>

#include "document/slide_show.h"
#include "imaging/image_buffer.h"
#include "imaging/picture_cache.h"

namespace lumivane::bench {

inline SlideShow make_path_show() {
    SlideShow s;
    s.settings.show_captions = CaptionSize::Medium;
    s.slides.resize(1);
    Slide& slide = s.slides[0];
    ImageBuffer image;
    static_cast<void>(image_allocate(image, PixelFormat::Colour8, 6000, 4000, 300.0));
    for (std::int32_t y = 0; y < image.height; ++y) {
        std::uint8_t* row = image.rows[static_cast<std::size_t>(y)];
        for (std::int32_t x = 0; x < image.width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(x ^ y);
            row[3 * x + 1] = static_cast<std::uint8_t>(x / 24 + y / 16);
            row[3 * x + 2] = static_cast<std::uint8_t>((x * 7 + y * 3) >> 4);
        }
    }
    slide.caption = u"A path across a large photograph";
    slide.style = SlideStyle::Path;
    slide.interpolation = Interpolation::Nonlinear;
    slide.frames = {{-1.0, 0.0, 0.0, 1.0, 1.0}, {-1.0, 0.3, 0.2, 0.8, 0.7}};
    slide.picture = picture_in_memory(std::move(image));
    // The levels for smooth motion made now, before anything is timed.
    static_cast<void>(picture_get(slide.picture, {1, true}));
    return s;
}

inline const SlideShow& path_show() {
    static const SlideShow instance = make_path_show();
    return instance;
}

}  // namespace lumivane::bench

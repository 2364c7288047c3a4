#include "ui/gl_scene_renderer.h"

#include <QOffscreenSurface>
#include <QOpenGLFunctions>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "imaging/frame_bitmap.h"
#include "imaging/memory_bitmap.h"
#include "imaging/picture_cache.h"
#include "playback/pan_zoom.h"
#include "playback/transitions.h"
#include "support/random_image.h"
#include "ui/gl_playback_view.h"

namespace lumivane {
namespace {

constexpr std::int32_t frame_width = 320;
constexpr std::int32_t frame_height = 180;

using Pixels = std::vector<std::uint8_t>;

// What the processor's path shows for the scene: 32-bit pixels top-down.
Pixels processor_picture(const SlideShow& show, const PlaybackScene& scene, Motion motion) {
    Pixels pixels(4 * frame_width * frame_height);
    MemoryBitmap picture{pixels.data(), frame_width, frame_height, 4 * frame_width};
    if (scene.transition == TransitionKind::None) {
        EXPECT_FALSE(render_slide_picture(show, scene.shown.slide, scene.shown.key_frame, scene.shown.progress, motion,
                                          picture));
        return pixels;
    }
    FrameBitmap outgoing, incoming;
    EXPECT_FALSE(frame_create(outgoing, frame_width, frame_height));
    EXPECT_FALSE(frame_create(incoming, frame_width, frame_height));
    const auto render = [&](const SlideView& view, FrameBitmap& frame) {
        if (view.slide >= 0) {
            EXPECT_FALSE(render_slide_frame(show, view.slide, view.key_frame, view.progress, motion, frame));
        }
    };
    render(scene.outgoing, outgoing);
    render(scene.incoming, incoming);
    EXPECT_FALSE(compose_transition(scene.transition, outgoing, incoming, picture, scene.progress));
    return pixels;
}

// A picture whose colours change slowly, where filters can be compared.
ImageBuffer gradient_image(int w, int h) {
    ImageBuffer image;
    EXPECT_FALSE(image_allocate(image, PixelFormat::Colour8, w, h, 96.0));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = image.rows[static_cast<std::size_t>(y)] + 3 * x;
            p[0] = static_cast<std::uint8_t>(128 + 100 * std::sin(x / 40.0));
            p[1] = static_cast<std::uint8_t>(128 + 100 * std::cos(y / 30.0));
            p[2] = static_cast<std::uint8_t>((x + y) / 16 % 256);
        }
    }
    return image;
}

Slide path_slide(ImageBuffer image, PanFrame from, PanFrame to) {
    Slide slide;
    slide.style = SlideStyle::Path;
    slide.frames = {from, to};
    slide.picture = picture_in_memory(std::move(image));
    return slide;
}

// The same scenes drawn by the graphics processor (where an OpenGL 3.3 context can be
// made; not on a machine without a display) and by the processor: exact motion and
// the transitions to the byte, smooth motion close.
TEST(GlSceneRenderer, DrawsWhatTheProcessorDraws) {
    QOpenGLContext context;
    context.setFormat(playback_surface_format());
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!context.create() || !context.makeCurrent(&surface)) GTEST_SKIP() << "no OpenGL 3.3 context here";
    GlSceneRenderer renderer;
    ASSERT_FALSE(renderer.initialise());
    GLint largest = 0;
    context.functions()->glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);

    SlideShow show;
    show.slides.push_back(path_slide(testing::random_image(PixelFormat::Colour8, 1000, 700, 1),
                                     {1.0, 0.0, 0.0, 1.0, 1.0}, {1.0, 0.31, 0.22, 0.63, 0.51}));
    // Zoomed out past the picture's edges, and enlarged.
    show.slides.push_back(path_slide(testing::random_image(PixelFormat::Colour8, 97, 61, 2),
                                     {1.0, -0.7, -0.4, 1.9, 1.3}, {1.0, 0.2, 0.3, 0.3, 0.35}));
    // Wider than the largest texture: drawn from tiles.
    show.slides.push_back(path_slide(testing::random_image(PixelFormat::Colour8, largest + 300, 40, 3),
                                     {1.0, 0.0, 0.0, 1.0, 1.0}, {1.0, 0.9, 0.0, 1.0, 1.0}));
    show.slides.push_back(path_slide(gradient_image(2400, 1600), {1.0, 0.0, 0.0, 1.0, 1.0},
                                     {1.0, 0.4, 0.4, 0.5, 0.47}));

    struct Case {
        const char* what;
        Motion motion;
        PlaybackScene scene;
        int most;  // the largest difference of a byte allowed
    };
    const auto still = [](std::int32_t slide, double t) {
        PlaybackScene scene;
        scene.shown = {slide, 0, t};
        return scene;
    };
    const auto between = [](TransitionKind kind, double x) {
        return PlaybackScene{{}, kind, {0, 0, 0.37}, {1, 0, 0.8}, x};
    };
    const Case cases[] = {
        {"exact, reduced", Motion::Exact, still(0, 0.0), 0},
        {"exact, moving", Motion::Exact, still(0, 0.4321), 0},
        {"exact, beyond the edges", Motion::Exact, still(1, 0.1), 0},
        {"exact, enlarged", Motion::Exact, still(1, 1.0), 0},
        {"exact, tiles", Motion::Exact, still(2, 0.55), 0},
        // The picture coming goes up while the one going is bound, and the oldest is let go.
        {"crossfade to a picture not yet sent up", Motion::Exact,
         PlaybackScene{{}, TransitionKind::Crossfade, {2, 0, 0.3}, {3, 0, 0.2}, 0.4}, 0},
        {"fade to black, going", Motion::Exact, between(TransitionKind::FadeToBlack, 0.3), 0},
        {"fade to black, coming", Motion::Exact, between(TransitionKind::FadeToBlack, 0.8), 0},
        {"crossfade", Motion::Exact, between(TransitionKind::Crossfade, 0.61), 0},
        {"curtain", Motion::Exact, between(TransitionKind::Curtain, 0.4567), 0},
        {"crossfade from black", Motion::Exact, PlaybackScene{{}, TransitionKind::Crossfade, {}, {0, 0, 0.0}, 0.5}, 0},
        {"smooth, reduced", Motion::Smooth, still(3, 0.0), 8},
        {"smooth, moving", Motion::Smooth, still(3, 0.77), 8},
    };
    QOpenGLFramebufferObject target(frame_width, frame_height);
    ASSERT_TRUE(target.bind());
    Pixels drawn(4 * frame_width * frame_height);
    for (const Case& c : cases) {
        renderer.draw(show, c.scene, c.motion, frame_width, frame_height);
        context.functions()->glReadPixels(0, 0, frame_width, frame_height, GL_BGRA, GL_UNSIGNED_BYTE, drawn.data());
        const Pixels expected = processor_picture(show, c.scene, c.motion);
        int most = 0;
        for (int y = 0; y < frame_height; ++y) {
            // Read back bottom row first.
            const std::uint8_t* a = drawn.data() + 4 * frame_width * (frame_height - 1 - y);
            const std::uint8_t* b = expected.data() + 4 * frame_width * y;
            for (int i = 0; i < 4 * frame_width; ++i) most = std::max(most, std::abs(a[i] - b[i]));
        }
        EXPECT_LE(most, c.most) << c.what;
        std::printf("%-28s largest difference %d\n", c.what, most);
    }
    renderer.release();
}

}  // namespace
}  // namespace lumivane

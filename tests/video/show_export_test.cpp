#include "video/show_export.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "document/slide_show.h"
#include "imaging/colour_transform.h"
#include "imaging/frame_bitmap.h"
#include "imaging/image_copy.h"
#include "imaging/memory_bitmap.h"
#include "playback/pan_zoom.h"
#include "playback/transitions.h"
#include "support/silent_ui.h"
#include "support/temp_folder.h"
#include "support/video_files.h"

namespace lumivane {
namespace {

using testing::TempFolder;

constexpr std::int32_t video_width = 160;
constexpr std::int32_t video_height = 90;

// A picture of colour ramps that differ from slide to slide under soft stripes, with a
// bright disc where the path of slide 1 moves, so that neighbouring frames of every
// moving part differ by far more than the codec's noise.
ImageBuffer ramp_picture(std::int32_t width, std::int32_t height, int slide) {
    ImageBuffer image;
    EXPECT_FALSE(image_allocate(image, PixelFormat::Colour8, width, height, 72.0));
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* row = image.rows[static_cast<std::size_t>(height - 1 - y)];  // rows bottom first
        for (std::int32_t x = 0; x < width; ++x) {
            const double u = static_cast<double>(x) / width;
            const double v = static_cast<double>(y) / height;
            const double disc = std::exp(-(std::pow(u - 0.3, 2) + std::pow(v - 0.4, 2)) * 30.0);
            const double stripes = 30.0 * std::sin(2 * M_PI * (slide == 1 ? u * 10 + v * 6 : (u + v) * 12));
            const double c[3] = {slide == 0 ? 40 + 180 * u : 200 - 150 * v, slide == 2 ? 60 + 160 * v : 90 + 60 * u,
                                 slide == 1 ? 40 + 200 * u * v : 220 - 170 * u};
            for (int k = 0; k < 3; ++k) {
                const double value = c[k] + stripes + (slide == 1 ? 120 * disc : 0);
                row[3 * x + k] = static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
            }
        }
    }
    return image;
}

// Three slides: A fitted (0.3 s), B a path over 0.5 s zooming into its disc, C cropped
// (0.3 s), with crossfades of 0.2 s.
SlideShow test_show() {
    SlideShow show;
    show.settings.transition = TransitionKind::Crossfade;
    show.settings.transition_time = 0.2;
    show.settings.show_captions = CaptionSize::None;
    show.settings.loop = 0;
    show.slides.resize(3);
    show.slides[0].style = SlideStyle::Fit;
    show.slides[0].frames = {{0.3, 0, 0, 1, 1}};
    show.slides[0].picture = picture_in_memory(ramp_picture(120, 90, 0));
    show.slides[1].style = SlideStyle::Path;
    show.slides[1].frames = {{0.5, 0, 0, 1, 1}, {-1, 0.15, 0.2, 0.45, 0.6}};
    show.slides[1].picture = picture_in_memory(ramp_picture(320, 180, 1));
    show.slides[2].style = SlideStyle::Crop;
    show.slides[2].frames = {{0.3, 0.1, 0.1, 0.9, 0.9}};
    show.slides[2].picture = picture_in_memory(ramp_picture(200, 120, 2));
    return show;
}

using Picture = std::vector<std::uint8_t>;

Picture slide_picture(const SlideShow& show, std::int32_t slide, std::int32_t key_frame, double progress,
                      Motion motion = Motion::Exact) {
    Picture pixels(4 * video_width * video_height);
    MemoryBitmap picture{pixels.data(), video_width, video_height, 4 * video_width};
    EXPECT_FALSE(render_slide_picture(show, slide, key_frame, progress, motion, picture));
    return pixels;
}

// A crossfade from a slide (or black, slide -1) into the next at progress x.
Picture crossfade(const SlideShow& show, std::int32_t from, double from_progress, std::int32_t to, double x,
                  Motion motion = Motion::Exact) {
    testing::SilentUi ui;
    FrameBitmap outgoing, incoming;
    EXPECT_FALSE(frame_create(outgoing, video_width, video_height));
    EXPECT_FALSE(frame_create(incoming, video_width, video_height));
    if (from >= 0) static_cast<void>(render_slide_frame(show, from, 0, from_progress, motion, outgoing));
    EXPECT_FALSE(render_slide_frame(show, to, 0, 0.0, motion, incoming));
    Picture pixels(4 * video_width * video_height);
    MemoryBitmap picture{pixels.data(), video_width, video_height, 4 * video_width};
    EXPECT_FALSE(compose_transition(TransitionKind::Crossfade, outgoing, incoming, picture, x));
    return pixels;
}

// What the screen shows at frame n of 30 a second, the clock counting whole
// milliseconds t = round(n / 30 s). Each transition, rest and path begins where the
// show's clock reaches it, whatever frame the one before ended on:
//   0..6    the crossfade from black into A, 0 to 200 ms
//   7..14   A at rest: its 0.3 s count from 200 ms, where the crossfade was due to end
//   15..21  the crossfade from A to B, from 500 ms
//   22..36  B's path over 0.5 s from 700 ms, ending at frame 36 (1200 ms)
//   37..42  the crossfade from the end of B's path to C, from 1200 ms
//   43..50  C at rest from 1400 ms for 0.3 s: the video ends at 1700 ms, 51 frames.
constexpr std::int64_t expected_frames = 51;

Picture screen_frame(const SlideShow& show, std::int64_t n, Motion motion) {
    const auto at = [](std::int64_t frame) { return 1000.0 * static_cast<double>(frame) / 30.0; };
    const double t = at(n);
    if (n <= 6) return crossfade(show, -1, 0.0, 0, t / 200.0, motion);
    if (n <= 14) return slide_picture(show, 0, 0, 0.0, motion);
    if (n <= 21) return crossfade(show, 0, 0.0, 1, (t - 500.0) / 200.0, motion);
    if (n <= 36) return slide_picture(show, 1, 0, std::min(1.0, (t - 700.0) / 500.0), motion);
    if (n <= 42) return crossfade(show, 1, 1.0, 2, (t - 1200.0) / 200.0, motion);
    return slide_picture(show, 2, 0, 0.0, motion);
}

// The same in the video's colour sampling (4:2:0), which the comparison should not count.
Picture expected_frame(const SlideShow& show, std::int64_t n, Motion motion = Motion::Exact) {
    return testing::through_video_colours(screen_frame(show, n, motion), video_width, video_height);
}

ExportOptions small_options(const TempFolder& folder, const char* name) {
    ExportOptions options;
    options.output = folder.file(testing::u16(name));
    options.width = video_width;
    options.height = video_height;
    options.frames_per_second = 30;
    return options;
}

TEST(ShowExport, FramesAreTheRenderersFramesAtTheirTimesInEitherMotion) {
  for (const Motion motion : {Motion::Exact, Motion::Smooth}) {
    SCOPED_TRACE(motion == Motion::Smooth ? "smooth" : "exact");
    TempFolder folder;
    const SlideShow show = test_show();
    ExportOptions options = small_options(folder, "show.mp4");
    options.motion = motion;
    options = resolved_export_options(show.settings, options);
    ExportProgress progress;
    std::u16string message;
    ASSERT_EQ(export_show_video(show, {}, options, nullptr, progress, message), ExportResult::Done)
        << testing::u8(message);
    EXPECT_EQ(progress.frames_done, expected_frames);

    const testing::DecodedVideo video = testing::decode_video(folder.native_file("show.mp4"));
    ASSERT_TRUE(video.opened);
    EXPECT_EQ(video.video_codec, "h264");
    EXPECT_EQ(video.pixel_format, "yuv420p");
    EXPECT_TRUE(video.tagged_bt709);
    EXPECT_EQ(video.width, video_width);
    EXPECT_EQ(video.height, video_height);
    ASSERT_EQ(static_cast<std::int64_t>(video.frames.size()), expected_frames);
    for (std::int64_t n = 0; n < expected_frames; ++n) {
        const auto i = static_cast<std::size_t>(n);
        // Frame n is shown at n / 30 s.
        EXPECT_EQ(video.time_num[i] * 30, n * video.time_den) << "frame " << n;
        const Picture expected = expected_frame(show, n, motion);
        EXPECT_GE(testing::psnr(video.frames[i], expected), 35.0) << "frame " << n;
        // Where the picture moves, the frames next to it are told apart: a frame late
        // or early would fail above.
        const bool moving = (n >= 1 && n <= 6) || (n >= 16 && n <= 21) || (n >= 23 && n <= 36) || (n >= 38 && n <= 42);
        if (moving) {
            EXPECT_LT(testing::psnr(video.frames[i], expected_frame(show, n - 1, motion)), 35.0) << "frame " << n;
        }
    }
  }
}

TEST(ShowExport, EachFormatWritesItsCodecsWithMusicRepeatedAndFadedToTheVideo) {
    TempFolder folder;
    testing::write_tone_wav(folder.native_file("tone.wav"), 44100, 0.75, 440.0);
    SlideShow show = test_show();
    show.slides.resize(1);
    show.settings.transition = TransitionKind::None;
    show.slides[0].frames[0].delay = 4.0;
    struct Case {
        const char* name;
        const char* video;
        const char* audio;
    };
    for (const Case c : {Case{"a.mp4", "h264", "aac"}, Case{"a.webm", "vp9", "opus"}, Case{"a.mkv", "av1", "opus"}}) {
        ExportOptions options = small_options(folder, c.name);
        options.audio = folder.file(u"tone.wav");
        options = resolved_export_options(show.settings, options);
        ExportProgress progress;
        std::u16string message;
        ASSERT_EQ(export_show_video(show, {}, options, nullptr, progress, message), ExportResult::Done)
            << c.name << ": " << testing::u8(message);
        const testing::DecodedVideo video = testing::decode_video(folder.native_file(c.name));
        EXPECT_EQ(video.video_codec, c.video);
        EXPECT_EQ(video.audio_codec, c.audio);
        EXPECT_TRUE(video.tagged_bt709) << c.name;
        EXPECT_EQ(video.frames.size(), 120u) << c.name;
        // Four seconds of sound: the 0.75 s tone over and over, fading out over the last two.
        ASSERT_EQ(video.sound_rate, 48000) << c.name;
        EXPECT_NEAR(static_cast<double>(video.sound.size()) / video.sound_rate, 4.0, 0.03) << c.name;
        const double full = testing::sound_level(video, 0.2, 0.7);
        EXPECT_GT(full, 0.2) << c.name;
        for (const double at : {0.9, 1.6}) EXPECT_NEAR(testing::sound_level(video, at, at + 0.1), full, 0.1 * full);
        EXPECT_NEAR(testing::sound_level(video, 2.95, 3.05), full / 2, 0.1 * full) << c.name;
        EXPECT_LT(testing::sound_level(video, 3.95, 4.0), 0.05 * full) << c.name;
    }
}

TEST(ShowExport, CancelledOrFailedLeavesNoFile) {
    TempFolder folder;
    folder.write("noise.mp3", std::string(5000, 'x'));
    folder.write("picture.wav", "\xff\xd8\xff\xe0 not a sound at all");
    const SlideShow show = test_show();
    struct Case {
        const char* name;
        std::u16string ExportOptions::*field;
        const char* value;
        const char* message;
    };
    const Case cases[] = {
        {"a music file that is not sound", &ExportOptions::audio, "noise.mp3", "music file"},
        {"a picture named like sound", &ExportOptions::audio, "picture.wav", "music file"},
        {"an unknown extension", &ExportOptions::output, "show.avi", "must end in .mp4, .m4v, .webm or .mkv"},
        {"a missing folder", &ExportOptions::output, "missing/show.mp4", "does not exist"},
    };
    const std::vector<std::string> inputs = {"noise.mp3", "picture.wav"};
    const auto only_inputs = [&] {
        std::size_t n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder.native())) {
            if (std::find(inputs.begin(), inputs.end(), entry.path().filename()) == inputs.end()) return false;
            ++n;
        }
        return n == inputs.size();
    };
    for (const Case& c : cases) {
        ExportOptions options = small_options(folder, "show.mp4");
        options.*c.field = folder.file(testing::u16(c.value));
        options = resolved_export_options(show.settings, options);
        ExportProgress progress;
        std::u16string message;
        EXPECT_EQ(export_show_video(show, {}, options, nullptr, progress, message), ExportResult::Failed)
            << c.name;
        EXPECT_NE(message.find(testing::u16(c.message)), std::u16string::npos) << c.name << ": " << testing::u8(message);
        EXPECT_TRUE(only_inputs()) << c.name;
    }
    // Cancelled halfway, from the thread that draws the captions.
    ExportOptions options = resolved_export_options(show.settings, small_options(folder, "show.mp4"));
    ExportProgress progress;
    std::u16string message;
    SlideShow captioned = test_show();
    captioned.settings.show_captions = CaptionSize::Small;
    for (Slide& slide : captioned.slides) slide.caption = u"caption";
    const CaptionDrawer cancel_at_frame_20 = [&progress](MemoryBitmap&, const std::u16string&, CaptionSize) {
        if (progress.frames_done >= 20) progress.cancel = true;
    };
    EXPECT_EQ(export_show_video(captioned, {}, options, cancel_at_frame_20, progress, message),
              ExportResult::Cancelled);
    EXPECT_LT(progress.frames_done, 25);
    EXPECT_TRUE(only_inputs());
}

TEST(ShowExport, PicturesOfAWideGamutMonitorAreTurnedBackToSrgb) {
    // The same show with its pictures converted to Adobe RGB, as the main window holds
    // them on such a monitor, gives the sRGB frames within the rounding of two conversions.
    TempFolder folder;
    const SlideShow show = test_show();
    SlideShow wide = test_show();
    testing::SilentUi ui;
    for (Slide& slide : wide.slides) {
        ColourTransformHandle transform;
        ImageBuffer image;
        ASSERT_FALSE(image_copy(*picture_get(slide.picture, {}).image, image));
        ASSERT_FALSE(colour_transform_create({}, image, adobe_rgb_profile(), transform));
        ASSERT_FALSE(colour_transform_apply(image, image, transform.get()));
        slide.picture = picture_in_memory(std::move(image));
    }
    const ExportOptions options = resolved_export_options(show.settings, small_options(folder, "wide.mp4"));
    ExportProgress progress;
    std::u16string message;
    ASSERT_EQ(export_show_video(wide, adobe_rgb_profile(), options, nullptr, progress, message), ExportResult::Done);
    const testing::DecodedVideo video = testing::decode_video(folder.native_file("wide.mp4"));
    ASSERT_EQ(static_cast<std::int64_t>(video.frames.size()), expected_frames);
    // Every slide is converted as the show reaches it, in transitions too.
    for (std::int64_t n = 0; n < expected_frames; ++n) {
        EXPECT_GE(testing::psnr(video.frames[static_cast<std::size_t>(n)], expected_frame(show, n)), 35.0)
            << "frame " << n;
    }
    // Left as they are, the Adobe RGB numbers would look washed out.
    const Picture unconverted = slide_picture(wide, 0, 0, 0.0);
    EXPECT_LT(testing::psnr(video.frames[10], testing::through_video_colours(unconverted, video_width, video_height)),
              35.0);
}

}  // namespace
}  // namespace lumivane

#pragma once
// The open slide show: its settings, its slides and their key frames.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/image_buffer.h"
#include "document/show_music.h"
#include "imaging/picture_cache.h"

namespace lumivane {

inline constexpr std::int32_t max_slides = 10000;
inline constexpr std::int32_t max_frames = 10000;
inline constexpr std::size_t max_name_length = 255;
inline constexpr std::size_t max_caption_length = 255;
// The longest default delay and transition time the Slide Show Properties dialog takes,
// in seconds; the default settings for new shows keep to them too.
inline constexpr double max_default_delay = 100000.0;
inline constexpr double max_transition_time = 600.0;
inline constexpr std::int32_t max_window_size = 8;

// The settings' values are the numbers the index and session state files hold. A number
// outside the names a file may still bring is kept as it is and treated as documented
// where it is used.
enum class SlideStyle : std::int32_t { Default = 0, Fit = 1, Crop = 2, Path = 3 };
enum class Interpolation : std::int32_t { Constant = 0, Nonlinear = 1 };
enum class AutorunMode : std::int32_t { Run = 0, DontRun = 1, Manual = 2 };
enum class TransitionKind : std::int32_t { None = 0, FadeToBlack = 1, Crossfade = 2, Curtain = 3 };
enum class CaptionSize : std::int32_t { None = 0, Small = 1, Medium = 2, Large = 3 };

// The twelve values a show carries and the default settings for new shows repeat.
// Each is named after its keyword in the index file.
struct ShowSettings {
    std::u16string name;
    std::int32_t size = 0;  // 0 full screen; k = 1..max_window_size is (100 - 10k) % of the screen
    CaptionSize show_captions = CaptionSize::None;
    std::int32_t loop = 1;
    AutorunMode autorun = AutorunMode::Manual;
    std::int32_t speed = 0;  // -2..2: 0.25 X to 4 X
    std::int32_t proportions_width = 16;
    std::int32_t proportions_height = 9;
    double default_delay = 5.0;  // seconds
    SlideStyle default_style = SlideStyle::Fit;
    TransitionKind transition = TransitionKind::None;
    double transition_time = 2.0;  // seconds
};

// The built-in default settings for new shows.
ShowSettings builtin_default_settings();

inline constexpr std::int32_t max_proportion = 10000;

struct Proportions {
    std::int32_t width = 16;
    std::int32_t height = 9;
};
// The show's proportions as every computation uses them: a hand-edited index file may
// hold values outside 1..10000 (0 or negative ones would be divided by), and then the
// built-in 16 : 9 stands in for both.
Proportions show_proportions(const ShowSettings& settings);
// What a show holds before the default settings are first applied.
ShowSettings starting_show_settings();

// One key frame: how long it lasts and the crop box as fractions of the image,
// (0, 0, 1, 1) being the whole picture.
struct PanFrame {
    double delay = 0.0;  // seconds; negative means the show's default_delay
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

struct Slide {
    std::u16string caption;
    // The picture, decoded when it is needed (picture_cache.h); shared with copies of
    // this slide. None when the file could not be read at opening.
    PictureHandle picture;
    // In the monitor's colours; shared with copies of this slide. None when the file
    // could not be read.
    std::shared_ptr<const ImageBuffer> thumbnail;
    std::u16string file;  // bare name inside the show folder
    SlideStyle style = SlideStyle::Fit;
    std::vector<PanFrame> frames;
    Interpolation interpolation = Interpolation::Constant;
    bool selected = false;  // grid selection, not stored in files

    std::int32_t frame_count() const { return static_cast<std::int32_t>(frames.size()); }
};

struct SlideShow {
    ShowSettings settings = starting_show_settings();
    double speed_factor = 1.0;
    std::u16string show_folder;  // empty while no show is open
    std::u16string index_path;   // empty for an untitled show
    bool modified = false;
    std::vector<Slide> slides;
    ShowMusic music;

    std::int32_t slide_count() const { return static_cast<std::int32_t>(slides.size()); }
};

// -2 gives 0.25, -1 gives 0.5, 1 gives 2, 2 gives 4; anything else 1.
double speed_factor_for(std::int32_t speed);
void set_speed(SlideShow& show, std::int32_t speed);

// A style of 0 stands for the show's default style.
SlideStyle effective_style(const SlideShow& show, const Slide& slide);
[[nodiscard]] bool any_slide_not_fitted(const SlideShow& show);

void release_slide(Slide& slide);
void release_all_slides(SlideShow& show);

// A copy of the show to be played elsewhere (in a video export) while this one stays as
// it is: settings, slides and key frames are copied, the pictures shared, the
// thumbnails left out.
SlideShow show_borrow(const SlideShow& show);

// Copies the defaults into the show, the name cut to its limit, and sets the speed factor.
void apply_default_settings(SlideShow& show, const ShowSettings& defaults);

}  // namespace lumivane

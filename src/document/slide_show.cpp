#include "document/slide_show.h"

#include "platform/paths.h"

namespace lumivane {

ShowSettings builtin_default_settings() { return ShowSettings{}; }

ShowSettings starting_show_settings() {
    ShowSettings s;
    s.transition = TransitionKind::FadeToBlack;
    s.transition_time = 1.0;
    return s;
}

Proportions show_proportions(const ShowSettings& settings) {
    const auto valid = [](std::int32_t v) { return v >= 1 && v <= max_proportion; };
    if (valid(settings.proportions_width) && valid(settings.proportions_height)) {
        return {settings.proportions_width, settings.proportions_height};
    }
    return Proportions{};
}

double speed_factor_for(std::int32_t speed) {
    switch (speed) {
    case -2: return 0.25;
    case -1: return 0.5;
    case 1: return 2.0;
    case 2: return 4.0;
    default: return 1.0;
    }
}

void set_speed(SlideShow& show, std::int32_t speed) {
    show.settings.speed = speed;
    show.speed_factor = speed_factor_for(speed);
}

SlideStyle effective_style(const SlideShow& show, const Slide& slide) {
    return slide.style == SlideStyle::Default ? show.settings.default_style : slide.style;
}

bool any_slide_not_fitted(const SlideShow& show) {
    for (const Slide& slide : show.slides) {
        if (effective_style(show, slide) != SlideStyle::Fit) return true;
    }
    return false;
}

void release_slide(Slide& slide) {
    slide.picture.reset();
    slide.thumbnail.reset();
    slide.frames.clear();
    slide.frames.shrink_to_fit();
}

void release_all_slides(SlideShow& show) {
    for (Slide& slide : show.slides) release_slide(slide);
}

SlideShow show_borrow(const SlideShow& show) {
    SlideShow copy;
    copy.settings = show.settings;
    copy.speed_factor = show.speed_factor;
    copy.show_folder = show.show_folder;
    copy.index_path = show.index_path;
    copy.music = show.music;
    copy.slides.resize(show.slides.size());
    for (std::size_t i = 0; i < show.slides.size(); ++i) {
        const Slide& from = show.slides[i];
        Slide& to = copy.slides[i];
        to.caption = from.caption;
        to.picture = from.picture;
        to.file = from.file;
        to.style = from.style;
        to.frames = from.frames;
        to.interpolation = from.interpolation;
    }
    return copy;
}

void apply_default_settings(SlideShow& show, const ShowSettings& defaults) {
    show.settings = defaults;
    show.settings.name = cut_text(defaults.name, max_name_length);
    show.speed_factor = speed_factor_for(show.settings.speed);
}

}  // namespace lumivane

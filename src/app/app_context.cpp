#include "app/app_context.h"

#include "app/show_folder.h"
#include "platform/translation.h"
#include "platform/value_formatter.h"
#include "playback/playback_window.h"

namespace lumivane {

std::u16string program_title() {
    return formatted(program_title_format, version_major, version_minor, version_build);
}

void reset_slide_position(AppContext& context) {
    context.current_slide = 0;
    PlaybackState& playback = context.playback;
    playback.displayed_slide = 0;
    playback.key_frame = 0;
    playback.path_active = false;
    playback.segment_duration = 0.0;
    playback.segment_ticks = 0;
    playback.in_transition = false;
}

void reset_to_untitled(AppContext& context) {
    SlideShow& show = context.show;
    release_all_slides(show);
    show.slides.clear();
    show.music = {};
    reset_slide_position(context);
    PlaybackState& playback = context.playback;
    show.show_folder.clear();
    show.index_path.clear();
    update_window_title(context);
    show.settings.name = Core::tr("Untitled");
    if (playback.window) playback.window->set_title(show.settings.name);
    show.modified = false;
    context.ui.changed(Change::Slides | Change::CurrentSlide | Change::Settings);
}

}  // namespace lumivane

#include "app/motion_setting.h"

#include "app/app_context.h"
#include "app/slide_messages.h"
#include "platform/paths.h"
#include "platform/translation.h"
#include "playback/motion.h"
#include "playback/timeline.h"

namespace lumivane {

bool set_motion(AppContext& context, Motion motion) {
    context.motion = motion;
    const bool making = motion == Motion::Smooth && context.show.slide_count() > 0;
    if (making) context.ui.show_status(Core::tr("Preparing smooth motion"));
    SlideMessages messages(context.ui);
    bool missing = false;
    for (Slide& slide : context.show.slides) {
        if (!prepare_slide_levels(context.motion, slide)) continue;
        missing = true;
        std::u16string path;
        static_cast<void>(path_join(path, context.show.show_folder, slide.file));  // named as far as it goes
        messages.report(SlideProblem::NoSmoothMotion, path);
    }
    if (making) context.ui.hide_status();
    playback_redraw(context.player);
    messages.finish();
    return missing;
}

}  // namespace lumivane

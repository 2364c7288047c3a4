#include "playback/motion.h"

#include "document/app_context.h"
#include "document/slide_messages.h"
#include "imaging/picture_levels.h"
#include "platform/paths.h"
#include "playback/timeline.h"

namespace lumivane {

bool prepare_slide_levels(const AppContext& context, Slide& slide, const MemoryCheck& fits) {
    const ImageBuffer& image = slide.image;
    if (context.motion != motion_smooth || image.empty()) {
        slide.levels.clear();
        slide.levels.shrink_to_fit();
        return false;
    }
    if (!slide.levels.empty()) return false;
    if (!fits(picture_levels_bytes(image.width, image.height))) return true;
    return make_picture_levels(image, slide.levels);
}

bool set_motion(AppContext& context, std::int32_t motion) {
    context.motion = motion;
    const bool making = motion == motion_smooth && context.show.slide_count() > 0;
    if (making) context.ui.show_status(u"Preparing smooth motion");
    SlideMessages messages(context.ui);
    bool missing = false;
    for (Slide& slide : context.show.slides) {
        if (!prepare_slide_levels(context, slide)) continue;
        missing = true;
        std::u16string path;
        path_join(path, context.show.show_folder, slide.file);
        messages.report(SlideProblem::NoSmoothMotion, path);
    }
    if (making) context.ui.hide_status();
    playback_redraw(context);
    messages.finish();
    return missing;
}

}  // namespace lumivane

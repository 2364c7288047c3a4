#include "playback/motion.h"

#include "document/app_context.h"
#include "document/message_boxes.h"
#include "imaging/picture_levels.h"
#include "platform/system_memory.h"
#include "playback/timeline.h"

namespace lumivane {

bool prepare_slide_levels(const AppContext& context, Slide& slide) {
    const ImageBuffer& image = slide.image;
    if (context.motion != motion_smooth || image.empty()) {
        slide.levels.clear();
        slide.levels.shrink_to_fit();
        return false;
    }
    if (!slide.levels.empty()) return false;
    if (!memory_allows(picture_levels_bytes(image.width, image.height))) return true;
    return make_picture_levels(image, slide.levels);
}

void report_missing_levels(AppContext& context, std::int32_t count) {
    if (count == 0) return;
    warning_box(context.ui, u"Not enough memory to prepare smooth motion for %d slides. They are shown with less "
                            u"filtering.", count);
}

bool set_motion(AppContext& context, std::int32_t motion) {
    context.motion = motion;
    const bool making = motion == motion_smooth && context.show.slide_count() > 0;
    if (making) context.ui.show_status(u"Preparing smooth motion");
    std::int32_t missing = 0;
    for (Slide& slide : context.show.slides) {
        if (prepare_slide_levels(context, slide)) ++missing;
    }
    if (making) context.ui.hide_status();
    playback_redraw(context);
    report_missing_levels(context, missing);
    return missing > 0;
}

}  // namespace lumivane

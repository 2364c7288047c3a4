#include "playback/motion.h"

#include "document/slide_show.h"
#include "imaging/picture_levels.h"
#include "playback/pan_zoom.h"

namespace lumivane {

bool prepare_slide_levels(Motion motion, Slide& slide, const MemoryCheck& fits) {
    const ImageBuffer& image = slide.image;
    if (motion != Motion::Smooth || image.empty()) {
        slide.levels.clear();
        slide.levels.shrink_to_fit();
        return false;
    }
    if (!slide.levels.empty()) return false;
    if (!fits(picture_levels_bytes(image.width, image.height))) return true;
    return make_picture_levels(image, slide.levels);
}

}  // namespace lumivane

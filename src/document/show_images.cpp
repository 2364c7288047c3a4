#include "document/show_images.h"

#include "document/app_context.h"
#include "document/message_boxes.h"
#include "imaging/colour_transform.h"
#include "imaging/image_loader.h"
#include "imaging/preview.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "playback/pan_zoom.h"

namespace lumivane {

inline constexpr std::int32_t thumbnail_box = 200;

void load_show_images(AppContext& context) {
    UserInterface& ui = context.ui;
    SlideShow& show = context.show;
    ui.show_status(u"Loading image files");
    // One picture is decoded at a time and converted into the slide's own.
    ImageBuffer loaded;
    for (std::int32_t i = 0; i < show.slide_count(); ++i) {
        Slide& slide = show.slides[static_cast<std::size_t>(i)];
        if (slide.file.empty()) {
            // The folder itself is no picture; name the slide, as people count them.
            error_box(ui, u"Slide %d has no image file name", i + 1);
            continue;
        }
        std::u16string path;
        // A path too long for the file system has been reported by the join.
        if (path_join(ui, path, show.show_folder, slide.file)) continue;
        if (!file_exists(path)) {
            error_box(ui, u"Slide file does not exist: %s", path);
            continue;
        }
        if (image_load(ui, path, loaded, slide.profile)) {
            error_box(ui, u"Error reading slide file: %s", path);
            image_free(loaded);
        }
        colour_transform_create(ui, slide.profile, loaded, context.monitor_profile, slide.transform);
        if (colour_transform_apply(loaded, slide.image, slide.transform.get())) {
            error_box(ui, u"Cannot convert slide file to the monitor color space: %s", path);
            // Better the picture as it was decoded than none at all.
            slide.image = std::move(loaded);
        }
        image_make_preview(slide.image, slide.thumbnail, thumbnail_box, thumbnail_box, context.thumbnail_margin);
        if (!slide.image.empty()) {
            for (PanFrame& frame : slide.frames) {
                fit_box_to_proportions(show, frame, slide.image.width, slide.image.height);
            }
        }
    }
    ui.hide_status();
    image_free(loaded);
    ui.update_tool_buttons();
}

}  // namespace lumivane

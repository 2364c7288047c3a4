#include "app/slide_pictures.h"

#include <exception>

#include "app/app_context.h"
#include "app/slide_messages.h"
#include "imaging/colour_transform.h"
#include "imaging/preview.h"
#include "platform/files.h"
#include "platform/message_boxes.h"
#include "platform/paths.h"
#include "platform/translation.h"
#include "playback/motion.h"
#include "playback/pan_zoom.h"

namespace lumivane {

SlideFile locate_slide_file(const std::u16string& show_folder, const std::u16string& file_name) {
    SlideFile file;
    if (file_name.empty()) {
        file.outcome = SlideFile::Outcome::NoFileName;
    } else if (path_join(file.path, show_folder, file_name)) {
        file.outcome = SlideFile::Outcome::PathTooLong;
    } else {
        file.working_path = image_working_path(file.path);
    }
    return file;
}

void read_slide_file(SlideFile& file, const MemoryCheck& fits) {
    if (file.outcome != SlideFile::Outcome::Located) return;
    if (!file_exists(file.path)) {
        file.outcome = SlideFile::Outcome::Missing;
        return;
    }
    try {
        if (!image_read(file.working_path, file.picture, file.profile, file.report, fits)) {
            file.outcome = SlideFile::Outcome::Loaded;
            // In place the conversion needs no memory and cannot fail.
            file.converted = file.known_transform && file.profile == file.known_profile;
            if (file.converted) {
                static_cast<void>(
                    colour_transform_apply_rows(file.picture, file.known_transform.get(), file.report.rows_with_data));
            }
            return;
        }
    } catch (const std::exception&) {
        // Out of memory for some small part of the work; the picture goes with it.
        image_free(file.picture);
        file.profile.clear();
    }
    file.outcome = file.report.out_of_memory ? SlideFile::Outcome::OutOfMemory : SlideFile::Outcome::Unreadable;
}

void show_reading(UserInterface& ui, const SlideFile& file) {
    if (file.outcome == SlideFile::Outcome::Located && file_exists(file.path)) {
        ui.set_status_text(formatted(Core::tr("Reading %s"), file.working_path));
    }
}

SlidePrepared prepare_slide(AppContext& context, std::int32_t index, Slide& slide, SlideMessages& messages,
                            SlideFile* read_ahead, const NewSlide* new_slide, const MemoryCheck& fits) {
    FlowInterface& ui = context.ui;
    SlideFile read_here;
    if (!read_ahead) read_here = locate_slide_file(context.show.show_folder, slide.file);
    SlideFile& file = read_ahead ? *read_ahead : read_here;
    if (file.outcome == SlideFile::Outcome::Located) {
        if (!new_slide) show_reading(ui, file);
        read_slide_file(file);
        ui.set_cursor(CursorShape::Arrow);
    }

    switch (file.outcome) {
    case SlideFile::Outcome::OutOfMemory: return SlidePrepared::OutOfMemory;
    // The folder itself is no picture; name the slide, as people count them.
    case SlideFile::Outcome::NoFileName:
        error_box(ui, Core::tr("Slide %d has no image file name"), index + 1);
        return SlidePrepared::Done;
    case SlideFile::Outcome::PathTooLong: error_box(ui, Core::tr("Pathname too long")); return SlidePrepared::Done;
    case SlideFile::Outcome::Missing: messages.report(SlideProblem::Missing, file.path); return SlidePrepared::Done;
    case SlideFile::Outcome::Located:
    case SlideFile::Outcome::Unreadable:
        messages.report(SlideProblem::Unreadable, new_slide ? new_slide->reported_path : file.path);
        break;
    case SlideFile::Outcome::Loaded:
        if (file.report.incomplete) messages.report(SlideProblem::Incomplete, file.path);
        break;
    }

    slide.profile = std::move(file.profile);
    if (file.converted) {
        slide.transform = file.known_transform;
    } else {
        // A profile that cannot be used is reported the first time; the picture keeps its own colours.
        if (colour_transform_shared(context.colour_transforms, slide.profile, file.picture, context.monitor_profile,
                                    slide.transform) == SharedTransform::Refused) {
            error_box(ui, Core::tr("Problem converting from working color space to monitor color space"));
        }
        // Converted where it lies: the picture needs no second copy of itself.
        if (colour_transform_apply_rows(file.picture, slide.transform.get(), file.report.rows_with_data)) {
            error_box(ui, Core::tr("Cannot convert slide file to the monitor color space: %s"), file.path);
        }
    }
    slide.image = std::move(file.picture);
    // Without memory for it the slide has no thumbnail, and its cell stays empty.
    static_cast<void>(image_make_preview(slide.image, slide.thumbnail, context.thumbnail_box, context.thumbnail_box,
                                         context.thumbnail_margin));
    if (prepare_slide_levels(context.motion, slide, fits)) messages.report(SlideProblem::NoSmoothMotion, file.path);
    if (!slide.image.empty()) {
        // A new slide's first key frame covers the whole picture; a cropped one's is cut.
        if (new_slide && !slide.frames.empty() && effective_style(context.show, slide) == SlideStyle::Crop) {
            centre_crop_box(context.show, slide.frames.front(), slide.image.width, slide.image.height);
        }
        for (PanFrame& frame : slide.frames) {
            fit_box_to_proportions(context.show, frame, slide.image.width, slide.image.height);
        }
    }
    return SlidePrepared::Done;
}

}  // namespace lumivane

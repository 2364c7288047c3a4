#include "app/slide_pictures.h"

#include <algorithm>
#include <exception>

#include "app/app_context.h"
#include "app/slide_messages.h"
#include "imaging/colour_transform.h"
#include "imaging/preview.h"
#include "imaging/thumbnail_cache.h"
#include "platform/files.h"
#include "platform/message_boxes.h"
#include "platform/paths.h"
#include "platform/translation.h"
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

void read_slide_file(SlideFile& file, std::int32_t thumbnail_side, const std::u16string& thumbnail_folder) {
    if (file.outcome != SlideFile::Outcome::Located) return;
    if (!file_exists(file.path)) {
        file.outcome = SlideFile::Outcome::Missing;
        return;
    }
    // The least decode that still gives the thumbnail all its pixels.
    const auto reduction = [thumbnail_side](std::int32_t width, std::int32_t height) {
        const std::int32_t side = std::max(width, height);
        std::int32_t d = 1;
        while (d < 8 && side / (2 * d) >= thumbnail_side) d *= 2;
        return d;
    };
    try {
        bool incomplete = false;
        // A thumbnail kept from an earlier opening spares the decode; the header is read all the same.
        const bool cached = !thumbnail_folder.empty() &&
                            !thumbnail_cache_read(thumbnail_folder, file.working_path, thumbnail_side, file.picture,
                                                  incomplete) &&
                            !image_inspect(file.working_path, file.profile, file.report);
        if (cached) {
            file.report.incomplete = incomplete;
            file.report.rows_with_data = file.picture.height;
        } else if (!thumbnail_folder.empty() && thumbnail_cache_failed(thumbnail_folder, file.working_path)) {
            // No picture in the file the last time, and it has not changed since.
            image_free(file.picture);
            file.outcome = SlideFile::Outcome::Unreadable;
            return;
        } else {
            image_free(file.picture);
            if (image_read(file.working_path, file.picture, file.profile, file.report, memory_fits, reduction)) {
                // Short of memory now is no fault of the file's.
                if (!file.report.out_of_memory && !thumbnail_folder.empty()) {
                    thumbnail_cache_write_failure(thumbnail_folder, file.working_path);
                }
                file.outcome = SlideFile::Outcome::Unreadable;
                return;
            }
            if (!thumbnail_folder.empty()) {
                thumbnail_cache_write(thumbnail_folder, file.working_path, thumbnail_side, file.picture,
                                      file.report.incomplete);
            }
        }
        file.outcome = SlideFile::Outcome::Loaded;
        // In place the conversion needs no memory and cannot fail.
        file.converted = file.known_transform && file.profile == file.known_profile;
        if (file.converted) {
            static_cast<void>(
                colour_transform_apply_rows(file.picture, file.known_transform.get(), file.report.rows_with_data));
        }
    } catch (const std::exception&) {
        // Out of memory for some small part of the work; the picture goes with it.
        image_free(file.picture);
        file.profile.clear();
        file.outcome = SlideFile::Outcome::Unreadable;
    }
}

void show_reading(UserInterface& ui, const SlideFile& file) {
    if (file.outcome == SlideFile::Outcome::Located && file_exists(file.path)) {
        ui.set_status_text(formatted(Core::tr("Reading %s"), file.working_path));
    }
}

void prepare_slide(AppContext& context, std::int32_t index, Slide& slide, SlideMessages& messages,
                   SlideFile* read_ahead, const NewSlide* new_slide) {
    FlowInterface& ui = context.ui;
    SlideFile read_here;
    if (!read_ahead) read_here = locate_slide_file(context.show.show_folder, slide.file);
    SlideFile& file = read_ahead ? *read_ahead : read_here;
    if (file.outcome == SlideFile::Outcome::Located) {
        if (!new_slide) show_reading(ui, file);
        read_slide_file(file, context.thumbnail_box, context.thumbnail_folder);
        ui.set_cursor(CursorShape::Arrow);
    }
    slide.picture.reset();
    slide.thumbnail.reset();

    switch (file.outcome) {
    // The folder itself is no picture; name the slide, as people count them.
    case SlideFile::Outcome::NoFileName: error_box(ui, Core::tr("Slide %d has no image file name"), index + 1); return;
    case SlideFile::Outcome::PathTooLong: error_box(ui, Core::tr("Pathname too long")); return;
    case SlideFile::Outcome::Missing: messages.report(SlideProblem::Missing, file.path); return;
    case SlideFile::Outcome::Located:
    case SlideFile::Outcome::Unreadable:
        messages.report(SlideProblem::Unreadable, new_slide ? new_slide->reported_path : file.path);
        return;
    case SlideFile::Outcome::Loaded:
        if (file.report.incomplete) messages.report(SlideProblem::Incomplete, file.path);
        break;
    }

    ColourTransformHandle transform;
    if (file.converted) {
        transform = file.known_transform;
    } else {
        // A profile that cannot be used is reported the first time; the picture keeps its own colours.
        if (colour_transform_shared(context.colour_transforms, file.profile, file.picture, context.monitor.icc,
                                    transform) == SharedTransform::Refused) {
            error_box(ui, Core::tr("Problem converting from working color space to monitor color space"));
        }
        if (colour_transform_apply_rows(file.picture, transform.get(), file.report.rows_with_data)) {
            error_box(ui, Core::tr("Cannot convert slide file to the monitor color space: %s"), file.path);
        }
    }
    const std::int32_t width = file.report.width;
    const std::int32_t height = file.report.height;
    slide.picture = context.pictures.add({file.working_path, width, height, transform});
    auto thumbnail = std::make_shared<ImageBuffer>();
    // Without memory for it the slide has no thumbnail, and its cell stays empty.
    if (!image_make_preview(file.picture, *thumbnail, context.thumbnail_box, context.thumbnail_box,
                            context.thumbnail_margin)) {
        slide.thumbnail = std::move(thumbnail);
    }
    // A new slide's first key frame covers the whole picture; a cropped one's is cut.
    if (new_slide && !slide.frames.empty() && effective_style(context.show, slide) == SlideStyle::Crop) {
        centre_crop_box(context.show, slide.frames.front(), width, height);
    }
    for (PanFrame& frame : slide.frames) fit_box_to_proportions(context.show, frame, width, height);
}

}  // namespace lumivane

#include "imaging/button_bitmaps.h"

#include "imaging/bmp_reader.h"
#include "imaging/resample.h"
#include "platform/files.h"
#include "platform/message_boxes.h"
#include "platform/paths.h"
#include "platform/resources.h"
#include "platform/translation.h"

namespace lumivane {

namespace {

constexpr char16_t load_error[] = LMV_TRANSLATE_NOOP("Core", "Error loading bitmap file: %s");

}  // namespace

std::u16string shipped_bitmap_folder() { return resource_folder() + u"/bitmaps"; }

bool load_bitmap_file(UserInterface& ui, ImageBuffer& destination, std::u16string_view file_name, std::int32_t width,
                      std::int32_t height, const std::u16string& settings_folder,
                      const std::u16string& shipped_folder) {
    ImageBuffer picture;
    auto fit = [&] {
        ImageBuffer fitted;
        if (image_resample(picture, fitted, width, height, 100.0, ResampleFilter::Linear)) return true;
        destination = std::move(fitted);
        return false;
    };
    std::u16string folder, user_path, shipped_path;
    const bool user_path_failed =
        path_join(ui, folder, settings_folder, user_bitmaps_folder) || path_join(ui, user_path, folder, file_name);
    // A file the user put there but that cannot be read is named, not passed over.
    const bool user_has_it = !user_path_failed && path_exists(user_path);
    if (user_has_it) {
        if (!read_bmp(user_path, picture)) return fit();
        error_box(ui, Core::translated(load_error), user_path);  // and the program's own picture takes its place
    }
    if (!path_join(ui, shipped_path, shipped_folder, file_name) && file_exists(shipped_path)) {
        if (!read_bmp(shipped_path, picture)) return fit();
        error_box(ui, Core::translated(load_error), shipped_path);
        return true;
    }
    if (!user_has_it) error_box(ui, Core::translated(load_error), user_path);
    return true;
}

}  // namespace lumivane

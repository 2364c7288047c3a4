#include "imaging/button_bitmaps.h"

#include "imaging/bmp_reader.h"
#include "imaging/resample.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/resources.h"

namespace lumivane {

std::u16string shipped_bitmap_folder() { return resource_folder() + u"/bitmaps"; }

bool load_bitmap_file(ImageBuffer& destination, std::u16string_view file_name, std::int32_t width,
                      std::int32_t height, const std::u16string& settings_folder, std::vector<BitmapProblem>& problems,
                      const std::u16string& shipped_folder) {
    ImageBuffer picture;
    auto fit = [&] {
        ImageBuffer fitted;
        if (image_resample(picture, fitted, width, height, 100.0, ResampleFilter::Linear)) return true;
        destination = std::move(fitted);
        return false;
    };
    const auto joined = [&problems](std::u16string& path, std::u16string_view folder, std::u16string_view name) {
        if (!path_join(path, folder, name)) return true;
        problems.push_back({BitmapProblem::Kind::PathTooLong, {}});
        return false;
    };
    const auto unreadable = [&problems](const std::u16string& path) {
        problems.push_back({BitmapProblem::Kind::Unreadable, path});
    };
    std::u16string folder, user_path, shipped_path;
    const bool user_path_made =
        joined(folder, settings_folder, user_bitmaps_folder) && joined(user_path, folder, file_name);
    // A file the user put there but that cannot be read is named, not passed over.
    const bool user_has_it = user_path_made && path_exists(user_path);
    if (user_has_it) {
        if (!read_bmp(user_path, picture)) return fit();
        unreadable(user_path);  // and the program's own picture takes its place
    }
    if (joined(shipped_path, shipped_folder, file_name) && file_exists(shipped_path)) {
        if (!read_bmp(shipped_path, picture)) return fit();
        unreadable(shipped_path);
        return true;
    }
    if (!user_has_it) unreadable(user_path);
    return true;
}

}  // namespace lumivane

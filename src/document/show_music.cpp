#include "document/show_music.h"

#include <algorithm>
#include <cmath>

#include "platform/paths.h"

namespace lumivane {

float music_gain(const ShowMusic& music) {
    return static_cast<float>(std::clamp(music.volume, 0, max_music_volume)) / max_music_volume;
}

double music_fade_seconds(const ShowMusic& music) {
    return std::isfinite(music.fade) ? std::clamp(music.fade, 0.0, max_music_fade) : 0.0;
}

namespace {

// The rest of path after folder and a separator; none when path is not inside folder.
bool inside(std::u16string_view path, std::u16string folder, std::u16string& rest) {
    if (folder.empty() || folder.back() != path_separator) folder += path_separator;
    if (path.size() <= folder.size() || path.substr(0, folder.size()) != folder) return false;
    rest = std::u16string(path.substr(folder.size()));
    return true;
}

}  // namespace

std::u16string music_file_name(const std::u16string& show_folder, const std::u16string& path) {
    if (show_folder.empty()) return path;
    std::u16string rest;
    if (inside(path, show_folder, rest)) return rest;
    std::u16string parent = show_folder;
    path_folder(parent);
    if (parent != show_folder && inside(path, parent, rest)) return u"../" + rest;
    return path;
}

std::u16string music_file_path(const std::u16string& show_folder, const std::u16string& name) {
    if (!name.empty() && name.front() == path_separator) return name;
    std::u16string path;
    // A path too long for the file system is left as it stands, to be refused when opened.
    if (path_join(path, show_folder, name)) return show_folder + path_separator + name;
    return path;
}

}  // namespace lumivane

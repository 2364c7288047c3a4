#include "document/command_line.h"

#include "document/app_context.h"
#include "document/message_boxes.h"
#include "document/show_folder.h"
#include "document/show_images.h"
#include "document/show_index.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace lumivane {

std::u16string show_path_argument(const std::vector<std::u16string>& arguments) {
    if (arguments.empty()) return {};
    std::u16string path = cut_text(arguments.front(), path_limit);
    if (path.size() >= 2 && path.front() == u'"' && path.back() == u'"') path = path.substr(1, path.size() - 2);
    return path;
}

bool open_command_line_show(AppContext& context, const std::u16string& path) {
    if (path.empty()) return false;
    SlideShow& show = context.show;
    std::u16string name = default_index_name;
    if (path_extension(path) == u".ssi") {
        show.show_folder = path;
        path_folder(show.show_folder);
        name = path_file_name(path);
    } else {
        show.show_folder = path;
    }
    update_window_title(context);
    if (!folder_exists(show.show_folder) || read_show_index(context, show.show_folder, name)) {
        std::u16string shown;
        path_join(context.ui, shown, show.show_folder, name);
        error_box(context.ui, u"Cannot open slide show: %s", shown);
        show.show_folder.clear();
        update_window_title(context);
        return true;
    }
    load_show_images(context);
    return false;
}

}  // namespace lumivane

#include "ui/shell/image_list.h"

#include "platform/message_boxes.h"
#include "platform/translation.h"

namespace lumivane {

std::vector<std::u16string> fit_image_list(UserInterface& ui, const std::vector<std::u16string>& chosen,
                                           std::size_t capacity) {
    std::vector<std::u16string> list;
    std::size_t used = 0;
    for (const std::u16string& path : chosen) {
        if (path.empty()) continue;
        if (used + path.size() + 1 + 1 > capacity) {
            error_box(ui, Core::tr("Too many pathnames"));
            continue;
        }
        used += path.size() + 1;
        list.push_back(path);
    }
    return list;
}

}  // namespace lumivane

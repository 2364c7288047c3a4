#include "document/recent_files.h"

#include <algorithm>

namespace lumivane {

void recent_add(RecentFiles& list, const std::u16string& path) {
    auto found = std::find_if(list.begin(), list.end(), [&](const std::u16string& e) { return !e.empty() && e == path; });
    if (found == list.end()) found = list.end() - 1;  // the oldest place is given up
    *found = path;
    std::rotate(list.begin(), found, found + 1);
}

void recent_remove(RecentFiles& list, const std::u16string& path) {
    const auto found =
        std::find_if(list.begin(), list.end(), [&](const std::u16string& e) { return !e.empty() && e == path; });
    if (found == list.end()) return;
    found->clear();
    std::rotate(found, found + 1, list.end());
}

}  // namespace lumivane

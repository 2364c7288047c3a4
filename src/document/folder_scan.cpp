#include "document/folder_scan.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/image_decoder.h"
#include "platform/paths.h"
#include "platform/shortcuts.h"

namespace lumivane {

namespace {

// The folder's entries in natural order of their names.
bool sorted_entries(const std::u16string& folder, std::vector<FolderEntry>& entries) {
    if (folder_entries(folder, entries)) return true;
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return names_natural_less(a.name, b.name); });
    return false;
}

// A name too long for the file system simply fails to open: a scan reports nothing
// per entry.
std::u16string entry_path(const std::u16string& folder, const FolderEntry& entry) {
    return folder.empty() || folder.back() == path_separator ? folder + entry.name
                                                             : folder + path_separator + entry.name;
}

bool is_image_entry(const std::u16string& folder, const FolderEntry& entry) {
    const std::u16string path = entry_path(folder, entry);
    if (!entry.link) return is_image_file(path);
    // A link that leads nowhere, or round in a circle, is no picture.
    std::u16string target;
    return !shortcut_resolve(path, target, path_limit + 1) && is_image_file(target);
}

}  // namespace

bool is_image_file(const std::u16string& path) {
    FileHandle file;
    if (file_open_read(path, file)) return false;
    unsigned char b[signature_bytes] = {};
    std::uint32_t length = sizeof b;
    if (file_read(file, length, b) != ReadResult::Read || length < 2) return true;
    return (b[0] == 'I' && b[1] == 'I') || (b[0] == 'M' && b[1] == 'M') || (b[0] == 0xFF && b[1] == 0xD8) ||
           signature_format(b, length).has_value();
}

bool folder_image_names(const std::u16string& folder, std::vector<std::u16string>& names) {
    names.clear();
    std::vector<FolderEntry> entries;
    if (sorted_entries(folder, entries)) return true;
    for (FolderEntry& entry : entries) {
        if (is_image_entry(folder, entry)) names.push_back(std::move(entry.name));
    }
    return false;
}

bool count_image_files(const std::u16string& folder, std::int32_t& count) {
    std::vector<std::u16string> names;
    const bool failed = folder_image_names(folder, names);
    count = static_cast<std::int32_t>(names.size());
    return failed;
}

bool find_index_files(const std::u16string& folder, std::int32_t& count, std::u16string& first_name) {
    count = 0;
    first_name.clear();
    std::vector<FolderEntry> entries;
    if (sorted_entries(folder, entries)) return true;
    for (const FolderEntry& entry : entries) {
        // A folder is no index file, whatever its name.
        if (!names_equal_nocase(path_extension(entry.name), u".ssi") || folder_exists(entry_path(folder, entry))) {
            continue;
        }
        if (count++ == 0) first_name = entry.name;
    }
    return false;
}

}  // namespace lumivane

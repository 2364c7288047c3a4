#include "platform/paths.h"

#include "platform/message_boxes.h"
#include "platform/translation.h"

namespace lumivane {

bool path_join(std::u16string& output, std::u16string_view folder, std::u16string_view name) {
    output.assign(folder);
    if (output.empty() || output.back() != path_separator) output += path_separator;
    if (output.size() + name.size() > path_limit) return true;
    output += name;
    return false;
}

bool path_join(UserInterface& ui, std::u16string& output, std::u16string_view folder, std::u16string_view name) {
    if (!path_join(output, folder, name)) return false;
    error_box(ui, Core::tr("Pathname too long"));
    return true;
}

void path_folder(std::u16string& path) {
    const std::size_t last = path.rfind(path_separator);
    if (last == std::u16string::npos) {
        path = u".";
        return;
    }
    path.resize(last + 1);
    if (path.size() >= 2) path.pop_back();
}

std::u16string path_file_name(std::u16string_view path) {
    const std::size_t last = path.rfind(path_separator);
    return std::u16string(last == std::u16string_view::npos ? path : path.substr(last + 1));
}

std::u16string path_extension(std::u16string_view path) {
    for (std::size_t i = path.size(); i-- > 0;) {
        if (path[i] == path_separator) return {};
        if (path[i] == u'.') return cut_text(path.substr(i), path_limit);
    }
    return {};
}

bool names_equal(std::u16string_view a, std::u16string_view b) { return a == b; }

bool folders_equal(std::u16string_view a, std::u16string_view b) {
    auto trimmed = [](std::u16string_view f) {
        while (f.size() > 1 && f.back() == path_separator) f.remove_suffix(1);
        return f;
    };
    return trimmed(a) == trimmed(b);
}

namespace {

char16_t upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The digits from i on, without their leading zeros; i moves past them.
std::u16string_view number_at(std::u16string_view text, std::size_t& i) {
    while (i < text.size() && text[i] == u'0') ++i;
    const std::size_t start = i;
    while (i < text.size() && is_digit(text[i])) ++i;
    return text.substr(start, i - start);
}

}  // namespace

bool names_equal_nocase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

bool names_natural_less(std::u16string_view a, std::u16string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (is_digit(a[i]) && is_digit(b[j])) {
            // Without leading zeros, the longer number is the larger; equal lengths
            // compare digit by digit. No number is too long for this.
            const std::u16string_view x = number_at(a, i);
            const std::u16string_view y = number_at(b, j);
            if (x.size() != y.size()) return x.size() < y.size();
            if (x != y) return x < y;
            continue;
        }
        if (upper(a[i]) != upper(b[j])) return upper(a[i]) < upper(b[j]);
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) return i == a.size();  // a name before its longer forms
    return a < b;
}

std::u16string cut_text(std::u16string_view text, std::size_t limit) {
    return std::u16string(text.substr(0, limit));
}

}  // namespace lumivane

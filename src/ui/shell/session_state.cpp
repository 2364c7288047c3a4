#include "ui/shell/session_state.h"

#include "app/app_context.h"
#include "document/number_parsing.h"
#include "document/record_tokenizer.h"
#include "document/text_file.h"
#include "document/version_check.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/value_formatter.h"

namespace lumivane {

namespace {

constexpr char16_t session_folder_name[] = u"Session State";
constexpr char16_t session_file_name[] = u"Slide Show.state";

std::int32_t integer(const std::u16string& token) {
    std::int32_t value = 0;
    parse_int(token, value);  // whatever converts; the file is the user's
    return value;
}

double real(const std::u16string& token) {
    double value = 0.0;
    parse_real(token, value);
    return value;
}

// One line of the file; false at "end".
bool read_line(AppContext& context, const std::vector<std::u16string>& t) {
    const std::u16string& key = t[0];
    const std::size_t n = t.size();
    ShowSettings& d = context.default_settings;
    if (key == u"end") return false;
    // Lines with fewer arguments than their key takes are outside the format.
    if (key == u"openfile" && n >= 3) {
        const std::int32_t i = integer(t[1]);
        if (i >= 0 && i < static_cast<std::int32_t>(recent_files_count)) {
            context.recent_files[static_cast<std::size_t>(i)] = cut_text(t[2], path_limit);
        }
    } else if (key == u"window_placement" && n >= 11) {
        WindowPlacement& p = context.placement;
        p.length = window_placement_length;
        p.flags = integer(t[1]);
        p.maximised_x = integer(t[2]);
        p.maximised_y = integer(t[3]);
        p.minimised_x = integer(t[4]);
        p.minimised_y = integer(t[5]);
        p.normal_left = integer(t[6]);
        p.normal_top = integer(t[7]);
        p.normal_right = integer(t[8]);
        p.normal_bottom = integer(t[9]);
        p.show_command = integer(t[10]);
    } else if (n < 2) {
        return true;
    } else if (key == u"monitor_profile") {
        context.monitor_profile = integer(t[1]);
    } else if (key == u"frame_rate") {
        context.frame_rate = integer(t[1]);
    } else if (key == u"motion") {
        context.motion = integer(t[1]);
    } else if (key == u"last_file_open_folder") {
        context.last_image_folder = cut_text(t[1], path_limit);
    } else if (key == u"slide_show_name") {
        d.name = cut_text(t[1], max_name_length);
    } else if (key == u"window_size") {
        d.size = integer(t[1]);
    } else if (key == u"window_proportions" && n >= 3) {
        d.proportions_width = integer(t[1]);
        d.proportions_height = integer(t[2]);
    } else if (key == u"autorun") {
        d.autorun = integer(t[1]);
    } else if (key == u"show_captions") {
        d.show_captions = integer(t[1]);
    } else if (key == u"loop") {
        d.loop = integer(t[1]);
    } else if (key == u"speed") {
        d.speed = integer(t[1]);  // the speed factor follows when the defaults are applied
    } else if (key == u"default_delay" || key == u"delay") {
        d.default_delay = real(t[1]);
    } else if (key == u"default_style" || key == u"style") {
        d.default_style = integer(t[1]);
    } else if (key == u"transition") {
        d.transition = integer(t[1]);
    } else if (key == u"transition_time") {
        d.transition_time = real(t[1]);
    }
    return true;
}

std::u16string quoted(const char16_t* key, const std::u16string& text) {
    return formatted(u"%s \u2033%s\u2033", key, text);
}

}  // namespace

std::u16string session_state_path(const std::u16string& session_folder) {
    return session_folder + u"/" + session_folder_name + u"/" + session_file_name;
}

void read_session_state(AppContext& context, const std::u16string& pictures_folder) {
    context.recent_files = RecentFiles{};
    context.placement = WindowPlacement{};
    context.last_image_folder = pictures_folder;
    read_session_state_file(context, session_state_path(context.session_folder));
}

void read_session_state_file(AppContext& context, const std::u16string& path) {
    FileHandle file;
    std::u16string text;
    if (file_open_read(path, file) || read_text_file(std::move(file), text)) return;

    std::size_t position = 0;
    std::u16string_view line;
    TokenRecord record;
    if (next_record_line(text, position, line)) return;
    tokenize_line(context.ui, record, line);
    if (record.count() != 2 || record.tokens[0] != u"Session") return;
    version_check(context.ui, record.tokens[1], 1.0, u"Session Settings");
    while (!next_record_line(text, position, line)) {
        tokenize_line(context.ui, record, line);
        if (record.count() == 0) continue;
        if (!read_line(context, record.tokens)) return;
    }
}

std::vector<std::u16string> session_state_lines(const AppContext& context) {
    const ShowSettings& d = context.default_settings;
    const WindowPlacement& p = context.placement;
    std::vector<std::u16string> lines = {u"Session 1.0"};
    for (std::size_t i = 0; i < recent_files_count; ++i) {
        const std::u16string& entry = context.recent_files[i];
        if (!entry.empty()) lines.push_back(formatted(u"openfile %d \u2033%s\u2033", static_cast<std::int32_t>(i), entry));
    }
    lines.push_back(formatted(u"window_placement %d %d %d %d %d %d %d %d %d %d", p.flags, p.maximised_x, p.maximised_y,
                              p.minimised_x, p.minimised_y, p.normal_left, p.normal_top, p.normal_right,
                              p.normal_bottom, p.show_command));
    lines.push_back(formatted(u"monitor_profile %d", context.monitor_profile));
    lines.push_back(formatted(u"frame_rate %d", context.frame_rate));
    lines.push_back(formatted(u"motion %d", context.motion));
    lines.push_back(quoted(u"last_file_open_folder", context.last_image_folder));
    lines.push_back(quoted(u"slide_show_name", d.name));
    lines.push_back(formatted(u"window_size %d", d.size));
    lines.push_back(formatted(u"window_proportions %d %d", d.proportions_width, d.proportions_height));
    lines.push_back(formatted(u"autorun %d", d.autorun));
    lines.push_back(formatted(u"show_captions %d", d.show_captions));
    lines.push_back(formatted(u"loop %d", d.loop));
    lines.push_back(formatted(u"speed %d", d.speed));
    lines.push_back(formatted(u"default_delay %4zf", d.default_delay));
    lines.push_back(formatted(u"default_style %d", d.default_style));
    lines.push_back(formatted(u"transition %d", d.transition));
    lines.push_back(formatted(u"transition_time %4zf", d.transition_time));
    lines.push_back(u"end");
    return lines;
}

bool write_session_state(AppContext& context) {
    const std::vector<std::u16string> lines = session_state_lines(context);
    context.recent_files = RecentFiles{};
    if (folder_create(context.session_folder + u"/" + session_folder_name)) return true;
    // A crash while writing leaves the old file as it was.
    return write_text_file(session_state_path(context.session_folder), lines);
}

}  // namespace lumivane

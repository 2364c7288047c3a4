#include "ui/shell/session_state.h"

#include "app/app_context.h"
#include "document/number_parsing.h"
#include "document/picture_captions.h"
#include "document/record_tokenizer.h"
#include "document/text_file.h"
#include "document/version_check.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/translation.h"
#include "platform/value_formatter.h"
#include "playback/pan_zoom.h"
#include "ui/shell/show_properties.h"

namespace lumivane {

namespace {

constexpr char16_t session_folder_name[] = u"Session State";
constexpr char16_t session_file_name[] = u"Slide Show.state";

// The most a session file of this program can hold is a few kilobytes; anything much
// larger is not one, and is not read.
constexpr std::uint32_t session_file_limit = 1 << 20;

// Window coordinates as the screens have them, and the least normal window worth restoring.
constexpr std::int32_t coordinate_limit = 32767;
constexpr std::int32_t smallest_window_width = 200;
constexpr std::int32_t smallest_window_height = 150;

// A number in low..high; true otherwise, value left as it was.
bool read_integer(const std::u16string& token, std::int32_t low, std::int32_t high, std::int32_t& value) {
    std::int32_t read = 0;
    if (parse_int(token, read) || read < low || read > high) return true;
    value = read;
    return false;
}

void read_seconds(const std::u16string& token, double high, double& value) {
    double read = 0.0;
    if (!parse_real(token, read) && read >= 0.0 && read <= high) value = read;
}

// Ten integers as written, taken only when they describe a window that fits on screens.
void take_placement(const std::vector<std::u16string>& t, WindowPlacement& placement) {
    std::int32_t v[10] = {};
    for (std::size_t i = 0; i < 10; ++i) {
        if (read_integer(t[i + 1], -coordinate_limit, coordinate_limit, v[i])) return;
    }
    if (v[7] - v[5] < smallest_window_width || v[8] - v[6] < smallest_window_height) return;
    placement = {window_placement_length, v[0], v[9], v[3], v[4], v[1], v[2], v[5], v[6], v[7], v[8]};
}

// One line of the file; false at "end".
bool read_line(AppContext& context, const std::vector<std::u16string>& t) {
    const std::u16string& key = t[0];
    const std::size_t n = t.size();
    ShowSettings& d = context.default_settings;
    if (key == u"end") return false;
    // Lines with fewer arguments than their key takes are outside the format.
    if (key == u"openfile" && n >= 3) {
        std::int32_t i = 0;
        if (!read_integer(t[1], 0, static_cast<std::int32_t>(recent_files_count) - 1, i)) {
            context.recent_files[static_cast<std::size_t>(i)] = cut_text(t[2], path_limit);
        }
    } else if (key == u"window_placement" && n >= 11) {
        take_placement(t, context.placement);
    } else if (n < 2) {
        return true;
    } else if (key == u"monitor_profile") {
        read_integer(t[1], 0, 2, context.monitor_profile);
    } else if (key == u"frame_rate") {
        read_integer(t[1], 0, 1, context.frame_rate);
    } else if (key == u"motion") {
        read_integer(t[1], motion_exact, motion_smooth, context.motion);
    } else if (key == u"last_file_open_folder") {
        context.last_image_folder = cut_text(t[1], path_limit);
    } else if (key == u"slide_show_name") {
        d.name = cut_text(t[1], max_name_length);
    } else if (key == u"window_size") {
        read_integer(t[1], 0, 8, d.size);
    } else if (key == u"window_proportions" && n >= 3) {
        std::int32_t width = 0, height = 0;
        if (!read_integer(t[1], 1, max_proportion, width) && !read_integer(t[2], 1, max_proportion, height)) {
            d.proportions_width = width;
            d.proportions_height = height;
        }
    } else if (key == u"autorun") {
        read_integer(t[1], autorun_run, autorun_manual, d.autorun);
    } else if (key == u"show_captions") {
        read_integer(t[1], captions_none, captions_large, d.show_captions);
    } else if (key == u"loop") {
        read_integer(t[1], 0, 1, d.loop);
    } else if (key == u"speed") {
        read_integer(t[1], -2, 2, d.speed);  // the speed factor follows when the defaults are applied
    } else if (key == u"default_delay" || key == u"delay") {
        read_seconds(t[1], max_default_delay, d.default_delay);
    } else if (key == u"default_style" || key == u"style") {
        read_integer(t[1], style_fit, style_crop, d.default_style);
    } else if (key == u"transition") {
        read_integer(t[1], transition_none, transition_curtain, d.transition);
    } else if (key == u"transition_time") {
        read_seconds(t[1], max_transition_time, d.transition_time);
    } else if (key == u"caption_source") {
        read_integer(t[1], caption_file_name, caption_date_taken, context.caption_source);
    }
    return true;
}

std::u16string quoted(const char16_t* key, const std::u16string& text) {
    return std::u16string(key) + u" " + quoted_token(text, double_prime);
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
    std::uint32_t size = 0;
    if (file_open_read(path, file) || file_size(file, size) || size > session_file_limit ||
        read_text_file(std::move(file), text)) {
        return;
    }

    std::size_t position = 0;
    std::u16string_view line;
    TokenRecord record;
    if (next_record_line(text, position, line)) return;
    tokenize_line(context.ui, record, line);
    if (record.count() != 2 || record.tokens[0] != u"Session") return;
    version_check(context.ui, record.tokens[1], 1.0, LMV_TRANSLATE_NOOP("Core", "Session Settings"));
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
        if (!entry.empty()) {
            lines.push_back(formatted(u"openfile %d %s", static_cast<std::int32_t>(i), quoted_token(entry, double_prime)));
        }
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
    lines.push_back(formatted(u"caption_source %d", context.caption_source));
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

#include "ui/shell/session_state.h"

#include "app/app_context.h"
#include "document/number_parsing.h"
#include "document/picture_captions.h"
#include "document/record_tokenizer.h"
#include "document/setting_records.h"
#include "document/text_file.h"
#include "document/version_check.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/translation.h"
#include "platform/value_formatter.h"
#include "playback/pan_zoom.h"

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

template <typename E>
void read_choice(const std::u16string& token, E low, E high, E& value) {
    std::int32_t read = 0;
    if (!read_integer(token, static_cast<std::int32_t>(low), static_cast<std::int32_t>(high), read)) {
        value = static_cast<E>(read);
    }
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
    if (key == u"end") return false;
    // Lines with fewer arguments than their key takes are outside the format.
    if (key == u"openfile" && n >= 3) {
        std::int32_t i = 0;
        if (!read_integer(t[1], 0, static_cast<std::int32_t>(recent_files_count) - 1, i)) {
            context.recent_files[static_cast<std::size_t>(i)] = cut_text(t[2], path_limit);
        }
    } else if (key == u"window_placement" && n >= 11) {
        take_placement(t, context.placement);
    } else if (const auto setting = show_setting_named(key, SettingsFile::Session)) {
        // The speed factor follows the speed when the defaults are applied.
        read_setting(context.default_settings, *setting, t, SettingsFile::Session);
    } else if (n < 2) {
        return true;
    } else if (key == u"monitor_profile") {
        read_choice(t[1], MonitorProfile::Srgb, MonitorProfile::DciP3, context.monitor_profile);
    } else if (key == u"frame_rate") {
        read_choice(t[1], FrameRate::Fps60, FrameRate::Fps50, context.frame_rate);
    } else if (key == u"motion") {
        read_choice(t[1], Motion::Exact, Motion::Smooth, context.motion);
    } else if (key == u"last_file_open_folder") {
        context.last_image_folder = cut_text(t[1], path_limit);
    } else if (key == u"caption_source") {
        read_choice(t[1], CaptionSource::FileName, CaptionSource::DateTaken, context.caption_source);
    }
    return true;
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
    lines.push_back(u"last_file_open_folder " + quoted_token(context.last_image_folder, double_prime));
    for (const ShowSetting setting :
         {ShowSetting::Name, ShowSetting::Size, ShowSetting::Proportions, ShowSetting::Autorun,
          ShowSetting::ShowCaptions, ShowSetting::Loop, ShowSetting::Speed, ShowSetting::DefaultDelay,
          ShowSetting::DefaultStyle, ShowSetting::Transition, ShowSetting::TransitionTime}) {
        lines.push_back(setting_line(context.default_settings, setting, SettingsFile::Session));
    }
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

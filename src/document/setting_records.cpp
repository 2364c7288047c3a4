#include "document/setting_records.h"

#include <cstdint>

#include "document/number_parsing.h"
#include "document/record_tokenizer.h"
#include "document/slide_show.h"
#include "platform/paths.h"
#include "platform/value_formatter.h"

namespace lumivane {

namespace {

struct SettingKeywords {
    ShowSetting setting;
    std::u16string_view index;
    std::u16string_view session;
    std::u16string_view older_session;  // an earlier session keyword still read, or none
};

constexpr SettingKeywords keywords[] = {
    {ShowSetting::Name, u"name", u"slide_show_name", {}},
    {ShowSetting::Proportions, u"proportions", u"window_proportions", {}},
    {ShowSetting::Size, u"size", u"window_size", {}},
    {ShowSetting::ShowCaptions, u"show_captions", u"show_captions", {}},
    {ShowSetting::Loop, u"loop", u"loop", {}},
    {ShowSetting::Speed, u"speed", u"speed", {}},
    {ShowSetting::Autorun, u"autorun", u"autorun", {}},
    {ShowSetting::DefaultStyle, u"default_style", u"default_style", u"style"},
    {ShowSetting::DefaultDelay, u"default_delay", u"default_delay", u"delay"},
    {ShowSetting::Transition, u"transition", u"transition", {}},
    {ShowSetting::TransitionTime, u"transition_time", u"transition_time", {}},
};

// A number from the file into value: in the index file as far as it converts, in the
// session state file only whole and in low..high. True when it is not taken.
bool read_integer(const std::u16string& token, SettingsFile file, std::int32_t low, std::int32_t high,
                  std::int32_t& value) {
    std::int32_t read = 0;
    const bool failed = parse_int(token, read);
    if (file == SettingsFile::Session && (failed || read < low || read > high)) return true;
    value = read;
    return false;
}

template <typename E>
void read_choice(const std::u16string& token, SettingsFile file, E low, E high, E& value) {
    std::int32_t read = 0;
    if (!read_integer(token, file, static_cast<std::int32_t>(low), static_cast<std::int32_t>(high), read)) {
        value = static_cast<E>(read);
    }
}

void read_seconds(const std::u16string& token, SettingsFile file, double high, double& value) {
    double read = 0.0;
    const bool failed = parse_real(token, read);
    if (file == SettingsFile::Session && (failed || !(read >= 0.0 && read <= high))) return;
    value = read;
}

std::u16string seconds_line(std::u16string_view keyword, double seconds, SettingsFile file) {
    return formatted(file == SettingsFile::Index ? u"%s %2zf" : u"%s %4zf", keyword, seconds);
}

}  // namespace

std::optional<ShowSetting> show_setting_named(std::u16string_view keyword, SettingsFile file) {
    for (const SettingKeywords& k : keywords) {
        const bool named = file == SettingsFile::Index
                               ? keyword == k.index
                               : keyword == k.session || (!k.older_session.empty() && keyword == k.older_session);
        if (named) return k.setting;
    }
    return std::nullopt;
}

std::u16string_view setting_keyword(ShowSetting setting, SettingsFile file) {
    const SettingKeywords& k = keywords[static_cast<std::size_t>(setting)];
    return file == SettingsFile::Index ? k.index : k.session;
}

std::u16string setting_line(const ShowSettings& s, ShowSetting setting, SettingsFile file) {
    const std::u16string_view keyword = setting_keyword(setting, file);
    switch (setting) {
    case ShowSetting::Name:
        return std::u16string(keyword) + u" " +
               quoted_token(s.name, file == SettingsFile::Index ? triple_prime : double_prime);
    case ShowSetting::Proportions: return formatted(u"%s %d %d", keyword, s.proportions_width, s.proportions_height);
    case ShowSetting::Size: return formatted(u"%s %d", keyword, s.size);
    case ShowSetting::ShowCaptions: return formatted(u"%s %d", keyword, s.show_captions);
    case ShowSetting::Loop: return formatted(u"%s %d", keyword, s.loop);
    case ShowSetting::Speed: return formatted(u"%s %d", keyword, s.speed);
    case ShowSetting::Autorun: return formatted(u"%s %d", keyword, s.autorun);
    case ShowSetting::DefaultStyle: return formatted(u"%s %d", keyword, s.default_style);
    case ShowSetting::DefaultDelay: return seconds_line(keyword, s.default_delay, file);
    case ShowSetting::Transition: return formatted(u"%s %d", keyword, s.transition);
    case ShowSetting::TransitionTime: return seconds_line(keyword, s.transition_time, file);
    }
    return {};
}

void read_setting(ShowSettings& s, ShowSetting setting, const std::vector<std::u16string>& t, SettingsFile file) {
    if (t.size() < (setting == ShowSetting::Proportions ? 3u : 2u)) return;
    switch (setting) {
    case ShowSetting::Name: s.name = cut_text(t[1], max_name_length); break;
    case ShowSetting::Proportions: {
        // Both or neither.
        std::int32_t width = 0, height = 0;
        if (!read_integer(t[1], file, 1, max_proportion, width) &&
            !read_integer(t[2], file, 1, max_proportion, height)) {
            s.proportions_width = width;
            s.proportions_height = height;
        }
        break;
    }
    case ShowSetting::Size: read_integer(t[1], file, 0, max_window_size, s.size); break;
    case ShowSetting::ShowCaptions:
        read_choice(t[1], file, CaptionSize::None, CaptionSize::Large, s.show_captions);
        break;
    case ShowSetting::Loop: read_integer(t[1], file, 0, 1, s.loop); break;
    case ShowSetting::Speed: read_integer(t[1], file, -2, 2, s.speed); break;
    case ShowSetting::Autorun: read_choice(t[1], file, AutorunMode::Run, AutorunMode::Manual, s.autorun); break;
    case ShowSetting::DefaultStyle: read_choice(t[1], file, SlideStyle::Fit, SlideStyle::Crop, s.default_style); break;
    case ShowSetting::DefaultDelay: read_seconds(t[1], file, max_default_delay, s.default_delay); break;
    case ShowSetting::Transition:
        read_choice(t[1], file, TransitionKind::None, TransitionKind::Curtain, s.transition);
        break;
    case ShowSetting::TransitionTime: read_seconds(t[1], file, max_transition_time, s.transition_time); break;
    }
}

}  // namespace lumivane

#pragma once
// The show settings as lines of the two files that hold them: a show's index file and,
// as the defaults for new shows, the session state file. One table names each
// setting's keyword in both; the readers and writers of both files go through it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumivane {

struct ShowSettings;

enum class SettingsFile { Index, Session };

enum class ShowSetting {
    Name,
    Proportions,
    Size,
    ShowCaptions,
    Loop,
    Speed,
    Autorun,
    DefaultStyle,
    DefaultDelay,
    Transition,
    TransitionTime,
};

// The setting a line's first token names in the file; none for any other keyword.
std::optional<ShowSetting> show_setting_named(std::u16string_view keyword, SettingsFile file);

// The setting's keyword as the file writes it.
std::u16string_view setting_keyword(ShowSetting setting, SettingsFile file);

// The setting's line as the file writes it: the name quoted (‴ in the index file, ″ in
// the session state file), the seconds with 2 or 4 decimals.
std::u16string setting_line(const ShowSettings& settings, ShowSetting setting, SettingsFile file);

// Takes the setting from its line's tokens, keyword first; a line with fewer values than
// the setting has is ignored. The index file's numbers are taken as far as they convert,
// whatever they are; the session state file's only when they are whole and in the
// setting's range, else the setting keeps its value.
void read_setting(ShowSettings& settings, ShowSetting setting, const std::vector<std::u16string>& tokens,
                  SettingsFile file);

}  // namespace lumivane

#pragma once
// Errors and warnings: a formatted text in a modal box with only an OK button and
// no owner window. The caller gives the format in the user's language (Core::tr); the
// titles are translated here.

#include "platform/translation.h"
#include "platform/user_interface.h"
#include "platform/value_formatter.h"

namespace lumivane {

inline constexpr char16_t error_title[] = LMV_TRANSLATE_NOOP("Core", "Error");
inline constexpr char16_t warning_title[] = LMV_TRANSLATE_NOOP("Core", "Warning");
inline constexpr char16_t confirm_title[] = LMV_TRANSLATE_NOOP("Core", "Confirm");
inline constexpr char16_t alert_title[] = LMV_TRANSLATE_NOOP("Core", "Alert");

template <typename... Args>
void error_box(UserInterface& ui, std::u16string_view format, const Args&... arguments) {
    ui.message_box(Core::translated(error_title), formatted(format, arguments...), BoxButtons::Ok, BoxOwner::None);
}

template <typename... Args>
void warning_box(UserInterface& ui, std::u16string_view format, const Args&... arguments) {
    ui.message_box(Core::translated(warning_title), formatted(format, arguments...), BoxButtons::Ok, BoxOwner::None);
}

}  // namespace lumivane

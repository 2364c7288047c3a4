#pragma once
// Errors and warnings: a formatted text in a modal box with only an OK button and
// no owner window.

#include "platform/user_interface.h"
#include "platform/value_formatter.h"

namespace lumivane {

inline constexpr char16_t error_title[] = u"Error";
inline constexpr char16_t warning_title[] = u"Warning";
inline constexpr char16_t confirm_title[] = u"Confirm";
inline constexpr char16_t alert_title[] = u"Alert";

template <typename... Args>
void error_box(UserInterface& ui, std::u16string_view format, const Args&... arguments) {
    ui.message_box(error_title, formatted(format, arguments...), BoxButtons::Ok, BoxOwner::None);
}

template <typename... Args>
void warning_box(UserInterface& ui, std::u16string_view format, const Args&... arguments) {
    ui.message_box(warning_title, formatted(format, arguments...), BoxButtons::Ok, BoxOwner::None);
}

}  // namespace lumivane

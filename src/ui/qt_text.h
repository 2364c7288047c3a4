#pragma once
// Text crosses into Qt here: the core keeps it as std::u16string.

#include <QString>

#include <string>

namespace lumivane {

inline QString qt(const std::u16string& text) { return QString::fromStdU16String(text); }

}  // namespace lumivane

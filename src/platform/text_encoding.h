#pragma once
// Conversions between the program's 16-bit texts and UTF-8 bytes.

#include <string>
#include <string_view>

namespace lumivane {

// Invalid sequences become U+FFFD, one for each maximal invalid part.
std::u16string utf8_to_utf16(std::string_view bytes);

// Unpaired surrogates become U+FFFD.
std::string utf16_to_utf8(std::u16string_view text);

// Plain ASCII text, for literals and numbers built with the standard library.
std::u16string ascii_to_utf16(std::string_view ascii);

}  // namespace lumivane

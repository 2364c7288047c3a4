#pragma once
// Conversions between the program's 16-bit texts and UTF-8 bytes.

#include <string>
#include <string_view>

namespace lumivane {

// Each byte that is no part of a valid sequence (of a Latin-1 file name, say) becomes
// the unpaired surrogate U+DC00 + its value (U+DC80..U+DCFF), which no valid text
// decodes to, so that utf16_to_utf8 gives every byte back.
std::u16string utf8_to_utf16(std::string_view bytes);

// U+DC80..U+DCFF unpaired give back the byte they stand for; other unpaired surrogates
// become U+FFFD.
std::string utf16_to_utf8(std::u16string_view text);

// Plain ASCII text, for literals and numbers built with the standard library.
std::u16string ascii_to_utf16(std::string_view ascii);

}  // namespace lumivane

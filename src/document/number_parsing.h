#pragma once
// Numbers in the program's text files and dialogs. Both report failure as true and
// leave in value what was converted before the failure.

#include <cstdint>
#include <string_view>

namespace lumivane {

// Optional sign and decimal digits, nothing after them. Oversized numbers wrap
// around in 32 bits.
bool parse_int(std::u16string_view text, std::int32_t& value);

// Optional sign, digits with "," ignored anywhere, one ".", one "%" (divides by 100)
// and an exponent of one to three digits. Locale-independent.
bool parse_real(std::u16string_view text, double& value);

}  // namespace lumivane

#pragma once
// The program's own printf-like formatter, used for every file line and message.
//
// Sequences in the format:
//   \n \r \t      LF, CR, tab; a backslash before any other character writes that character
//   %%            a percent sign
//   %[digits][z]c  digits and the flag z in any order, then the conversion c:
//     d  signed decimal            x  lowercase hexadecimal of the unsigned value
//     ,  decimal grouped by three  c  one character        s  a whole text
//     f  fixed point with [digits] decimals (4 without digits); z drops trailing zeros
//   For d, x and , the digits are a width: shorter numbers are padded on the left
//   (with 0 under z, else spaces), longer ones become that many asterisks.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

namespace lumivane {

class FormatArg {
public:
    FormatArg(std::int32_t value) : kind_(Kind::Integer), integer_(value) {}
    FormatArg(std::uint32_t value) : kind_(Kind::Integer), integer_(static_cast<std::int32_t>(value)) {}
    // A setting's enum writes its number.
    template <typename E>
        requires std::is_enum_v<E>
    FormatArg(E value) : kind_(Kind::Integer), integer_(static_cast<std::int32_t>(value)) {}
    FormatArg(double value) : kind_(Kind::Real), real_(value) {}
    FormatArg(char16_t value) : kind_(Kind::Character), character_(value) {}
    FormatArg(std::u16string_view value) : kind_(Kind::Text), text_(value) {}
    FormatArg(const std::u16string& value) : kind_(Kind::Text), text_(value) {}
    FormatArg(const char16_t* value) : kind_(Kind::Text), text_(value) {}

    std::int32_t as_integer() const;
    double as_real() const;
    char16_t as_character() const;
    std::u16string_view as_text() const;

private:
    enum class Kind { Integer, Real, Character, Text };
    Kind kind_;
    std::int32_t integer_ = 0;
    double real_ = 0.0;
    char16_t character_ = 0;
    std::u16string_view text_;
};

// Replaces destination by the formatted text; returns its length in characters.
int format_text_list(std::u16string& destination, std::u16string_view format,
                     std::initializer_list<FormatArg> arguments);

template <typename... Args>
int format_text(std::u16string& destination, std::u16string_view format, const Args&... arguments) {
    return format_text_list(destination, format, {FormatArg(arguments)...});
}

template <typename... Args>
std::u16string formatted(std::u16string_view format, const Args&... arguments) {
    std::u16string text;
    format_text_list(text, format, {FormatArg(arguments)...});
    return text;
}

// Appends x with n decimals, rounded half up on the magnitude (the %f conversion without z).
void append_real(std::u16string& out, double x, int n);

}  // namespace lumivane

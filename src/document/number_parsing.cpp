#include "document/number_parsing.h"

#include <cmath>

namespace lumivane {

namespace {
bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }
}  // namespace

bool parse_int(std::u16string_view text, std::int32_t& value) {
    value = 0;
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Unsigned arithmetic wraps like the 32-bit registers the format was made with.
    std::uint32_t accumulated = 0;
    bool any_digit = false;
    for (; i < text.size() && is_digit(text[i]); ++i) {
        accumulated = accumulated * 10u + static_cast<std::uint32_t>(text[i] - u'0');
        value = static_cast<std::int32_t>(negative ? 0u - accumulated : accumulated);
        any_digit = true;
    }
    return !any_digit || i != text.size();
}

bool parse_real(std::u16string_view text, double& value) {
    value = 0.0;
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    double accumulated = 0.0;
    bool any_digit = false, seen_point = false, seen_percent = false;
    int fraction_digits = 0;
    int exponent = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == u',') {
            ++i;
        } else if (is_digit(c)) {
            accumulated = accumulated * 10.0 + (c - u'0');
            if (seen_point) ++fraction_digits;
            any_digit = true;
            ++i;
        } else if (c == u'.') {
            if (seen_point) return true;
            seen_point = true;
            ++i;
        } else if (c == u'%') {
            if (seen_percent) return true;
            seen_percent = true;
            ++i;
        } else if (c == u'E' || c == u'e') {
            ++i;
            bool exponent_negative = false;
            if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
                exponent_negative = text[i] == u'-';
                ++i;
            }
            if (i >= text.size() || !is_digit(text[i])) return true;
            for (int digits = 0; digits < 3 && i < text.size() && is_digit(text[i]); ++digits, ++i) {
                exponent = exponent * 10 + (text[i] - u'0');
            }
            if (exponent_negative) exponent = -exponent;
            break;
        } else {
            break;
        }
    }
    const int power = fraction_digits - exponent + (seen_percent ? 2 : 0);
    // Dividing by an exact power of ten keeps short decimals such as 2.5 exact.
    if (power > 0) {
        accumulated /= std::pow(10.0, power);
    } else if (power < 0) {
        accumulated *= std::pow(10.0, -power);
    }
    if (std::isnan(accumulated)) {
        // Hundreds of digits can overflow to infinity on both sides of the division.
        return true;
    }
    value = negative ? -accumulated : accumulated;
    return (!any_digit && !seen_point) || i != text.size();
}

}  // namespace lumivane

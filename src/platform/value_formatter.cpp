#include "platform/value_formatter.h"

#include <cmath>

namespace lumivane {

std::int32_t FormatArg::as_integer() const {
    switch (kind_) {
    case Kind::Integer: return integer_;
    case Kind::Character: return character_;
    case Kind::Real:
        if (std::isnan(real_) || real_ >= 2147483648.0 || real_ < -2147483648.0) return 0;
        return static_cast<std::int32_t>(real_);
    case Kind::Text: return 0;
    }
    return 0;
}

double FormatArg::as_real() const {
    switch (kind_) {
    case Kind::Real: return real_;
    case Kind::Integer: return integer_;
    case Kind::Character: return character_;
    case Kind::Text: return 0.0;
    }
    return 0.0;
}

char16_t FormatArg::as_character() const {
    return kind_ == Kind::Character ? character_ : static_cast<char16_t>(as_integer());
}

std::u16string_view FormatArg::as_text() const {
    return kind_ == Kind::Text ? text_ : std::u16string_view();
}

namespace {

void append_zeros(std::u16string& out, int count) { out.append(static_cast<std::size_t>(count), u'0'); }

std::u16string decimal_digits(std::uint32_t magnitude) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    return digits;
}

std::uint32_t magnitude_of(std::int32_t value) {
    // Computed unsigned so that the most negative value has a magnitude too.
    return value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
}

std::u16string integer_text(char conversion, std::int32_t value) {
    if (conversion == 'x') {
        static constexpr char16_t hex[] = u"0123456789abcdef";
        auto v = static_cast<std::uint32_t>(value);
        std::u16string digits;
        do {
            digits.insert(digits.begin(), hex[v & 0xF]);
            v >>= 4;
        } while (v != 0);
        return digits;
    }
    std::u16string digits = decimal_digits(magnitude_of(value));
    if (conversion == ',') {
        for (int pos = static_cast<int>(digits.size()) - 3; pos > 0; pos -= 3) {
            digits.insert(digits.begin() + pos, u',');
        }
    }
    if (value < 0) digits.insert(digits.begin(), u'-');
    return digits;
}

void append_with_width(std::u16string& out, const std::u16string& text, bool has_width, int width,
                       bool zero_pad) {
    const int length = static_cast<int>(text.size());
    if (!has_width || length == width) {
        out += text;
    } else if (length < width) {
        out.append(static_cast<std::size_t>(width - length), zero_pad ? u'0' : u' ');
        out += text;
    } else {
        out.append(static_cast<std::size_t>(width), u'*');
    }
}

// Drops trailing zeros of the decimals, then a bare decimal point; "-0" becomes "0".
void strip_real(std::u16string& out, std::size_t start) {
    if (out.find(u'.', start) != std::u16string::npos) {
        while (out.size() > start && out.back() == u'0') out.pop_back();
        if (out.size() > start && out.back() == u'.') out.pop_back();
    }
    if (out.compare(start, std::u16string::npos, u"-0") == 0) out.erase(start, 1);
}

}  // namespace

void append_real(std::u16string& out, double x, int n) {
    if (x == 0.0) {
        out += u'0';
        if (n >= 1) {
            out += u'.';
            append_zeros(out, n);
        }
        return;
    }
    if (n < 0) n = 0;
    if (n > 15) n = 15;
    const double scale = std::pow(10.0, n);
    if (std::isnan(x)) {
        // Not a number has no digits; show it as out of range rather than loop below.
        out += u'*';
        return;
    }
    if (x < 0) {
        out += u'-';
        x = -x;
    }
    if (x < 1.0 / scale) {
        out += u'0';
        if (n > 0) {
            out += u'.';
            append_zeros(out, n);
        }
        return;
    }
    if (x > 1000000.0 * scale) {
        out += u'*';
        return;
    }
    x += 0.5 / scale;
    int e = 0;
    while (x >= 10.0) {
        x /= 10.0;
        ++e;
    }
    while (x < 1.0) {
        x *= 10.0;
        --e;
    }
    auto next_digit = [&x]() {
        int digit = static_cast<int>(x);
        if (digit > 9) digit = 9;
        x = (x - digit) * 10.0;
        return static_cast<char16_t>(u'0' + digit);
    };
    if (e < 0) {
        out += u'0';
    } else {
        for (int i = 0; i <= e; ++i) out += next_digit();
    }
    if (n > 0) {
        out += u'.';
        for (int i = 0; i < n; ++i) {
            if (e < -1) {
                out += u'0';
                ++e;
            } else {
                out += next_digit();
            }
        }
    }
}

int format_text_list(std::u16string& destination, std::u16string_view format,
                     std::initializer_list<FormatArg> arguments) {
    destination.clear();
    auto next_argument = arguments.begin();
    static const FormatArg missing{std::int32_t{0}};
    auto take = [&]() -> const FormatArg& {
        return next_argument == arguments.end() ? missing : *next_argument++;
    };

    std::size_t i = 0;
    while (i < format.size()) {
        const char16_t c = format[i++];
        if (c == u'\\') {
            if (i >= format.size()) break;
            const char16_t escaped = format[i++];
            destination += escaped == u'n' ? u'\n' : escaped == u'r' ? u'\r' : escaped == u't' ? u'\t' : escaped;
            continue;
        }
        if (c != u'%') {
            destination += c;
            continue;
        }
        bool has_digits = false;
        bool zero_flag = false;
        int number = 0;
        while (i < format.size()) {
            const char16_t f = format[i];
            if (f >= u'0' && f <= u'9') {
                has_digits = true;
                if (number < 100000) number = number * 10 + (f - u'0');
                ++i;
            } else if (f == u'z') {
                zero_flag = true;
                ++i;
            } else {
                break;
            }
        }
        if (i >= format.size()) break;
        const char16_t conversion = format[i++];
        switch (conversion) {
        case u'%': destination += u'%'; break;
        case u'd':
        case u'x':
        case u',':
            append_with_width(destination, integer_text(static_cast<char>(conversion), take().as_integer()),
                              has_digits, number, zero_flag);
            break;
        case u'c': destination += take().as_character(); break;
        case u's': destination += take().as_text(); break;
        case u'f': {
            const std::size_t start = destination.size();
            append_real(destination, take().as_real(), has_digits ? number : 4);
            if (zero_flag) strip_real(destination, start);
            break;
        }
        default: break;  // unknown conversions write nothing and consume nothing
        }
    }
    return static_cast<int>(destination.size());
}

}  // namespace lumivane

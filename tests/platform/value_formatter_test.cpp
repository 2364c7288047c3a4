#include "platform/value_formatter.h"

#include <gtest/gtest.h>

#include <limits>

namespace lumivane {
namespace {

struct RealCase {
    const char16_t* format;
    double value;
    const char16_t* expected;
};

TEST(FormatText, RealConversions) {
    const RealCase cases[] = {
        {u"%2f", 5.0, u"5.00"},        {u"%2f", 0.05, u"0.05"},        {u"%2f", 1234.5, u"1234.50"},
        {u"%2f", 0.004, u"0.00"},      {u"%2f", 2.0, u"2.00"},         {u"%2zf", 5.0, u"5"},
        {u"%2zf", 2.5, u"2.5"},        {u"%2zf", -0.001, u"0"},        {u"%2zf", 2.0, u"2"},
        {u"%4zf", 0.25, u"0.25"},      {u"%4zf", 1.0, u"1"},           {u"%4zf", -1.0, u"-1"},
        {u"%f", 3.14159265, u"3.1416"}, {u"%zf", 0.1, u"0.1"},         {u"%4zf", 0.078251, u"0.0783"},
        {u"%2f", -2.346, u"-2.35"},    {u"%2f", 0.0, u"0.00"},         {u"%0f", 0.0, u"0"},
        {u"%0f", 2.5, u"3"},           {u"%0f", 7.0, u"7"},            {u"%2f", -0.004, u"-0.00"},
        {u"%2zf", 100.0, u"100"},      {u"%2zf", 1.05, u"1.05"},       {u"%4zf", 0.33333, u"0.3333"},
        {u"%2f", 99.999, u"100.00"},         {u"%2f", 1e8, u"100000000.00"},
        {u"%2f", 1.5e8, u"*"},         {u"%2f", std::numeric_limits<double>::infinity(), u"*"},
        {u"%2f", std::numeric_limits<double>::quiet_NaN(), u"*"},      {u"%2f", 1e-300, u"0.00"},
        {u"%z2f", 2.0, u"2"},          {u"%2zf", 0.0, u"0"},           {u"%20f", 0.5, u"0.500000000000000"},
    };
    for (const RealCase& c : cases) {
        std::u16string out;
        const int count = format_text(out, c.format, c.value);
        EXPECT_EQ(out, c.expected) << "format " << std::u16string(c.format).size() << " value " << c.value;
        EXPECT_EQ(count, static_cast<int>(out.size()));
    }
}

struct IntegerCase {
    const char16_t* format;
    std::int32_t value;
    const char16_t* expected;
};

TEST(FormatText, IntegerConversionsAndWidths) {
    const IntegerCase cases[] = {
        {u"%d", 0, u"0"},
        {u"%d", -42, u"-42"},
        {u"%d", std::numeric_limits<std::int32_t>::min(), u"-2147483648"},
        {u"%z4d", 5, u"0005"},
        {u"%4zd", 5, u"0005"},  // flag and digits in any order
        {u"%4d", 5, u"   5"},
        {u"%4d", 12345, u"****"},
        {u"%2d", 123, u"**"},
        {u"%z2d", 7, u"07"},
        {u"%3d", 123, u"123"},
        {u"%x", 255, u"ff"},
        {u"%x", -1, u"ffffffff"},
        {u"%z4x", 10, u"000a"},
        {u"%,", 1234567, u"1,234,567"},
        {u"%,", -1234567, u"-1,234,567"},
        {u"%,", 999, u"999"},
        {u"%,", -100, u"-100"},
        {u"%,", 1000, u"1,000"},
        {u"%6,", 1000, u" 1,000"},
        {u"%4,", 1000000, u"****"},
    };
    for (const IntegerCase& c : cases) {
        std::u16string out;
        format_text(out, c.format, c.value);
        EXPECT_EQ(out, c.expected) << "value " << c.value;
    }
}

TEST(FormatText, TextsCharactersAndEscapes) {
    EXPECT_EQ(formatted(u"a\\nb"), u"a\nb");
    EXPECT_EQ(formatted(u"\\r\\t\\\\\\%"), u"\r\t\\%");
    EXPECT_EQ(formatted(u"100%%"), u"100%");
    EXPECT_EQ(formatted(u"%s and %5s", u"x", std::u16string(u"longer")), u"x and longer");
    EXPECT_EQ(formatted(u"[%c]", char16_t(u'\u2034')), u"[\u2034]");
    // An unknown conversion writes nothing and leaves the argument for the next one.
    EXPECT_EQ(formatted(u"%q%d", 3), u"3");
    EXPECT_EQ(formatted(u"frame %d %d %4zf %4zf %4zf %4zf %4zf", 2, 0, -1.0, 0.0, 0.125, 1.0, 0.98765),
              u"frame 2 0 -1 0 0.125 1 0.9877");
    EXPECT_EQ(formatted(u"Illegal number of slides: %d", 10001), u"Illegal number of slides: 10001");
}

TEST(FormatText, ReplacesDestinationAndGrowsWithoutLimit) {
    std::u16string out = u"old text";
    const std::u16string long_text(20000, u'x');
    EXPECT_EQ(format_text(out, u"<%s>", long_text), 20002);
    EXPECT_EQ(out.size(), 20002u);
    EXPECT_EQ(out.front(), u'<');
    EXPECT_EQ(out.back(), u'>');
}

}  // namespace
}  // namespace lumivane

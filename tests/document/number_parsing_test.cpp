#include "document/number_parsing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumivane {
namespace {

TEST(ParseInt, AcceptsSignedDecimalsOnly) {
    struct Case {
        const char16_t* text;
        bool failed;
        std::int32_t value;
    };
    const Case cases[] = {
        {u"0", false, 0},       {u"-7", false, -7},     {u"+12", false, 12},   {u"10000", false, 10000},
        {u"12x", true, 12},     {u"", true, 0},         {u"-", true, 0},       {u"x1", true, 0},
        {u" 1", true, 0},       {u"1 ", true, 1},       {u"1.5", true, 1},     {u"-34z", true, -34},
        {u"2147483647", false, 2147483647},
        {u"-2147483648", false, -2147483647 - 1},
        // Oversized numbers wrap in 32 bits: 2^32 + 5 gives 5.
        {u"4294967301", false, 5},
        {u"2147483648", false, -2147483647 - 1},
    };
    for (const Case& c : cases) {
        std::int32_t value = 99;
        EXPECT_EQ(parse_int(c.text, value), c.failed) << std::u16string(c.text).size();
        EXPECT_EQ(value, c.value);
    }
}

TEST(ParseReal, ExamplesAndFailures) {
    struct Case {
        const char16_t* text;
        bool failed;
        double value;
    };
    const Case cases[] = {
        {u"2.5", false, 2.5},      {u"1,000", false, 1000.0}, {u"50%", false, 0.5},     {u"1.5e2", false, 150.0},
        {u".", false, 0.0},        {u"", true, 0.0},          {u"-1.0", false, -1.0},   {u"+0.25", false, 0.25},
        {u"1e-2", false, 0.01},    {u"2E+1", false, 20.0},    {u"0.0783", false, 0.0783},
        {u"12.5%", false, 0.125},  {u"1,2,3.4", false, 123.4}, {u"5.", false, 5.0},    {u".5", false, 0.5},
        {u"-", true, 0.0},         {u"%", true, 0.0},         {u",", true, 0.0},
        {u"1e", true, 0.0},        {u"1e+", true, 0.0},       {u"1.2.3", true, 0.0},    {u"5%%", true, 0.0},
        {u"1e123", false, 1e123},  // three exponent digits at most
    };
    for (const Case& c : cases) {
        double value = 99.0;
        EXPECT_EQ(parse_real(c.text, value), c.failed) << std::u16string(c.text).size();
        EXPECT_DOUBLE_EQ(value, c.value);
    }

    double value = 0.0;
    // The loop ends after three exponent digits, so a fourth is a trailing character.
    EXPECT_TRUE(parse_real(u"1e1234", value));
    EXPECT_DOUBLE_EQ(value, 1e123);
    EXPECT_TRUE(parse_real(u"1e5x", value));
    EXPECT_TRUE(parse_real(u"2,5x", value));
    EXPECT_DOUBLE_EQ(value, 25.0);
}

TEST(ParseReal, HugeInputsGiveNoNaN) {
    double value = 0.0;
    const std::u16string digits(400, u'9');
    EXPECT_TRUE(parse_real(u"0." + digits, value));
    EXPECT_FALSE(std::isnan(value));
    EXPECT_FALSE(parse_real(digits, value));
    EXPECT_TRUE(std::isinf(value));
}

}  // namespace
}  // namespace lumivane

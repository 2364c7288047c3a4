#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

TEST(TextEncoding, Utf8RoundTripsEveryPlane) {
    const std::u16string text = u"A\u00e9\u2034\U0001F600z";
    const std::string bytes = utf16_to_utf8(text);
    EXPECT_EQ(bytes, "A\xC3\xA9\xE2\x80\xB4\xF0\x9F\x98\x80z");
    EXPECT_EQ(utf8_to_utf16(bytes), text);
}

TEST(TextEncoding, InvalidSequencesBecomeReplacementCharacters) {
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"\xC0\xAF", u"\uFFFD\uFFFD"},          // overlong form
        {"\xE2\x80", u"\uFFFD"},                // truncated at the end
        {"\xE2\x80x", u"\uFFFDx"},              // truncated before a letter
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {"\x80", u"\uFFFD"},
    };
    for (const Case& c : cases) EXPECT_EQ(utf8_to_utf16(c.bytes), c.text);
    EXPECT_EQ(utf16_to_utf8(u"\xD800x"), "\xEF\xBF\xBDx");
}

}  // namespace
}  // namespace lumivane

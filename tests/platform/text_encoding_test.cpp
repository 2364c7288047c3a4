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

// A byte that is no part of a valid sequence stands as U+DC80 + (byte - 0x80) and is
// written back as that byte, so that any file name reads and writes back exactly.
TEST(TextEncoding, InvalidBytesRoundTripAsReservedCharacters) {
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"\xC0\xAF", u"\xDCC0\xDCAF"},                  // overlong form
        {"\xE2\x80", u"\xDCE2\xDC80"},                  // truncated at the end
        {"\xE2\x80x", u"\xDCE2\xDC80x"},                // truncated before a letter
        {"\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},       // encoded surrogate
        {"\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},  // above U+10FFFF
        {"\x80", u"\xDC80"},
        {"Caf\xE9 \xFF.jpg", u"Caf\xDCE9 \xDCFF.jpg"},     // Latin-1
        {"\xE9\xC3\xA9", u"\xDCE9\u00E9"},               // a valid sequence right after
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8_to_utf16(c.bytes), c.text);
        EXPECT_EQ(utf16_to_utf8(c.text), c.bytes);
    }
    // Other unpaired surrogates are no bytes of a file.
    EXPECT_EQ(utf16_to_utf8(u"\xD800x\xDC7F"), "\xEF\xBF\xBDx\xEF\xBF\xBD");
}

}  // namespace
}  // namespace lumivane

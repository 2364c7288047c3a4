#include "document/text_file.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::TempFolder;

struct Decoded {
    bool failed;
    std::u16string text;
};

Decoded decode(const TempFolder& folder, std::string_view bytes) {
    const std::u16string path = folder.write("text.ssi", bytes);
    FileHandle file;
    EXPECT_FALSE(file_open_read(path, file));
    Decoded result{false, u"unchanged"};
    result.failed = read_text_file(std::move(file), result.text);
    return result;
}

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

TEST(ReadTextFile, RecognisesEncodingsFromTheFirstBytes) {
    TempFolder folder;
    struct Case {
        std::string bytes;
        bool failed;
        std::u16string text;
    };
    const Case cases[] = {
        {"", false, u""},
        {"SlideShow 1.0", false, u"SlideShow 1.0"},
        {"\xEF\xBB\xBFSlideShow", false, u"SlideShow"},
        {"\xEF\xBB\xBFname \xE2\x80\xB4" "Caf\xC3\xA9\xE2\x80\xB4", false, u"name \u2034Caf\u00e9\u2034"},
        {bytes({0xFF, 0xFE, 0x41, 0x00, 0x42, 0x00}), false, u"AB"},
        {bytes({0xFE, 0xFF, 0x00, 0x41, 0x20, 0x34}), false, u"A\u2034"},
        {bytes({0x41, 0x00, 0x42, 0x00}), false, u"AB"},                  // unmarked little-endian
        {bytes({0x00, 0x41, 0x00, 0x42}), false, u"AB"},                  // unmarked big-endian
        {bytes({0x41, 0x00, 0x42}), false, u"A"},                         // an odd last byte is dropped
        {bytes({0xFF, 0xFE, 0x00, 0x00, 0x41, 0x00, 0x00, 0x00}), true, u""},  // UTF-32 little-endian
        {bytes({0x00, 0x00, 0xFE, 0xFF, 0x00, 0x00, 0x00, 0x41}), true, u""},  // UTF-32 big-endian
        {bytes({0x41, 0x42, 0x00, 0x00}), true, u""},                      // guessed 32-bit
        {bytes({0x00, 0x00, 0x00, 0x41}), true, u""},                      // guessed 32-bit
        {"A", false, u"A"},
        {"ab\xFFz", false, u"ab\xDCFFz"},  // a byte of no valid UTF-8 keeps its value
    };
    for (const Case& c : cases) {
        const Decoded d = decode(folder, c.bytes);
        EXPECT_EQ(d.failed, c.failed) << "input of " << c.bytes.size() << " bytes";
        EXPECT_EQ(d.text, c.text) << "input of " << c.bytes.size() << " bytes";
    }
}

TEST(ReadTextFile, ClosesTheFileAndFailsOnAClosedHandle) {
    std::u16string text;
    EXPECT_TRUE(read_text_file(FileHandle(), text));
}

TEST(WriteTextLine, WritesUtf8WithMarkAndCrLf) {
    TempFolder folder;
    const std::u16string path = folder.file(u"out.ssi");
    FileHandle file;
    ASSERT_FALSE(file_create_write(path, file));
    EXPECT_FALSE(start_text_file(file));
    EXPECT_FALSE(write_text_line(file, u"name \u2034Caf\u00e9\u2034"));
    EXPECT_FALSE(write_text_line(file, u""));
    EXPECT_FALSE(write_text_line(file, u"end"));
    EXPECT_FALSE(file_close(file));
    EXPECT_EQ(testing::read_bytes(folder.native_file("out.ssi")),
              "\xEF\xBB\xBFname \xE2\x80\xB4" "Caf\xC3\xA9\xE2\x80\xB4\r\n\r\nend\r\n");

    // Read back, the text is what was written.
    FileHandle in;
    ASSERT_FALSE(file_open_read(path, in));
    std::u16string text;
    ASSERT_FALSE(read_text_file(std::move(in), text));
    EXPECT_EQ(text, u"name \u2034Caf\u00e9\u2034\r\n\r\nend\r\n");
}

TEST(WriteTextLine, ReportsAFailedWrite) {
    FileHandle full;
    ASSERT_FALSE(file_create_write(u"/dev/full", full));
    EXPECT_TRUE(write_text_line(full, u"end"));
}

}  // namespace
}  // namespace lumivane

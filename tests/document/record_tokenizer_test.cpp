#include "document/record_tokenizer.h"

#include <gtest/gtest.h>

#include "support/recording_ui.h"

namespace lumivane {
namespace {

using testing::RecordingUi;

std::vector<std::u16string> tokens_of(RecordingUi& ui, std::u16string_view line) {
    TokenRecord record;
    tokenize_line(ui, record, line);
    return record.tokens;
}

std::vector<std::u16string> lines_of(std::u16string text) {
    std::vector<std::u16string> lines;
    std::size_t position = 0;
    std::u16string_view line;
    while (!next_record_line(text, position, line)) lines.emplace_back(line);
    return lines;
}

TEST(TokenizeLine, QuoteCharactersOnlyCloseThemselves) {
    RecordingUi ui;
    // A caption quoted with U+0022 holding two U+2033 characters keeps them.
    const auto slide = tokens_of(ui, u"slide 0 0 1 1 \"He said \u2033hi\u2033\" \"a b.jpg\"");
    ASSERT_EQ(slide.size(), 7u);
    EXPECT_EQ(slide[5], u"He said \u2033hi\u2033");
    EXPECT_EQ(slide[6], u"a b.jpg");

    EXPECT_EQ(tokens_of(ui, u"name \u2034Paris\u2034x"), (std::vector<std::u16string>{u"name", u"Paris", u"x"}));
    EXPECT_EQ(tokens_of(ui, u"a \u2033\"quoted\"\u2033 b"), (std::vector<std::u16string>{u"a", u"\"quoted\"", u"b"}));
    EXPECT_EQ(tokens_of(ui, u"caption \"\" end"), (std::vector<std::u16string>{u"caption", u"", u"end"}));
    // A quote inside a bare token is an ordinary character.
    EXPECT_EQ(tokens_of(ui, u"ab\"cd ef"), (std::vector<std::u16string>{u"ab\"cd", u"ef"}));
    EXPECT_TRUE(ui.boxes.empty());
}

// Any text, whatever quote characters it holds, is written as one token that reads back
// exactly; the writer's own quote character stands alone whenever the text allows.
TEST(QuotedToken, EveryTextReadsBackAsOneToken) {
    struct Case {
        std::u16string text;
        std::u16string written;
    };
    const Case cases[] = {
        {u"Paris", u"\u2034Paris\u2034"},
        {u"", u"\u2034\u2034"},
        {u"quote\u2034name.jpg", u"\u2033quote\u2034name.jpg\u2033"},
        {u"\u2034\u2033", u"\"\u2034\u2033\""},
        {u"a\"b\u2033c\u2034d", u"\u2034a\"b\u2033c\u2034\u2033\u2034d\u2033"},
        {u"\u2034\u2033\"\u2034\u2033\"", u"\"\u2034\u2033\"\u2033\"\u2034\u2033\u2034\u2033\"\u2034"},
        {u" two\r\nlines\t", u"\u2034 two\r\nlines\t\u2034"},
    };
    for (const Case& c : cases) {
        RecordingUi ui;
        const std::u16string written = quoted_token(c.text, triple_prime);
        EXPECT_EQ(written, c.written);
        std::u16string text = u"slide " + written + u" " + quoted_token(u"f.jpg", triple_prime) + u"\r\nend\r\n";
        const auto lines = lines_of(text);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(tokens_of(ui, lines[0]), (std::vector<std::u16string>{u"slide", c.text, u"f.jpg"}));
        EXPECT_TRUE(ui.boxes.empty());
    }
    // Parts with the same quote character one after the other stay two tokens, as ever.
    RecordingUi ui;
    EXPECT_EQ(tokens_of(ui, u"\"a\"\"b\""), (std::vector<std::u16string>{u"a", u"b"}));
}

TEST(TokenizeLine, SeparatorsAndEnds) {
    RecordingUi ui;
    EXPECT_TRUE(tokens_of(ui, u" \t  \t").empty());
    EXPECT_TRUE(tokens_of(ui, u"").empty());
    EXPECT_EQ(tokens_of(ui, u"\tloop\t 1  "), (std::vector<std::u16string>{u"loop", u"1"}));
    // The line ends at its first NUL.
    EXPECT_EQ(tokens_of(ui, std::u16string(u"end\0ignored", 11)), (std::vector<std::u16string>{u"end"}));
}

TEST(TokenizeLine, MissingQuoteTakesTheRestOfTheLineAndIsReportedOnce) {
    RecordingUi ui;
    EXPECT_EQ(tokens_of(ui, u"name \u2034Open  ended"), (std::vector<std::u16string>{u"name", u"Open  ended"}));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, u"Error");
    EXPECT_EQ(ui.boxes[0].text, u"Missing quote");
    EXPECT_EQ(ui.boxes[0].buttons, BoxButtons::Ok);
    EXPECT_EQ(ui.boxes[0].owner, BoxOwner::None);

    TokenRecord record;
    tokenize_line(ui, record, u"a b");
    EXPECT_EQ(record.count(), 2);
    free_tokens(record);
    EXPECT_EQ(record.count(), 0);
}

TEST(NextRecordLine, CutsAtLineEndsOutsideQuotes) {
    EXPECT_EQ(lines_of(u"SlideShow 1.0\r\nloop 1\r\n\r\n\nend"),
              (std::vector<std::u16string>{u"SlideShow 1.0", u"loop 1", u"end"}));
    EXPECT_TRUE(lines_of(u"\r\n\r\n").empty());
    EXPECT_TRUE(lines_of(u"").empty());
    // A quoted caption with CR LF stays one record and keeps the line break.
    const auto lines = lines_of(u"slide 0 1 0 1 \u2034two\r\nlines\u2034 \u2034a.jpg\u2034\r\nend\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], u"end");
    RecordingUi ui;
    const auto tokens = tokens_of(ui, lines[0]);
    ASSERT_EQ(tokens.size(), 7u);
    EXPECT_EQ(tokens[5], u"two\r\nlines");
    // Only the opening character closes a quote, so this one stays open to the end.
    EXPECT_EQ(lines_of(u"name \u2033a\"\nb\nc"), (std::vector<std::u16string>{u"name \u2033a\"\nb\nc"}));
}

TEST(NextRecordLine, OverwritesTheLineEndInPlace) {
    std::u16string text = u"a\nb";
    std::size_t position = 0;
    std::u16string_view line;
    ASSERT_FALSE(next_record_line(text, position, line));
    EXPECT_EQ(text[1], u'\0');
    EXPECT_EQ(position, 2u);
    ASSERT_FALSE(next_record_line(text, position, line));
    EXPECT_EQ(line, u"b");
    EXPECT_TRUE(next_record_line(text, position, line));
}

}  // namespace
}  // namespace lumivane

#include "document/record_tokenizer.h"

#include <algorithm>

#include "platform/message_boxes.h"

namespace lumivane {

namespace {
bool is_line_end(char16_t c) { return c == u'\0' || c == u'\r' || c == u'\n'; }
bool is_separator(char16_t c) { return c == u' ' || c == u'\t'; }
}  // namespace

bool next_record_line(std::u16string& text, std::size_t& position, std::u16string_view& line) {
    const std::size_t length = text.size();
    while (position < length && is_line_end(text[position])) ++position;
    if (position >= length) {
        line = {};
        return true;
    }
    const std::size_t start = position;
    char16_t open_quote = 0;
    while (position < length) {
        const char16_t c = text[position];
        if (open_quote != 0) {
            if (c == open_quote) open_quote = 0;
        } else if (is_quote_character(c)) {
            open_quote = c;
        } else if (is_line_end(c)) {
            text[position] = u'\0';
            line = std::u16string_view(text).substr(start, position - start);
            ++position;
            return false;
        }
        ++position;
    }
    line = std::u16string_view(text).substr(start, position - start);
    return false;
}

void tokenize_line(UserInterface& ui, TokenRecord& record, std::u16string_view line) {
    record.tokens.clear();
    const std::size_t end = std::min(line.find(u'\0'), line.size());
    std::size_t i = 0;
    while (true) {
        while (i < end && is_separator(line[i])) ++i;
        if (i >= end) break;
        std::size_t token_start = i;
        std::size_t token_end;
        if (is_quote_character(line[i])) {
            const char16_t quote = line[i];
            token_start = i + 1;
            token_end = line.find(quote, token_start);
            if (token_end >= end) {
                error_box(ui, u"Missing quote");
                token_end = end;
                i = end;
            } else {
                i = token_end + 1;
            }
        } else {
            while (i < end && !is_separator(line[i])) ++i;
            token_end = i;
        }
        record.tokens.emplace_back(line.substr(token_start, token_end - token_start));
    }
}

void free_tokens(TokenRecord& record) { record.tokens.clear(); }

}  // namespace lumivane

#include "document/record_tokenizer.h"

#include <algorithm>

#include "platform/message_boxes.h"
#include "platform/translation.h"

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
    if (tokenize_line(record, line)) error_box(ui, Core::tr("Missing quote"));
}

bool tokenize_line(TokenRecord& record, std::u16string_view line) {
    record.tokens.clear();
    bool missing_quote = false;
    const std::size_t end = std::min(line.find(u'\0'), line.size());
    std::size_t i = 0;
    while (true) {
        while (i < end && is_separator(line[i])) ++i;
        if (i >= end) break;
        if (is_quote_character(line[i])) {
            std::u16string token;
            char16_t previous = 0;
            while (i < end && is_quote_character(line[i]) && line[i] != previous) {
                previous = line[i];
                const std::size_t close = line.find(previous, i + 1);
                if (close >= end) {
                    missing_quote = true;
                    token += line.substr(i + 1, end - i - 1);
                    i = end;
                } else {
                    token += line.substr(i + 1, close - i - 1);
                    i = close + 1;
                }
            }
            record.tokens.push_back(std::move(token));
        } else {
            const std::size_t start = i;
            while (i < end && !is_separator(line[i])) ++i;
            record.tokens.emplace_back(line.substr(start, i - start));
        }
    }
    return missing_quote;
}

void free_tokens(TokenRecord& record) { record.tokens.clear(); }

std::u16string quoted_token(std::u16string_view text, char16_t preferred) {
    const char16_t choices[] = {preferred, triple_prime, double_prime, quotation_mark};
    std::u16string token;
    std::size_t i = 0;
    do {
        // The quote character that takes the text furthest: the character just ended
        // on is the one found at i, so each part moves on.
        char16_t quote = preferred;
        std::size_t part_end = i;
        for (const char16_t c : choices) {
            const std::size_t next = std::min(text.find(c, i), text.size());
            if (next > part_end) {
                part_end = next;
                quote = c;
            }
        }
        token += quote;
        token += text.substr(i, part_end - i);
        token += quote;
        i = part_end;
    } while (i < text.size());
    return token;
}

}  // namespace lumivane

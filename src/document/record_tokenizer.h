#pragma once
// Cutting the program's text files into records and records into tokens.
//
// Tokens are separated by spaces and tabs. A token may be quoted with U+0022,
// U+2033 or U+2034; only the character that opened the quote closes it, and
// inside quotes line ends are ordinary characters, so a caption may span lines.
// Quoted parts written one right after the other, each with another quote character
// than the part before it, make one token: so a text holding all three quote
// characters is written too. The program wrote no such parts before it needed them.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/translation.h"

namespace lumivane {

class UserInterface;

// What a record with an unterminated quote is reported with.
inline constexpr char16_t missing_quote_text[] = LMV_TRANSLATE_NOOP("Core", "Missing quote");

inline constexpr char16_t quotation_mark = u'\u0022';
inline constexpr char16_t double_prime = u'\u2033';
inline constexpr char16_t triple_prime = u'\u2034';

inline bool is_quote_character(char16_t c) {
    return c == quotation_mark || c == double_prime || c == triple_prime;
}

struct TokenRecord {
    std::vector<std::u16string> tokens;
    int count() const { return static_cast<int>(tokens.size()); }
};

// Finds the next record in text, starting at position, and ends it with NUL in
// place. Returns true when no record is left.
[[nodiscard]] bool next_record_line(std::u16string& text, std::size_t& position, std::u16string_view& line);

// Splits a line (which ends at its first NUL or at its end) into tokens. An
// unterminated quote reports "Missing quote" and the token takes the rest of the line.
void tokenize_line(UserInterface& ui, TokenRecord& record, std::u16string_view line);
// The same without a message: true when a quote is missing.
[[nodiscard]] bool tokenize_line(TokenRecord& record, std::u16string_view line);

void free_tokens(TokenRecord& record);

// The text as one token: between preferred quote characters when it holds none, else in
// as few parts as the quote characters it holds need.
std::u16string quoted_token(std::u16string_view text, char16_t preferred);

}  // namespace lumivane

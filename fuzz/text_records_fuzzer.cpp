// Any bytes as a text file: decoding, records, tokens and numbers, and the same
// bytes as a format for the formatter.

#include <string>

#include "document/number_parsing.h"
#include "document/record_tokenizer.h"
#include "document/text_file.h"
#include "platform/value_formatter.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumivane;
    static fuzz::SilentUi ui;

    std::u16string text;
    if (read_text_file(fuzz::memory_file(data, size), text)) return 0;

    std::size_t position = 0;
    std::u16string_view line;
    TokenRecord record;
    while (!next_record_line(text, position, line)) {
        tokenize_line(ui, record, line);
        for (const std::u16string& token : record.tokens) {
            std::int32_t integer = 0;
            double real = 0.0;
            parse_int(token, integer);
            parse_real(token, real);
            std::u16string out;
            format_text(out, token, integer, real, token, char16_t(u'x'), real);
        }
        free_tokens(record);
    }
    return 0;
}

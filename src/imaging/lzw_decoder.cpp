#include "imaging/lzw_decoder.h"

#include <algorithm>
#include <cstring>

namespace lumivane {

namespace {

constexpr std::uint32_t clear_code = 256;
constexpr std::uint32_t end_code = 257;
constexpr std::uint32_t first_free_code = 258;
constexpr std::uint32_t last_table_code = 4096;
constexpr int max_code_width = 12;

// Codes most significant bit first; bits past the end of the input read as zero.
class CodeReader {
public:
    explicit CodeReader(std::span<const std::uint8_t> input) : data_(input.data()), size_(input.size()) {}

    // Fewer bits left than a code needs: what remains is the padding of the last byte.
    bool exhausted(int width) const { return consumed_ + static_cast<std::size_t>(width) > 8 * size_; }

    std::uint32_t read(int width) {
        while (available_ < width) {
            const std::uint64_t byte = next_ < size_ ? data_[next_] : 0;
            ++next_;
            bits_ |= byte << (56 - available_);
            available_ += 8;
        }
        const auto code = static_cast<std::uint32_t>(bits_ >> (64 - width));
        bits_ <<= width;
        available_ -= width;
        consumed_ += static_cast<std::size_t>(width);
        return code;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;      // next byte to load
    std::size_t consumed_ = 0;  // bits taken by codes
    std::uint64_t bits_ = 0;    // loaded bits, the next one at the top
    int available_ = 0;
};

// Every string of the table past the single bytes has been written to the output
// before, so an entry is where that copy starts and how long it is.
struct Entry {
    std::size_t position;
    std::uint32_t length;
};

// Copies length bytes from an earlier place of the output. When a string ends with its
// own first byte, source and destination overlap by one byte, which the forward copy
// has written by the time it is read. Eight bytes at a time when the source stays
// eight bytes behind and the spill past the string fits in the output.
void copy_earlier(std::uint8_t* out, std::size_t from, std::size_t to, std::size_t length, std::size_t limit) {
    const std::uint8_t* source = out + from;
    std::uint8_t* destination = out + to;
    if (to - from >= 8 && limit - to >= length + 8) {
        for (std::size_t i = 0; i < length; i += 8) {
            std::uint64_t chunk;
            std::memcpy(&chunk, source + i, 8);
            std::memcpy(destination + i, &chunk, 8);
        }
        return;
    }
    for (std::size_t i = 0; i < length; ++i) destination[i] = source[i];
}

}  // namespace

bool lzw_decode(std::span<const std::uint8_t> input, std::span<std::uint8_t> output, std::size_t& written) {
    written = 0;
    // The older variant stores codes least significant bit first: its Clear code
    // gives a 0 byte and then a byte with the lowest bit set.
    if (input.size() >= 2 && input[0] == 0 && (input[1] & 1) != 0) return true;
    if (output.empty()) return false;

    CodeReader reader(input);
    std::uint8_t* const out = output.data();
    const std::size_t limit = output.size();
    std::size_t count = 0;
    Entry table[last_table_code + 1];
    std::uint32_t next_free = first_free_code;
    int width = 9;
    std::uint32_t threshold = 510;
    std::size_t previous_position = 0;
    std::uint32_t previous_length = 0;

    const auto next_code = [&] { return reader.exhausted(width) || count >= limit ? end_code : reader.read(width); };
    const auto fail = [&] {
        written = count;
        return true;
    };

    std::uint32_t code = next_code();
    // Without a Clear first there is no previous string to extend.
    if (code != clear_code) return true;
    while (code != end_code) {
        if (code == clear_code) {
            next_free = first_free_code;
            width = 9;
            threshold = 510;
            code = next_code();
            if (code == clear_code || code == end_code) continue;
            if (code > 255) return fail();
            previous_position = count;
            previous_length = 1;
            out[count++] = static_cast<std::uint8_t>(code);
            code = next_code();
            continue;
        }
        if (next_free > last_table_code) return fail();
        // The new entry is the previous string and the first byte of this code's string,
        // which is written right after the previous string.
        table[next_free] = {previous_position, previous_length + 1};
        ++next_free;
        if (next_free > threshold && width < max_code_width) {
            ++width;
            threshold = 2 * threshold + 2;
        }
        previous_position = count;
        if (code < 256) {
            previous_length = 1;
            out[count++] = static_cast<std::uint8_t>(code);
        } else if (code < next_free) {
            const Entry entry = table[code];
            const std::size_t length = std::min<std::size_t>(entry.length, limit - count);
            copy_earlier(out, entry.position, count, length, limit);
            previous_length = entry.length;
            count += length;
        } else {
            return fail();
        }
        code = next_code();
    }
    written = count;
    return false;
}

}  // namespace lumivane

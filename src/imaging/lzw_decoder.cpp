#include "imaging/lzw_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace lumivane {

namespace {

constexpr std::uint32_t clear_code = 256;
constexpr std::uint32_t end_code = 257;
constexpr std::uint32_t first_free_code = 258;
constexpr std::uint32_t last_table_code = 4096;
constexpr int max_code_width = 12;

// Codes most significant bit first. A code is read only when all its bits are in the
// input; fewer bits than that are the padding of the last byte.
class CodeReader {
public:
    explicit CodeReader(std::span<const std::uint8_t> input) : next_(input.data()), bits_left_(8 * input.size()) {}

    bool exhausted(int width) const { return bits_left_ < static_cast<std::size_t>(width); }

    // Fewer than 8 bits are held between codes and a code has at least 9, so every
    // code takes one or two more bytes, all of them inside the input.
    std::uint32_t read(int width) {
        held_ = held_ << 8 | *next_++;
        held_count_ += 8;
        if (held_count_ < width) {
            held_ = held_ << 8 | *next_++;
            held_count_ += 8;
        }
        held_count_ -= width;
        bits_left_ -= static_cast<std::size_t>(width);
        return static_cast<std::uint32_t>(held_ >> held_count_) & ((1u << width) - 1);
    }

private:
    const std::uint8_t* next_;
    std::size_t bits_left_;
    std::uint32_t held_ = 0;  // the low held_count_ bits are the next ones
    int held_count_ = 0;
};

// A table entry is where its string stands and how long it is: the single bytes in a
// table of their own, every longer string at a place of the output it was written to
// before.
struct Entry {
    const std::uint8_t* source;
    std::uint32_t length;
};

// Each byte value once, and room for reading eight bytes from any of them.
constexpr std::array<std::uint8_t, 256 + 8> single_bytes = [] {
    std::array<std::uint8_t, 256 + 8> bytes{};
    for (int i = 0; i < 256; ++i) bytes[i] = static_cast<std::uint8_t>(i);
    return bytes;
}();

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
    for (std::uint32_t c = 0; c < 256; ++c) table[c] = {&single_bytes[c], 1};
    std::uint32_t next_free = first_free_code;
    int width = 9;
    std::uint32_t threshold = 510;
    std::size_t previous_position = 0;
    std::uint32_t previous_length = 0;
    const auto fail = [&] {
        written = count;
        return true;
    };

    // Without a Clear first there is no previous string to extend.
    if (reader.exhausted(width) || reader.read(width) != clear_code) return true;
    bool cleared = true;
    while (count < limit && !reader.exhausted(width)) {
        const std::uint32_t code = reader.read(width);
        if (code == clear_code) {
            next_free = first_free_code;
            width = 9;
            threshold = 510;
            cleared = true;
            continue;
        }
        if (code == end_code) break;
        if (cleared) {
            // The first code after a Clear is a single byte and extends nothing.
            if (code > 255) return fail();
            cleared = false;
        } else {
            if (next_free > last_table_code) return fail();
            // The new entry is the previous string and the first byte of this code's
            // string, which is written right after the previous string.
            table[next_free] = {out + previous_position, previous_length + 1};
            ++next_free;
            if (next_free > threshold && width < max_code_width) {
                ++width;
                threshold = 2 * threshold + 2;
            }
        }
        if (code >= next_free) return fail();

        const Entry entry = table[code];
        std::uint8_t* const destination = out + count;
        const std::size_t room = limit - count;
        previous_position = count;
        previous_length = entry.length;
        if (room >= std::size_t{entry.length} + 7) {
            // Eight bytes at a time, spilling past the string into room that later
            // strings overwrite. Only the string's last byte can lie at or past the
            // destination, in the entry made by this very code, and that byte is its
            // first one again.
            for (std::uint32_t i = 0; i < entry.length; i += 8) {
                std::uint64_t chunk;
                std::memcpy(&chunk, entry.source + i, 8);
                std::memcpy(destination + i, &chunk, 8);
            }
            if (code == next_free - 1) destination[entry.length - 1] = entry.source[0];
            count += entry.length;
        } else {
            // Near the end of the output, byte by byte, cut to the room left.
            const std::size_t length = std::min<std::size_t>(entry.length, room);
            for (std::size_t i = 0; i < length; ++i) destination[i] = entry.source[i];
            count += length;
        }
    }
    written = count;
    return false;
}

}  // namespace lumivane

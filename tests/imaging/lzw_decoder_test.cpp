#include "imaging/lzw_decoder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/libtiff_files.h"

namespace lumivane {
namespace {

// Codes packed most significant bit first, each as wide as TIFF's LZW has it: 9 bits
// until the table's next free code reaches 511, then 10, 11 from 1023 and 12 from
// 2047. The code after a Clear adds no table entry; every other code adds one.
std::vector<std::uint8_t> pack(const std::vector<std::uint32_t>& codes) {
    std::vector<std::uint8_t> out;
    std::uint64_t bits = 0;
    int count = 0;
    std::uint32_t next_free = 258;
    bool after_clear = true;
    for (const std::uint32_t code : codes) {
        const int width = next_free < 511 ? 9 : next_free < 1023 ? 10 : next_free < 2047 ? 11 : 12;
        bits = bits << width | code;
        count += width;
        for (; count >= 8; count -= 8) out.push_back(static_cast<std::uint8_t>(bits >> (count - 8)));
        if (code == 256) {
            next_free = 258;
            after_clear = true;
        } else if (code != 257) {
            next_free += after_clear ? 0 : 1;
            after_clear = false;
        }
    }
    if (count > 0) out.push_back(static_cast<std::uint8_t>(bits << (8 - count)));
    return out;
}

// Codes of 27 bits: the last five bits of the last byte set.
std::vector<std::uint8_t> padded_with_ones(std::vector<std::uint8_t> bytes) {
    bytes.back() |= 0x1F;
    return bytes;
}

// Decodes into a buffer of limit bytes followed by guard bytes that must stay as
// they are; true on failure.
bool decode(const std::vector<std::uint8_t>& input, std::size_t limit, std::vector<std::uint8_t>& output) {
    std::vector<std::uint8_t> buffer(limit + 32, 0xEE);
    std::size_t written = 99;
    const bool failed = lzw_decode(input, std::span(buffer.data(), limit), written);
    EXPECT_LE(written, limit);
    for (std::size_t i = limit; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], 0xEE) << "guard byte " << i - limit;
    output.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(std::min(written, limit)));
    return failed;
}

struct Sample {
    const char* name;
    std::vector<std::uint8_t> data;
};

std::vector<Sample> samples() {
    std::mt19937 random(7);
    std::vector<std::uint8_t> noise(100000), runs(30000, 'a'), ramps(60000), words;
    for (std::uint8_t& b : noise) b = static_cast<std::uint8_t>(random());
    for (std::size_t i = 0; i < ramps.size(); ++i) ramps[i] = static_cast<std::uint8_t>(i / 5 + random() % 2);
    for (int i = 0; i < 3000; ++i) {
        const std::string word = "slide " + std::to_string(i % 37) + " caption; ";
        words.insert(words.end(), word.begin(), word.end());
    }
    return {{"one byte", {42}}, {"noise", noise}, {"one repeated byte", runs}, {"ramps", ramps}, {"words", words}};
}

TEST(LzwDecoder, DecodesWhatLibtiffEncodes) {
    for (const Sample& sample : samples()) {
        SCOPED_TRACE(sample.name);
        std::vector<std::uint8_t> output;
        EXPECT_FALSE(decode(testing::libtiff_lzw(sample.data), sample.data.size(), output));
        EXPECT_TRUE(output == sample.data);
    }
}

TEST(LzwDecoder, StopsAtTheOutputLimit) {
    for (const Sample& sample : samples()) {
        const std::vector<std::uint8_t> input = testing::libtiff_lzw(sample.data);
        for (const std::size_t limit : {std::size_t{0}, std::size_t{1}, std::size_t{777}, sample.data.size() - 1}) {
            if (limit >= sample.data.size()) continue;
            SCOPED_TRACE(std::string(sample.name) + " limit " + std::to_string(limit));
            std::vector<std::uint8_t> output;
            EXPECT_FALSE(decode(input, limit, output));
            EXPECT_EQ(output.size(), limit);
            EXPECT_TRUE(std::equal(output.begin(), output.end(), sample.data.begin()));
        }
    }
}

TEST(LzwDecoder, HandMadeCodes) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> input;
        bool failed;
        std::string output;
    };
    const Case cases[] = {
        {"a string from the table", pack({256, 'A', 'B', 258, 257}), false, "ABAB"},
        {"the code being defined", pack({256, 'A', 258, 259, 257}), false, "AAAAAA"},
        {"end code before the end of the input", pack({256, 'A', 257, 'B', 'C'}), false, "A"},
        {"input used up without an end code", pack({256, 'A', 'B'}), false, "AB"},
        {"set padding bits are no code", padded_with_ones(pack({256, 'A', 'B'})), false, "AB"},
        {"Clear in the middle empties the table", pack({256, 'A', 'B', 256, 'C', 258, 257}), false, "ABCCC"},
        {"Clear twice", pack({256, 256, 'A', 257}), false, "A"},
        {"Clear and end", pack({256, 257}), false, ""},
        {"no Clear first", pack({'A', 257}), true, ""},
        {"empty input", {}, true, ""},
        {"a code not in the table yet", pack({256, 'A', 'B', 260}), true, "AB"},
        {"a string code straight after Clear", pack({256, 300}), true, ""},
        {"the older bit order", {0x00, 0x01}, true, ""},
        {"the older bit order with more data", {0x00, 0x03, 0x80, 0x10}, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> output;
        EXPECT_EQ(decode(c.input, 100, output), c.failed);
        EXPECT_EQ(std::string(output.begin(), output.end()), c.output);
    }
}

TEST(LzwDecoder, TableHoldsCodesUpTo4096) {
    // After Clear, the first byte adds no entry and each further one adds one: 3,840
    // bytes fill the table to code 4096, the last codes being read 12 bits wide.
    std::vector<std::uint32_t> codes = {256};
    std::string expected;
    for (int i = 0; i < 3840; ++i) {
        codes.push_back(i % 251);
        expected.push_back(static_cast<char>(i % 251));
    }
    std::vector<std::uint32_t> full = codes;
    full.push_back(257);
    std::vector<std::uint8_t> output;
    EXPECT_FALSE(decode(pack(full), 5000, output));
    EXPECT_EQ(std::string(output.begin(), output.end()), expected);

    std::vector<std::uint32_t> cleared = codes;
    cleared.insert(cleared.end(), {256, 'Z', 'Y', 258, 257});
    EXPECT_FALSE(decode(pack(cleared), 5000, output));
    EXPECT_EQ(std::string(output.begin(), output.end()), expected + "ZYZY");

    std::vector<std::uint32_t> overflowing = codes;
    overflowing.insert(overflowing.end(), {'Z', 257});
    EXPECT_TRUE(decode(pack(overflowing), 5000, output));
    EXPECT_EQ(std::string(output.begin(), output.end()), expected);
}

}  // namespace
}  // namespace lumivane

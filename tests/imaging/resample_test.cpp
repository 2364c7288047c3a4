#include "imaging/resample.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "support/random_image.h"

namespace lumivane {
namespace {

int channels_of(PixelFormat kind) {
    return kind == PixelFormat::Colour8 || kind == PixelFormat::Colour16 ? 3 : 1;
}

// Sample ch of pixel x in storage row r; bilevel pixels as 0 or 255.
std::int64_t sample(const ImageBuffer& image, int x, int r, int ch) {
    const std::uint8_t* row = image.rows[r];
    const int i = x * channels_of(image.kind) + ch;
    switch (image.kind) {
    case PixelFormat::Bilevel: return bit_get(row, x);
    case PixelFormat::Grey16:
    case PixelFormat::Colour16: {
        std::uint16_t v;
        std::memcpy(&v, row + 2 * i, 2);
        return v;
    }
    default: return row[i];
    }
}

using testing::random_image;

// The linear filter along one axis, written out case by case as the rules state it,
// with sums in 64-bit integers: (sample index, weight) pairs and their divisor.
struct Weights {
    std::vector<std::pair<int, std::int64_t>> taps;
    std::int64_t sum = 0;
};

double triangle(double x) { return std::abs(x) <= 1.0 ? 1.0 - std::abs(x) : 0.0; }

Weights reference_weights(int source, int destination, bool vertical, int i) {
    const double step = destination < 2 ? (vertical ? 1.0 : 0.0) : double(source - 1) / (destination - 1);
    const double x = i * step;
    const int start = static_cast<int>(x);
    const double g = x - start;
    Weights w;
    if (source < destination) {
        if (start >= source - 1) {
            w.taps = {{source - 1, 1}};
        } else {
            for (int k = -1; k <= 2; ++k) {
                const int at = start + k;
                const auto weight = static_cast<std::int64_t>(255 * triangle(k - g));
                w.taps.push_back({std::clamp(at, 0, source - 1), at < 0 || at >= source ? 0 : weight});
            }
        }
    } else {
        const int reach = static_cast<int>(step);
        for (int k = -(reach + 1); k <= reach + 1; ++k) {
            const int at = start + k;
            if (at < 0 || at >= source) continue;
            w.taps.push_back({at, std::min<std::int64_t>(255, static_cast<std::int64_t>(
                                                                    255 * triangle((k - g) / (double(source) / destination))))});
        }
    }
    for (const auto& tap : w.taps) w.sum += tap.second;
    if (w.sum == 0) w.sum = 1;
    return w;
}

std::int64_t divide(std::int64_t total, std::int64_t sum, bool wide) {
    const std::int64_t q = wide ? static_cast<std::int64_t>(double(total) / double(sum)) : total / sum;
    return std::clamp<std::int64_t>(q, 0, wide ? 65535 : 255);
}

// The expected picture, sample by sample, bottom row first.
std::vector<std::int64_t> reference_linear(const ImageBuffer& source, int width, int height) {
    const int ch = channels_of(source.kind);
    const bool wide = source.kind == PixelFormat::Grey16 || source.kind == PixelFormat::Colour16;
    std::vector<std::int64_t> out;
    for (int j = 0; j < height; ++j) {
        std::vector<std::int64_t> middle(static_cast<std::size_t>(source.width * ch));
        const Weights rows = height == source.height ? Weights{{{j, 1}}, 1}
                                                     : reference_weights(source.height, height, true, j);
        for (int s = 0; s < source.width * ch; ++s) {
            std::int64_t total = 0;
            for (const auto& [r, w] : rows.taps) total += w * sample(source, s / ch, r, s % ch);
            middle[static_cast<std::size_t>(s)] = divide(total, rows.sum, wide);
        }
        for (int i = 0; i < width; ++i) {
            const Weights columns = width == source.width ? Weights{{{i, 1}}, 1}
                                                          : reference_weights(source.width, width, false, i);
            for (int c = 0; c < ch; ++c) {
                std::int64_t total = 0;
                for (const auto& [x, w] : columns.taps) total += w * middle[static_cast<std::size_t>(x * ch + c)];
                out.push_back(divide(total, columns.sum, wide));
            }
        }
    }
    return out;
}

TEST(ImageResampleLinear, MatchesTheFilterAsWritten) {
    struct Case {
        PixelFormat kind;
        int w, h, width, height;
    };
    const Case cases[] = {
        {PixelFormat::Colour8, 37, 23, 11, 7},       // reducing both ways
        {PixelFormat::Colour8, 37, 23, 50, 40},      // enlarging both ways
        {PixelFormat::Colour8, 37, 23, 37, 9},       // height only
        {PixelFormat::Colour8, 37, 23, 12, 23},      // width only
        {PixelFormat::Colour8, 37, 23, 80, 5},       // wider and lower
        {PixelFormat::Colour8, 37, 23, 1, 1},        // one pixel: the first column and its neighbours
        {PixelFormat::Colour8, 9, 9, 1, 5},
        {PixelFormat::Colour8, 1, 1, 4, 3},          // one source pixel spread
        {PixelFormat::Colour8, 1500, 1000, 333, 250},  // two storage blocks, many row groups, odd tails
        {PixelFormat::Grey8, 200, 3, 2, 2},          // weight sums near the single-precision limit
        {PixelFormat::Grey8, 700, 700, 2, 2},        // weight sums beyond it
        {PixelFormat::Grey8, 5, 40, 17, 3},
        {PixelFormat::Grey16, 41, 30, 13, 70},
        {PixelFormat::Colour16, 30, 41, 64, 12},
        {PixelFormat::Bilevel, 19, 13, 7, 5},
        {PixelFormat::Bilevel, 19, 13, 30, 20},
    };
    unsigned seed = 1;
    for (const Case& c : cases) {
        const ImageBuffer source = random_image(c.kind, c.w, c.h, seed++);
        ImageBuffer result;
        ASSERT_FALSE(image_resample(source, result, c.width, c.height, 100.0, ResampleFilter::Linear));
        const PixelFormat kind = c.kind == PixelFormat::Bilevel ? PixelFormat::Grey8 : c.kind;
        ASSERT_EQ(result.kind, kind);
        ASSERT_EQ(result.width, c.width);
        ASSERT_EQ(result.height, c.height);
        EXPECT_EQ(result.resolution, 100.0);
        const std::vector<std::int64_t> expected = reference_linear(source, c.width, c.height);
        const int ch = channels_of(kind);
        int wrong = 0;
        for (int j = 0; j < c.height; ++j) {
            for (int s = 0; s < c.width * ch; ++s) {
                const std::int64_t want = expected[static_cast<std::size_t>(j * c.width * ch + s)];
                if (sample(result, s / ch, j, s % ch) != want && ++wrong <= 3) {
                    ADD_FAILURE() << c.w << "x" << c.h << " to " << c.width << "x" << c.height << " row " << j
                                  << " sample " << s << " want " << want;
                }
            }
        }
    }
}

TEST(ImageResampleLinear, EnlargingAGreyStep) {
    // Rows (0, 255) enlarged to 3 x 3: the middle column is (127 * 0 + 127 * 255) div 254.
    ImageBuffer grey, result;
    ASSERT_FALSE(image_allocate(grey, PixelFormat::Grey8, 2, 2, 72.0));
    grey.rows[0][1] = grey.rows[1][1] = 255;
    ASSERT_FALSE(image_resample(grey, result, 3, 3, 100.0, ResampleFilter::Linear));
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(result.rows[r][0], 0);
        EXPECT_EQ(result.rows[r][1], 127);
        EXPECT_EQ(result.rows[r][2], 255);
    }
}

TEST(ImageResampleNearest, TakesTheNearestPixelOnALinedUpGrid) {
    // Each source pixel carries its column in every byte, so each result tells where it came from.
    struct Case {
        PixelFormat kind;
        int w, h, width, height;
        std::vector<int> columns, rows;
    };
    const Case cases[] = {
        {PixelFormat::Grey8, 4, 1, 2, 1, {0, 3}, {0}},
        {PixelFormat::Colour8, 2, 1, 5, 1, {0, 0, 1, 1, 1}, {0}},
        {PixelFormat::Grey16, 10, 3, 4, 6, {0, 3, 6, 9}, {0, 0, 1, 1, 2, 2}},
        {PixelFormat::Bilevel, 16, 2, 5, 1, {0, 4, 8, 11, 15}, {0}},
    };
    for (const Case& c : cases) {
        ImageBuffer source, result;
        ASSERT_FALSE(image_allocate(source, c.kind, c.w, c.h, 72.0));
        const int bytes = bytes_per_pixel(c.kind);
        for (int r = 0; r < c.h; ++r) {
            for (int x = 0; x < c.w; ++x) {
                if (c.kind == PixelFormat::Bilevel) {
                    if (x % 4 == 0) bit_set(source.rows[r], x);  // marks columns 0, 4, 8 and 12
                } else {
                    std::memset(source.rows[r] + x * bytes, 10 * r + x, static_cast<std::size_t>(bytes));
                }
            }
        }
        ASSERT_FALSE(image_resample(source, result, c.width, c.height, 100.0, ResampleFilter::Nearest));
        ASSERT_EQ(result.kind, c.kind);
        for (int j = 0; j < c.height; ++j) {
            for (int i = 0; i < c.width; ++i) {
                const int x = c.columns[static_cast<std::size_t>(i)];
                const int r = c.rows[static_cast<std::size_t>(j)];
                if (c.kind == PixelFormat::Bilevel) {
                    EXPECT_EQ(bit_get(result.rows[j], i), x % 4 == 0 ? 255 : 0) << i;
                } else {
                    for (int b = 0; b < bytes; ++b) EXPECT_EQ(result.rows[j][i * bytes + b], 10 * r + x) << i << "," << j;
                }
            }
        }
    }
}

TEST(ImageResample, TheSameSizeCopiesAndStampsTheResolution) {
    for (const ResampleFilter filter : {ResampleFilter::Nearest, ResampleFilter::Linear}) {
        const ImageBuffer source = random_image(PixelFormat::Colour16, 13, 5, 7);
        ImageBuffer result;
        ASSERT_FALSE(image_resample(source, result, 13, 5, 100.0, filter));
        EXPECT_EQ(result.kind, PixelFormat::Colour16);
        EXPECT_EQ(result.resolution, 100.0);
        for (int r = 0; r < 5; ++r) EXPECT_EQ(std::memcmp(result.rows[r], source.rows[r], 13 * 6), 0);

        ImageBuffer empty;
        ASSERT_FALSE(image_resample(empty, result, 40, 30, 100.0, filter));
        EXPECT_TRUE(result.empty());
        EXPECT_TRUE(image_resample(source, result, -1, 30, 100.0, filter));
    }
    // A bilevel picture stays bilevel under nearest, and comes out grey under linear,
    // at its own size too.
    const ImageBuffer bits = random_image(PixelFormat::Bilevel, 13, 5, 8);
    ImageBuffer result;
    ASSERT_FALSE(image_resample(bits, result, 13, 5, 100.0, ResampleFilter::Nearest));
    EXPECT_EQ(result.kind, PixelFormat::Bilevel);
    EXPECT_EQ(std::memcmp(result.rows[4], bits.rows[4], 2), 0);
    ASSERT_FALSE(image_resample(bits, result, 13, 5, 100.0, ResampleFilter::Linear));
    EXPECT_EQ(result.kind, PixelFormat::Grey8);
    for (int x = 0; x < 13; ++x) EXPECT_EQ(result.rows[4][x], bit_get(bits.rows[4], x));
}

}  // namespace
}  // namespace lumivane

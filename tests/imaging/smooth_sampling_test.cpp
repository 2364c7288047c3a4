#include "imaging/smooth_sampling.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <vector>

#include "imaging/memory_bitmap.h"
#include "imaging/picture_levels.h"
#include "support/random_image.h"

namespace lumivane {
namespace {

// A grey picture with its levels, its value at (x, y from the top) given by f.
struct Picture {
    ImageBuffer image;
    std::vector<ImageBuffer> levels;

    Picture(std::int32_t width, std::int32_t height, const std::function<double(double, double)>& f) {
        EXPECT_FALSE(image_allocate(image, PixelFormat::Colour8, width, height, 72.0));
        for (std::int32_t y = 0; y < height; ++y) {
            std::uint8_t* row = image.rows[static_cast<std::size_t>(height - 1 - y)];
            for (std::int32_t x = 0; x < width; ++x) {
                const auto v = static_cast<std::uint8_t>(std::clamp(std::lround(f(x, y)), 0L, 255L));
                row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = v;
            }
        }
        EXPECT_FALSE(make_picture_levels(image, levels));
    }
};

// The window's picture of a frame size; green samples.
struct Shown {
    std::vector<std::uint8_t> pixels;
    MemoryBitmap bitmap;

    Shown(std::int32_t width, std::int32_t height) : pixels(4 * static_cast<std::size_t>(width) * height) {
        bitmap = {pixels.data(), width, height, 4 * std::int64_t{width}};
    }
    int at(std::int32_t x, std::int32_t y) const {
        return pixels[4 * (static_cast<std::size_t>(y) * bitmap.width + x) + 1];
    }
};

// Frame width x height of the box whose top-left frame pixel is at (left, top) in the
// picture, scale picture pixels per frame pixel.
PictureBox box_at(double left, double top, double scale, std::int32_t width, std::int32_t height) {
    return {left, top, left + (width - 1) * scale, top + (height - 1) * scale};
}

TEST(PictureLevels, EachLevelHoldsTheRoundedMeansOfTheBlocksAbove) {
    for (const auto& [w, h] : {std::pair{7, 5}, std::pair{8, 8}, std::pair{2, 9}, std::pair{33, 2}}) {
        const ImageBuffer picture = testing::random_image(PixelFormat::Colour8, w, h, 17u * w + h);
        std::vector<ImageBuffer> levels;
        ASSERT_FALSE(make_picture_levels(picture, levels));
        std::uint64_t bytes = 0;
        const ImageBuffer* above = &picture;
        for (const ImageBuffer& level : levels) {
            ASSERT_EQ(level.width, (above->width + 1) / 2);
            ASSERT_EQ(level.height, (above->height + 1) / 2);
            // A block past an odd last row or column repeats it.
            const auto at = [&](std::int32_t x, std::int32_t y, int c) {
                const std::uint8_t* row = above->rows[static_cast<std::size_t>(std::min(y, above->height - 1))];
                return row[3 * std::min(x, above->width - 1) + c];
            };
            for (std::int32_t y = 0; y < level.height; ++y) {
                for (std::int32_t x = 0; x < 3 * level.width; ++x) {
                    const std::int32_t px = x / 3, c = x % 3;
                    const int sum = at(2 * px, 2 * y, c) + at(2 * px + 1, 2 * y, c) + at(2 * px, 2 * y + 1, c) +
                                    at(2 * px + 1, 2 * y + 1, c);
                    ASSERT_EQ(level.rows[static_cast<std::size_t>(y)][x], (sum + 2) / 4) << w << "x" << h;
                }
            }
            bytes += static_cast<std::uint64_t>(level.stride) * static_cast<std::uint64_t>(level.height);
            above = &level;
        }
        EXPECT_TRUE(above->width == 1 || above->height == 1);
        EXPECT_EQ(picture_levels_bytes(w, h), bytes);
    }
    // A photograph's levels take a third of its bytes; only 8-bit colour pictures have any.
    EXPECT_LE(picture_levels_bytes(6000, 4000), 6000u * 3 * 4000 / 3 + 6000);
    std::vector<ImageBuffer> levels;
    EXPECT_FALSE(make_picture_levels(testing::random_image(PixelFormat::Grey8, 8, 8, 1), levels));
    EXPECT_TRUE(levels.empty());
}

// The vector loops give exactly the plain loops' results, for every length (their
// steps, the pixels left after them) and any neighbours and weights.
TEST(SmoothSampling, VectorLoopsMatchThePlainOnes) {
    const std::vector<SmoothFunctions> functions = smooth_functions();
    std::mt19937 random(5);
    for (const std::int32_t count : {1, 7, 8, 9, 17, 100, 1921}) {
        std::vector<std::uint8_t> bytes(12 * static_cast<std::size_t>(count) + 64);
        for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(random());
        const std::uint8_t* rows[4] = {bytes.data(), bytes.data() + 5, bytes.data() + 3 * count, bytes.data() + 17};
        std::vector<std::int32_t> first(static_cast<std::size_t>(count));
        std::vector<std::int16_t> pairs01(8 * first.size()), pairs23(8 * first.size());
        for (std::size_t j = 0; j < first.size(); ++j) {
            first[j] = static_cast<std::int32_t>(random() % (count + 1));
            for (std::vector<std::int16_t>* pairs : {&pairs01, &pairs23}) {
                const auto w0 = static_cast<std::int16_t>(random() % 4097);
                const auto w1 = static_cast<std::int16_t>(random() % 4097);
                for (int k = 0; k < 8; k += 2) (*pairs)[8 * j + k] = w0, (*pairs)[8 * j + k + 1] = w1;
            }
        }
        // One tap of weight 128 (a row exactly under the frame's), then one to four taps.
        for (std::int32_t taps = 0; taps <= 4; ++taps) {
            const std::int16_t weights[4] = {static_cast<std::int16_t>(taps == 0 ? 128 : 31), 56, 40, 1};
            std::vector<std::int16_t> sums(3 * static_cast<std::size_t>(count) + 28), other_sums(sums.size());
            std::vector<std::uint8_t> plain(4 * static_cast<std::size_t>(count)), other(plain.size());
            functions.front().row_sum(rows, weights, std::max(taps, 1), 3 * count, sums.data());
            functions.front().column_sum(sums.data(), first.data(), pairs01.data(), pairs23.data(), count,
                                         plain.data());
            for (const SmoothFunctions& f : functions) {
                f.row_sum(rows, weights, std::max(taps, 1), 3 * count, other_sums.data());
                f.column_sum(sums.data(), first.data(), pairs01.data(), pairs23.data(), count, other.data());
                ASSERT_EQ(other_sums, sums) << count << " " << taps;
                ASSERT_EQ(other, plain) << count << " " << taps;
            }
        }
    }
}

// A flat picture stays exactly its level at every position and scale, with no drift
// from rounding; in a picture of black and white halves, black and white survive away
// from their edge.
TEST(SmoothSampling, FlatGreyAndTheExtremeLevelsStayExact) {
    for (const int grey : {0, 1, 77, 128, 254, 255}) {
        const Picture flat(701, 403, [&](double, double) { return grey; });
        for (int step = 0; step < 40; ++step) {
            const double scale = 0.3 + 0.137 * step;  // enlarged, about its own size, and reduced up to 5.6 times
            Shown shown(96, 54);
            const PictureBox box = box_at(3.3 + 0.71 * step, 2.9 + 0.37 * step, scale, 96, 54);
            ASSERT_FALSE(smooth_render(flat.image, flat.levels, box, shown.bitmap));
            for (std::int32_t y = 0; y < 54; ++y) {
                for (std::int32_t x = 0; x < 96; ++x) ASSERT_EQ(shown.at(x, y), grey) << grey << " at scale " << scale;
            }
        }
    }
    const Picture halves(640, 360, [](double x, double) { return x < 320 ? 0 : 255; });
    for (const double scale : {0.7, 1.0, 2.6, 4.3}) {
        Shown shown(96, 54);
        ASSERT_FALSE(smooth_render(halves.image, halves.levels, box_at(320 - 48 * scale, 10.2, scale, 96, 54),
                                   shown.bitmap));
        EXPECT_EQ(shown.at(5, 20), 0) << scale;
        EXPECT_EQ(shown.at(90, 20), 255) << scale;
    }
}

// The centroid of a small bright dot on black, a pan of a tenth of a frame pixel per
// frame: smooth motion moves it on in every frame within 0.05 pixel of where it
// belongs, enlarged, at the picture's own size and reduced. Exact motion, measured the
// same way, stands still for frames on end and then jumps.
TEST(SmoothSampling, ADotMovesByEveryTenthOfAPixel) {
    constexpr std::int32_t width = 60, height = 40;
    for (const double scale : {0.5, 1.0, 2.0, 3.0}) {
        const double dot_x = 200.3, dot_y = 150.6;
        const double spread = 1.5 * scale;
        const Picture picture(400, 300, [&](double x, double y) {
            const double d2 = (x - dot_x) * (x - dot_x) + (y - dot_y) * (y - dot_y);
            return 255.0 * std::exp(-d2 / (2 * spread * spread));
        });
        double before = 0.0;
        for (int frame = 0; frame < 30; ++frame) {
            const double left = dot_x - 30 * scale + frame * 0.1 * scale;
            Shown shown(width, height);
            const PictureBox box = box_at(left, dot_y - 20 * scale, scale, width, height);
            ASSERT_FALSE(smooth_render(picture.image, picture.levels, box, shown.bitmap));
            double moment = 0.0, mass = 0.0;
            for (std::int32_t y = 0; y < height; ++y) {
                for (std::int32_t x = 0; x < width; ++x) {
                    moment += shown.at(x, y) * x;
                    mass += shown.at(x, y);
                }
            }
            const double centroid = moment / mass;
            EXPECT_NEAR(centroid, (dot_x - left) / scale, 0.05) << "scale " << scale << ", frame " << frame;
            if (frame > 0) {
                EXPECT_LT(centroid, before - 0.05) << "scale " << scale << ", frame " << frame;
            }
            before = centroid;
        }
    }
}

// Zone plate: rings whose frequency rises from the centre to the picture's own Nyquist
// frequency at its edge, reduced 3, 4 and 5.5 times. Where the rings are finer than 1.5
// times the frame's Nyquist frequency (0.75 cycles a frame pixel), a faithful frame is
// flat mid grey; what is left there is aliasing, measured as the root mean square of
// the difference from mid grey. Unfiltered rings measure 90 (an amplitude of 127.5);
// smooth motion must stay under 10. Exact motion's nearest pixels keep all of it, which
// shows that the measure sees aliasing.
TEST(SmoothSampling, ZonePlateReducedShowsNoRingsBeyondNyquist) {
    constexpr std::int32_t n = 1024;
    const double centre = n / 2 - 0.5;
    const Picture plate(n, n, [&](double x, double y) {
        return 127.5 + 127.5 * std::cos(std::numbers::pi * (std::pow(x - centre, 2) + std::pow(y - centre, 2)) / n);
    });
    for (const double reduction : {3.0, 4.0, 5.5}) {
        const auto size = static_cast<std::int32_t>(std::lround(n / reduction));
        const double scale = (n - 1.0) / (size - 1);
        Shown shown(size, size);
        ASSERT_FALSE(smooth_render(plate.image, plate.levels, {0, 0, n - 1.0, n - 1.0}, shown.bitmap));
        double squares = 0.0, unfiltered = 0.0;
        std::int32_t count = 0;
        for (std::int32_t y = 0; y < size; ++y) {
            for (std::int32_t x = 0; x < size; ++x) {
                const double px = x * scale, py = y * scale;
                const double r = std::hypot(px - centre, py - centre);
                if (r / n * scale <= 0.75 || r >= centre - 2) continue;
                squares += (shown.at(x, y) - 127.5) * (shown.at(x, y) - 127.5);
                const std::uint8_t* row = plate.image.rows[static_cast<std::size_t>(n - 1 - std::lround(py))];
                const double nearest = row[3 * std::lround(px)];
                unfiltered += (nearest - 127.5) * (nearest - 127.5);
                ++count;
            }
        }
        EXPECT_LT(std::sqrt(squares / count), 10.0) << "reduced " << reduction << " times";
        EXPECT_GT(std::sqrt(unfiltered / count), 80.0) << "reduced " << reduction << " times";
    }
}

// Zooming across the scales where sampling moves to the next level changes the picture
// no more there than anywhere else.
TEST(SmoothSampling, ZoomPassesFromLevelToLevelWithoutAStep) {
    const ImageBuffer noise = testing::random_image(PixelFormat::Colour8, 900, 700, 3);
    std::vector<ImageBuffer> levels;
    ASSERT_FALSE(make_picture_levels(noise, levels));
    const auto frame_at = [&](double scale) {
        Shown shown(120, 90);
        const PictureBox box = box_at(450 - 60 * scale, 350 - 45 * scale, scale, 120, 90);
        EXPECT_FALSE(smooth_render(noise, levels, box, shown.bitmap));
        return shown.pixels;
    };
    const auto difference = [](const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
        double sum = 0.0;
        for (std::size_t i = 0; i < a.size(); ++i) sum += std::abs(a[i] - b[i]);
        return sum / static_cast<double>(a.size());
    };
    for (const double level_change : {2.0, 4.0}) {
        double largest_elsewhere = 0.0;
        for (const double s : {0.8, 0.9, 1.1, 1.2}) {
            const double step = difference(frame_at(level_change * s), frame_at(level_change * s * 1.002));
            largest_elsewhere = std::max(largest_elsewhere, step);
        }
        const double across = difference(frame_at(level_change / 1.001), frame_at(level_change * 1.001));
        EXPECT_LT(across, 2.0 * largest_elsewhere + 0.5) << "at " << level_change;
    }
}

}  // namespace
}  // namespace lumivane

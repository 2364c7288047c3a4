#include "playback/transitions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "document/slide_show.h"
#include "imaging/frame_bitmap.h"
#include "imaging/lookup_tables.h"
#include "imaging/memory_bitmap.h"
#include "support/recording_ui.h"

namespace lumivane {
namespace {

FrameBitmap make_frame(std::int32_t width, std::int32_t height, const std::function<std::uint8_t(std::int32_t)>& byte) {
    testing::RecordingUi ui;
    FrameBitmap frame;
    EXPECT_FALSE(frame_create(frame, width, height));
    for (std::int32_t i = 0; i < frame.image_size; ++i) frame.pixels[i] = byte(i);
    return frame;
}

FrameBitmap filled(std::int32_t width, std::int32_t height, std::uint8_t value) {
    return make_frame(width, height, [value](std::int32_t) { return value; });
}

bool same_bytes(const FrameBitmap& a, const FrameBitmap& b) {
    return a.image_size == b.image_size &&
           std::memcmp(a.pixels.get(), b.pixels.get(), static_cast<std::size_t>(a.image_size)) == 0;
}

// Frames whose bytes, padding included, differ from byte to byte: 1366 pixels wide rows
// of 4100 bytes, so the last two of each row are padding.
struct Frames {
    FrameBitmap outgoing = make_frame(1366, 6, [](std::int32_t i) { return static_cast<std::uint8_t>(i * 7 + 3); });
    FrameBitmap incoming = make_frame(1366, 6, [](std::int32_t i) { return static_cast<std::uint8_t>(i * 13 + 200); });
    FrameBitmap output = filled(1366, 6, 0x5a);
};

TEST(FadeToBlack, DarkensTheOutgoingThenRaisesTheIncoming) {
    Frames f;
    ASSERT_FALSE(compose_transition(TransitionKind::FadeToBlack, f.outgoing, f.incoming, f.output, 0.0));
    EXPECT_TRUE(same_bytes(f.output, f.outgoing));
    ASSERT_FALSE(compose_transition(TransitionKind::FadeToBlack, f.outgoing, f.incoming, f.output, 0.5));
    EXPECT_TRUE(same_bytes(f.output, filled(1366, 6, 0)));
    ASSERT_FALSE(compose_transition(TransitionKind::FadeToBlack, f.outgoing, f.incoming, f.output, 1.0));
    EXPECT_TRUE(same_bytes(f.output, f.incoming));

    // At 0.25 the level is 255 - round(127.5) = 127, at 0.75 round(127.5) = 128: halves
    // round away from zero.
    ASSERT_FALSE(compose_transition(TransitionKind::FadeToBlack, f.outgoing, f.incoming, f.output, 0.25));
    for (std::int32_t i = 0; i < f.output.image_size; ++i) {
        ASSERT_EQ(f.output.pixels[i], mul8[f.outgoing.pixels[i]][127]) << i;
    }
    ASSERT_FALSE(compose_transition(TransitionKind::FadeToBlack, f.outgoing, f.incoming, f.output, 0.75));
    for (std::int32_t i = 0; i < f.output.image_size; ++i) {
        ASSERT_EQ(f.output.pixels[i], mul8[f.incoming.pixels[i]][128]) << i;
    }
}

TEST(Crossfade, BlendsByteByByte) {
    FrameBitmap outgoing = filled(5, 3, 200);
    FrameBitmap incoming = filled(5, 3, 100);
    FrameBitmap output = filled(5, 3, 0);
    ASSERT_FALSE(compose_transition(TransitionKind::Crossfade, outgoing, incoming, output, 0.5));
    EXPECT_TRUE(same_bytes(output, filled(5, 3, 150)));  // 200 - mul8[100][128] = 200 - 50
    ASSERT_FALSE(compose_transition(TransitionKind::Crossfade, incoming, outgoing, output, 0.5));
    EXPECT_TRUE(same_bytes(output, filled(5, 3, 150)));  // 100 + mul8[100][128]

    Frames f;
    ASSERT_FALSE(compose_transition(TransitionKind::Crossfade, f.outgoing, f.incoming, f.output, 0.0));
    EXPECT_TRUE(same_bytes(f.output, f.outgoing));
    ASSERT_FALSE(compose_transition(TransitionKind::Crossfade, f.outgoing, f.incoming, f.output, 1.0));
    EXPECT_TRUE(same_bytes(f.output, f.incoming));
}

// Every pair of bytes at every level gives exactly what the mul8 table defines, at any
// position in the frame (so in the sixteen-byte steps and in the bytes left after them).
TEST(Transitions, EveryByteAndLevelFollowsTheTable) {
    // 97 pixels make rows of 292 bytes; the first 65536 bytes of 230 rows hold every
    // pair (a, b).
    const auto a_of = [](std::int32_t i) { return static_cast<std::uint8_t>(i >> 8); };
    const auto b_of = [](std::int32_t i) { return static_cast<std::uint8_t>(i); };
    const FrameBitmap outgoing = make_frame(97, 230, a_of);
    const FrameBitmap incoming = make_frame(97, 230, b_of);
    FrameBitmap output = filled(97, 230, 0);
    ASSERT_GE(output.image_size, 65536);

    for (std::int32_t level = 0; level <= 255; ++level) {
        ASSERT_FALSE(compose_transition(TransitionKind::Crossfade, outgoing, incoming, output, level / 255.0));
        for (std::int32_t i = 0; i < output.image_size; ++i) {
            const std::uint8_t a = outgoing.pixels[i];
            const std::uint8_t b = incoming.pixels[i];
            const std::uint8_t expected = b < a ? a - mul8[a - b][level] : a + mul8[b - a][level];
            ASSERT_EQ(output.pixels[i], expected) << "crossfade " << int(a) << " to " << int(b) << " at " << level;
        }

        // Fading out at level L takes x = (255 - L) / 510, fading in x = 0.5 + L / 510.
        ASSERT_FALSE(
            compose_transition(TransitionKind::FadeToBlack, outgoing, incoming, output, (255 - level) / 510.0));
        for (std::int32_t i = 0; i < output.image_size; ++i) {
            ASSERT_EQ(output.pixels[i], mul8[outgoing.pixels[i]][level]) << "fade out at " << level;
        }
        if (level == 0) continue;
        ASSERT_FALSE(compose_transition(TransitionKind::FadeToBlack, outgoing, incoming, output, 0.5 + level / 510.0));
        for (std::int32_t i = 0; i < output.image_size; ++i) {
            ASSERT_EQ(output.pixels[i], mul8[incoming.pixels[i]][level]) << "fade in at " << level;
        }
    }
}

TEST(Curtain, UncoversTheIncomingFromTheLeftInEveryRow) {
    struct Case {
        double x;
        std::int32_t last_incoming;  // position in the row
    };
    // Rows of 1366 pixels take 4100 bytes.
    const Case cases[] = {{0.0, 0}, {0.5, 2050}, {0.25, 1025}, {0.0004, 0}, {0.0005, 4}, {1.0, 4099}};
    for (const Case& c : cases) {
        Frames f;
        ASSERT_EQ(f.output.stride, 4100);
        ASSERT_FALSE(compose_transition(TransitionKind::Curtain, f.outgoing, f.incoming, f.output, c.x));
        for (std::int32_t i = 0; i < f.output.image_size; ++i) {
            const FrameBitmap& source = i % 4100 <= c.last_incoming ? f.incoming : f.outgoing;
            ASSERT_EQ(f.output.pixels[i], source.pixels[i]) << "x = " << c.x << ", byte " << i;
        }
    }
}

// Composed straight into the window's picture, each step gives the output frame's
// pixels turned top-down into 32-bit ones; rows of 1366 pixels are composed in pieces
// of 1024 and 342, and the curtain's edge falls in either.
TEST(Transitions, IntoTheWindowPictureAsIntoTheOutputFrame) {
    Frames f;
    std::vector<std::uint8_t> shown(4 * 1366 * 6), expected(shown.size());
    MemoryBitmap picture{shown.data(), 1366, 6, 4 * 1366};
    MemoryBitmap expected_picture{expected.data(), 1366, 6, 4 * 1366};
    for (TransitionKind kind : {TransitionKind::FadeToBlack, TransitionKind::Crossfade, TransitionKind::Curtain}) {
        for (double x : {0.2, 0.5, 0.77}) {
            ASSERT_FALSE(compose_transition(kind, f.outgoing, f.incoming, f.output, x));
            ASSERT_FALSE(frame_draw(expected_picture, f.output));
            ASSERT_FALSE(compose_transition(kind, f.outgoing, f.incoming, picture, x));
            EXPECT_EQ(shown, expected) << static_cast<int>(kind) << " at " << x;
        }
    }
    MemoryBitmap narrower{shown.data(), 1365, 6, 4 * 1366};
    EXPECT_TRUE(compose_transition(TransitionKind::Crossfade, f.outgoing, f.incoming, narrower, 0.5));
}

TEST(Transitions, NoneWritesNothingAndMismatchedFramesFail) {
    Frames f;
    for (std::int32_t kind : {0, 4, -1}) {
        EXPECT_FALSE(compose_transition(static_cast<TransitionKind>(kind), f.outgoing, f.incoming, f.output, 0.5));
        EXPECT_TRUE(same_bytes(f.output, filled(1366, 6, 0x5a)));
    }
    const FrameBitmap smaller = filled(1365, 6, 1);
    const FrameBitmap empty;
    for (TransitionKind kind : {TransitionKind::FadeToBlack, TransitionKind::Crossfade, TransitionKind::Curtain}) {
        EXPECT_TRUE(compose_transition(kind, smaller, f.incoming, f.output, 0.5));
        EXPECT_TRUE(compose_transition(kind, f.outgoing, smaller, f.output, 0.5));
        EXPECT_TRUE(compose_transition(kind, f.outgoing, empty, f.output, 0.5));
        FrameBitmap no_output;
        EXPECT_TRUE(compose_transition(kind, empty, empty, no_output, 0.5));
        EXPECT_TRUE(same_bytes(f.output, filled(1366, 6, 0x5a)));
    }
    // A one-pixel frame, and progress outside 0..1 held to it.
    FrameBitmap one_out = filled(1, 1, 10);
    FrameBitmap one_in = filled(1, 1, 250);
    FrameBitmap one = filled(1, 1, 0);
    ASSERT_FALSE(compose_transition(TransitionKind::Crossfade, one_out, one_in, one, 3.0));
    EXPECT_TRUE(same_bytes(one, one_in));
    ASSERT_FALSE(compose_transition(TransitionKind::Curtain, one_out, one_in, one, -2.0));
    EXPECT_EQ(one.pixels[0], 250);  // position 0 of each row is always uncovered
    EXPECT_EQ(one.pixels[1], 10);
}

}  // namespace
}  // namespace lumivane

#include "ui/shell/slide_properties.h"

#include <gtest/gtest.h>

#include "app/app_context.h"
#include "platform/translation.h"
#include "support/recording_ui.h"

namespace lumivane {
namespace {

TEST(SlideProperties, BoxEdgesRoundHalfAwayFromZeroOntoThePreview) {
    // A preview of 257 x 129 at (10, 20): edges are fractions of 256 and 128.
    const PreviewPlace place{10, 20, 257, 129};
    struct Case {
        PanFrame box;
        PreviewBox pixels;
    };
    for (const Case& c : {Case{{0, 0, 0, 1, 1}, {10, 20, 266, 148}},
                          Case{{0, 0.5 / 256, 0.5 / 128, 128.5 / 256, 127.5 / 128}, {11, 21, 139, 148}},
                          Case{{0, -0.5 / 256, -0.5 / 128, 256.5 / 256, 128.5 / 128}, {9, 19, 267, 149}},
                          Case{{0, -0.4 / 256, 0.49 / 128, 0.5, 0.5}, {10, 20, 138, 84}}}) {
        const PreviewBox b = preview_box(c.box, place);
        EXPECT_EQ(b.x0, c.pixels.x0);
        EXPECT_EQ(b.y0, c.pixels.y0);
        EXPECT_EQ(b.x1, c.pixels.x1);
        EXPECT_EQ(b.y1, c.pixels.y1);
    }
}

TEST(SlideProperties, CornersAreHitBeforeTheInsideInTheirOrder) {
    struct Case {
        PreviewBox box;
        int x, y;
        std::int32_t kind;
    };
    // Margin 4; in a box of 6 pixels every corner is near the press, and the top-left wins.
    for (const Case& c : {Case{{10, 10, 100, 80}, 14, 6, drag_top_left}, Case{{10, 10, 100, 80}, 96, 14, drag_top_right},
                          Case{{10, 10, 100, 80}, 104, 84, drag_bottom_right},
                          Case{{10, 10, 100, 80}, 6, 76, drag_bottom_left}, Case{{10, 10, 100, 80}, 100, 50, drag_move},
                          Case{{10, 10, 100, 80}, 101, 50, drag_none}, Case{{10, 10, 16, 16}, 13, 13, drag_top_left},
                          Case{{10, 10, 16, 16}, 17, 13, drag_top_right}}) {
        EXPECT_EQ(box_hit(c.box, c.x, c.y, 4), c.kind) << c.x << "," << c.y;
    }
}

TEST(SlideProperties, APlayedPreviewWalksTheKeyFramesAtTheShowsSpeed) {
    SlideEditor editor;
    editor.work.settings.default_delay = 4.0;
    editor.work.speed_factor = 2.0;
    Slide& slide = editor.work.slides.emplace_back();
    slide.style = SlideStyle::Path;
    slide.frames = {{2.0, 0, 0, 1, 1}, {-1.0, 0, 0, 1, 1}, {0.0, 0, 0, 1, 1}, {6.0, 0, 0, 1, 1}};
    struct Case {
        std::int32_t first;
        double seconds;
        PreviewMoment moment;
    };
    // At twice the speed the key frames last 1, 2, 0 and 3 seconds.
    for (const Case& c : {Case{0, 0.5, {0, 0.5, false}}, Case{0, 1.5, {1, 0.25, false}},
                          Case{0, 3.0, {3, 0.0, false}}, Case{0, 5.99, {3, 0.0, false}}, Case{0, 6.0, {3, 0.0, true}},
                          Case{1, 1.0, {1, 0.5, false}}, Case{3, 2.0, {3, 0.0, false}}}) {
        const PreviewMoment m = preview_moment(editor, c.first, c.seconds);
        EXPECT_EQ(m.key_frame, c.moment.key_frame) << c.first << " " << c.seconds;
        EXPECT_DOUBLE_EQ(m.progress, c.moment.progress) << c.first << " " << c.seconds;
        EXPECT_EQ(m.ended, c.moment.ended) << c.first << " " << c.seconds;
    }
    // A crop slide shows only the key frame it starts at.
    slide.style = SlideStyle::Crop;
    EXPECT_TRUE(preview_moment(editor, 1, 2.0).ended);
    EXPECT_EQ(preview_moment(editor, 1, 1.9).key_frame, 1);
}

// The core's texts reach the user in the translator's language: the delay field shows the
// default as its translated word and takes that word back, and a wrong delay gets its
// message, title and all, translated.
std::u16string german(std::u16string_view english) {
    if (english == u"Default") return u"Standard";
    if (english == u"Illegal delay: %s") return u"Ung\u00fcltige Dauer: %s";
    if (english == u"Error") return u"Fehler";
    return std::u16string(english);
}

TEST(SlideProperties, TheDelayFieldSpeaksTheUsersLanguage) {
    struct EnglishAgain {
        ~EnglishAgain() { Core::set_translator(nullptr); }
    } english_again;
    Core::set_translator(german);
    testing::RecordingUi ui;
    AppContext context{ui};
    SlideEditor editor;
    editor.work.slides.emplace_back().frames = {{2.0, 0, 0, 1, 1}};
    EXPECT_EQ(delay_text({-1.0, 0, 0, 1, 1}), u"Standard");
    for (const char16_t* word : {u"standard", u"STANDARD", u"default"}) {
        editor.box().delay = 2.0;
        EXPECT_FALSE(read_delay(context, editor, word));
        EXPECT_EQ(editor.box().delay, -1.0);
    }
    EXPECT_TRUE(read_delay(context, editor, u"Normal"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, u"Fehler");
    EXPECT_EQ(ui.boxes[0].text, u"Ung\u00fcltige Dauer: Normal");
}

}  // namespace
}  // namespace lumivane

#include "ui/playback_widget.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <filesystem>

#include "app/app_context.h"
#include "app/show_folder.h"
#include "app/show_images.h"
#include "document/show_index.h"
#include "platform/text_encoding.h"
#include "playback/timeline.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::RecordingUi;

// A screen area that does not start at the origin, as a second monitor's would.
const QRect screen(40, 30, 1280, 800);

// A show whose playback windows are the real Qt ones, on a fake clock.
struct QtPlayer {
    RecordingUi ui;
    AppContext context{ui};
    CaptionFonts fonts = make_caption_fonts(12);
    QPointer<PlaybackWidget> widget;

    explicit QtPlayer(QRect area = screen) {
        // The tests look at the processor's picture, even where a display has OpenGL.
        context.drawing = Drawing::Processor;
        ui.playback_window_factory = [this, area] {
            widget = new PlaybackWidget(context, fonts, area);
            return static_cast<PlaybackWindow*>(widget.data());
        };
    }
    ~QtPlayer() { delete widget; }

    void add_slide(std::uint8_t grey, const std::u16string& caption, std::vector<PanFrame> frames) {
        Slide slide;
        slide.caption = caption;
        slide.frames = std::move(frames);
        ImageBuffer image;
        EXPECT_FALSE(image_allocate(image, PixelFormat::Colour8, 160, 90, 72.0));
        for (std::uint8_t* row : image.rows) std::fill(row, row + 480, grey);
        slide.picture = picture_in_memory(std::move(image));
        context.show.slides.push_back(std::move(slide));
    }
    // A shown window of size 5 on one grey slide.
    void show_window() {
        context.show.settings.size = 5;
        add_slide(60, u"a", {{-1, 0, 0, 1, 1}});
        ASSERT_TRUE(ui.create_playback_window());
        widget->show();
    }
    // A shown window of size 5 in Manual mode, on one cropped grey slide.
    void show_manual_mode_window() {
        context.show.settings.size = 5;
        context.show.settings.autorun = AutorunMode::Manual;
        add_slide(60, u"a", {{-1, 0.25, 0.25, 0.75, 0.75}});
        ASSERT_TRUE(ui.create_playback_window());
        widget->show();
    }
    void next_tick() {
        ASSERT_GE(widget->timer_period(), 0);
        ui.clock += widget->timer_period();
        playback_tick(context.player);
    }
};

TEST(PlaybackWidget, SizeAndPlaceFollowTheSetting) {
    QtPlayer p;
    p.context.show.settings.name = u"Holiday";
    p.context.show.settings.size = 0;
    ASSERT_TRUE(p.ui.create_playback_window());
    EXPECT_EQ(p.widget->objectName(), "Run");
    EXPECT_EQ(p.widget->geometry(), screen);
    EXPECT_TRUE(p.widget->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(p.widget->outgoing.width, 1280);
    EXPECT_EQ(p.widget->outgoing.height, 800);
    delete p.widget;
    EXPECT_EQ(p.context.playback.window, nullptr);

    for (std::int32_t size = 1; size <= 8; ++size) {
        p.context.show.settings.size = size;
        ASSERT_TRUE(p.ui.create_playback_window());
        const ClientSize expected = playback_client_size(p.context.show.settings, 1280, 800);
        EXPECT_EQ(p.widget->size(), QSize(expected.width, expected.height)) << size;
        // The whole window, frame included, is centred once it is shown and framed.
        p.widget->show();
        const QRect frame = p.widget->frameGeometry();
        ASSERT_GT(frame.width(), p.widget->width());
        EXPECT_EQ(frame.topLeft(), QPoint(40 + (1280 - frame.width()) / 2, 30 + (800 - frame.height()) / 2)) << size;
        EXPECT_EQ(p.widget->windowTitle(), "Holiday");
        EXPECT_EQ(p.widget->outgoing.width, expected.width);
        EXPECT_EQ(p.widget->incoming.height, expected.height);
        delete p.widget;
    }
}

TEST(PlaybackWidget, PicturesCarryTheirCaptions) {
    QtPlayer p;
    p.context.show.settings.size = 5;
    p.context.show.settings.show_captions = CaptionSize::Medium;
    p.add_slide(60, u"Beach && sea", {{-1, 0, 0, 1, 1}});
    p.add_slide(60, u"", {{-1, 0, 0, 1, 1}});
    ASSERT_TRUE(p.ui.create_playback_window());
    go_to_slide(p.context.player, 0, true);
    const QImage& picture = p.widget->picture();
    const int band_top = picture.height() - 2 * p.fonts.text_heights[1];
    EXPECT_EQ(picture.pixel(picture.width() / 2, band_top), qRgb(128, 128, 128));
    EXPECT_EQ(picture.pixel(picture.width() / 2, band_top - 1), qRgb(60, 60, 60));
    go_to_slide(p.context.player, 1, true);  // an empty caption draws nothing
    EXPECT_EQ(p.widget->picture().pixel(picture.width() / 2, band_top), qRgb(60, 60, 60));
}

TEST(PlaybackWidget, ManualModeDragMovesTheCropBox) {
    QtPlayer p;
    p.show_manual_mode_window();
    const int w = p.widget->width();
    QTest::mousePress(p.widget, Qt::LeftButton, {}, QPoint(w / 2, 100));
    QTest::mouseMove(p.widget, QPoint(w / 2 - 64, 100));
    QTest::mouseRelease(p.widget, Qt::LeftButton, {}, QPoint(w / 2 - 64, 100));
    const PanFrame& box = p.context.show.slides[0].frames[0];
    EXPECT_NEAR(box.left, 0.25 + 64.0 / (w - 1), 1e-9);
    EXPECT_NEAR(box.right, 0.75 + 64.0 / (w - 1), 1e-9);
    EXPECT_EQ(p.context.show.slides[0].style, SlideStyle::Crop);

    QTest::keyClick(p.widget, Qt::Key_F);  // fit to the window
    EXPECT_EQ(p.context.show.slides[0].style, SlideStyle::Fit);
    QTest::keyClick(p.widget, Qt::Key_Escape);
    EXPECT_EQ(p.context.playback.window, nullptr);
}

TEST(PlaybackWidget, StaysOnTopOnlyWhileRunning) {
    QtPlayer p;
    p.show_window();
    const QRect place = p.widget->frameGeometry();
    const auto on_top = [&p] {
        return p.widget->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
               p.widget->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
    };
    run_show(p.context.player);
    EXPECT_TRUE(on_top());
    stop_show(p.context.player, true);  // kept in place: still above the others
    EXPECT_TRUE(on_top());
    QTest::keyClick(p.widget, Qt::Key_Space);
    EXPECT_FALSE(on_top());
    // Neither change hid the window or moved it.
    EXPECT_TRUE(p.widget->isVisible());
    EXPECT_EQ(p.widget->frameGeometry(), place);
}

// Errors told while the show plays lie across the top of the window, the caption's part
// left free, the latest four of them.
TEST(PlaybackWidget, NoticesLieOverTheTopOfTheShow) {
    QtPlayer p;
    p.show_window();
    run_show(p.context.player);
    for (const char* file : {"a", "b", "c", "d", "e"}) p.widget->show_notice(QStringLiteral("Error: ") + file);
    const auto* notice = p.widget->findChild<QLabel*>(QStringLiteral("PlaybackNotice"));
    ASSERT_TRUE(notice && notice->isVisible());
    EXPECT_EQ(notice->text(), "Error: b\nError: c\nError: d\nError: e");
    const QRect window(p.widget->mapToGlobal(QPoint(0, 0)), p.widget->size());
    EXPECT_TRUE(window.contains(notice->geometry()));
    EXPECT_LT(notice->geometry().bottom(), window.center().y());
}

// Runs on the offscreen platform with a plain screen and one of pixel ratio 2 (the test
// "ui_tests_on_two_screens"); elsewhere it is skipped.
TEST(PlaybackWidgetOnTwoScreens, FramesAndPointerFollowTheDevicePixels) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2) GTEST_SKIP() << "needs the two-screen offscreen platform";
    ASSERT_EQ(screens[1]->devicePixelRatio(), 2.0);
    QtPlayer p(screens[1]->geometry());
    p.show_manual_mode_window();
    const int w = p.widget->width();
    const int h = p.widget->height();
    EXPECT_EQ(p.widget->outgoing.width, 2 * w);
    EXPECT_EQ(p.widget->incoming.height, 2 * h);
    EXPECT_EQ(p.widget->picture().size(), QSize(2 * w, 2 * h));

    // A drag of 64 points is 128 device pixels.
    QTest::mousePress(p.widget, Qt::LeftButton, {}, QPoint(w / 2, 100));
    QTest::mouseMove(p.widget, QPoint(w / 2 - 64, 100));
    QTest::mouseRelease(p.widget, Qt::LeftButton, {}, QPoint(w / 2 - 64, 100));
    EXPECT_NEAR(p.context.show.slides[0].frames[0].left, 0.25 + 128.0 / (2 * w - 1), 1e-9);

    // Moved to the plain screen, the window makes its frames and picture again, one
    // device pixel a point, and shows its slide in them.
    p.widget->move(screens[0]->geometry().topLeft() + QPoint(20, 20));
    QCoreApplication::processEvents();
    ASSERT_EQ(p.widget->devicePixelRatioF(), 1.0);
    EXPECT_EQ(p.widget->outgoing.width, w);
    EXPECT_EQ(p.widget->picture().size(), QSize(w, h));
    EXPECT_EQ(p.widget->picture().pixel(w / 2, h / 2), qRgb(60, 60, 60));
}

// The demo show, played for half a minute of fake time in a real window: the pictures
// and captions change as the timeline says.
TEST(PlaybackWidget, PlaysTheDemoShow) {
    testing::TempFolder folder;
    const std::string demo = std::string(LUMIVANE_SOURCE_DIR) + "/resources/demo/index.ssi";
    std::filesystem::copy_file(demo, folder.native_file("index.ssi"));
    for (const auto& entry : std::filesystem::directory_iterator("/usr/share/backgrounds/mate/nature")) {
        std::filesystem::create_symlink(entry.path(), folder.native_file(entry.path().filename().string()));
    }
    QtPlayer p;
    p.context.show.show_folder = folder.path();
    ASSERT_FALSE(read_show(p.context, folder.path(), u"index.ssi"));
    load_show_images(p.context);
    ASSERT_TRUE(p.ui.texts().empty());
    ASSERT_EQ(p.context.show.settings.autorun, AutorunMode::Run);
    p.context.show.settings.size = 6;  // a small window keeps the test quick
    ASSERT_TRUE(p.ui.create_playback_window());
    p.context.playback.from_black = true;
    go_to_slide(p.context.player, 0, true);
    run_show(p.context.player);

    std::vector<int> shown;  // the displayed slide after each tick, without repeats
    std::vector<QImage> pictures;
    const std::int64_t end = p.ui.clock + 30000;
    while (p.ui.clock < end) {
        p.next_tick();
        if (shown.empty() || shown.back() != p.context.playback.displayed_slide) {
            shown.push_back(p.context.playback.displayed_slide);
            pictures.push_back(p.widget->picture());
        }
    }
    // Slides of 4 s (the default), a 3 + 3 s path, a 6 s pan, with 1.5 s crossfades.
    ASSERT_GE(shown.size(), 4u);
    for (std::size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(shown[i], static_cast<int>(i));
    for (std::size_t i = 1; i < pictures.size(); ++i) EXPECT_NE(pictures[i], pictures[i - 1]);
    EXPECT_TRUE(p.context.playback.running);
}

}  // namespace
}  // namespace lumivane

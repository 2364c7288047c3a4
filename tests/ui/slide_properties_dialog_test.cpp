#include "ui/slide_properties_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

#include "app/app_context.h"
#include "support/recording_ui.h"
#include "ui/image_bar.h"

namespace lumivane {
namespace {

using testing::RecordingUi;

// A show of one slide whose 401 x 301 picture is one colour, and the dialog on it at
// 900 x 700.
struct Dialog {
    explicit Dialog(SlideStyle style, std::vector<PanFrame> frames = {{2.0, 0.25, 0.25, 0.75, 0.75}},
                    SlideStyle default_style = SlideStyle::Fit) {
        Slide& slide = context.show.slides.emplace_back();
        slide.style = style;
        slide.frames = std::move(frames);
        slide.caption = u"Dunes";
        EXPECT_FALSE(image_allocate(slide.image, PixelFormat::Colour8, 401, 301, 72.0));
        for (std::uint8_t* row : slide.image.rows) {
            for (int x = 0; x < 401; ++x) std::copy_n(colour, 3, row + 3 * x);
        }
        context.show.settings.default_style = default_style;
        dialog = std::make_unique<SlidePropertiesDialog>(context, nullptr);
        dialog->resize(900, 700);
        dialog->show();
        dialog->grab();  // paints once, which builds the preview
    }
    const Slide& slide() const { return context.show.slides[0]; }
    const PanFrame& box() const { return dialog->editor().box(); }
    PreviewBox pixels() const { return preview_box(box(), dialog->place()); }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QMouseEvent event(type, at, dialog->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton),
                          Qt::NoModifier);
        QApplication::sendEvent(dialog.get(), &event);
    }
    void drag(QPoint from, QPoint to) {
        mouse(QEvent::MouseButtonPress, from);
        mouse(QEvent::MouseMove, to);
        mouse(QEvent::MouseButtonRelease, to);
    }
    void wheel(int delta) {
        const QPoint at(dialog->place().x + 5, dialog->place().y + 5);
        QWheelEvent event(at, dialog->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(dialog.get(), &event);
    }
    // A click on button index of an image bar.
    void click(std::int32_t bar, std::int32_t index) {
        ImageBar* b = dialog->bar(bar);
        const ButtonSquare square = image_bar_button_square(b->grid(), index);
        const QPoint at(1 + square.x + square.size / 2, 1 + square.y + square.size / 2);
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, b->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(b, &event);
        }
    }
    QRgb pixel(int x, int y) const { return dialog->grab().toImage().pixel(x, y); }

    static constexpr std::uint8_t colour[3] = {60, 200, 10};  // blue, green, red
    RecordingUi ui;
    AppContext context{ui};
    std::unique_ptr<SlidePropertiesDialog> dialog;
};

// The picture's colour with the upper bit of each channel inverted, as the box draws it.
constexpr QRgb box_colour = qRgb(10 ^ 128, 200 ^ 128, 60 ^ 128);

TEST(SlidePropertiesDialog, FitSlidesShowNoBoxAndOnlyOwnFitStyleIgnoresTheMouse) {
    struct Case {
        SlideStyle style;
        SlideStyle default_style;
        bool drawn;
        bool reacts;
    };
    for (const Case c : {Case{SlideStyle::Fit, SlideStyle::Crop, false, false},
                         Case{SlideStyle::Default, SlideStyle::Fit, false, true},
                         Case{SlideStyle::Default, SlideStyle::Crop, true, true},
                         Case{SlideStyle::Crop, SlideStyle::Fit, true, true}}) {
        Dialog d(c.style, {{2.0, 0.25, 0.25, 0.75, 0.75}}, c.default_style);
        const PreviewBox b = d.pixels();
        EXPECT_EQ(d.pixel(b.x0, (b.y0 + b.y1) / 2) == box_colour, c.drawn) << static_cast<int>(c.style);
        EXPECT_EQ(d.pixel(b.x0 + 20, b.y0 + 20), qRgb(10, 200, 60));
        const QPoint centre((b.x0 + b.x1) / 2, (b.y0 + b.y1) / 2);
        d.drag(centre, centre + QPoint(15, 0));
        d.wheel(120);
        EXPECT_EQ(d.box().left != 0.25, c.reacts) << static_cast<int>(c.style);
        EXPECT_EQ(d.context.show.modified, c.reacts) << static_cast<int>(c.style);
        EXPECT_EQ(d.dialog->bar(bar_frame_tools)->is_disabled(tool_largest_box), c.style == SlideStyle::Fit);
    }
}

TEST(SlidePropertiesDialog, CornerDragScalesByTheDistanceRatioAndAMoveFollowsThePointer) {
    Dialog d(SlideStyle::Crop);
    const PreviewPlace p = d.dialog->place();
    const PreviewBox b = d.pixels();
    const QPoint centre((b.x0 + b.x1) / 2, (b.y0 + b.y1) / 2);
    // Pressed 2 pixels inside the top-left corner, pulled 30 pixels further out.
    const QPoint press(b.x0 + 2, b.y0 + 2);
    const QPoint to(b.x0 - 28, b.y0 - 28);
    d.drag(press, to);
    const double s = std::hypot(to.x() - centre.x(), to.y() - centre.y()) /
                     std::hypot(press.x() - centre.x(), press.y() - centre.y());
    EXPECT_NEAR(d.box().left, 0.5 - s * 0.25, 1e-12);
    EXPECT_NEAR(d.box().bottom, 0.5 + s * 0.25, 1e-12);
    EXPECT_TRUE(d.context.show.modified);

    const PanFrame before = d.box();
    d.drag(centre, centre + QPoint(-12, 7));
    EXPECT_NEAR(d.box().left, before.left - 12.0 / (p.width - 1), 1e-12);
    EXPECT_NEAR(d.box().top, before.top + 7.0 / (p.height - 1), 1e-12);
    EXPECT_NEAR(d.box().right - d.box().left, before.right - before.left, 1e-12);
}

TEST(SlidePropertiesDialog, WheelAndShiftTakeTheBoxWhereTheRulesAllow) {
    struct Case {
        int delta;
        bool shift;
        double left;
    };
    // Towards the user enlarges by 1.03, away shrinks by 0.97; a move far left stops at
    // the picture's edge unless Shift is held.
    for (const Case c : {Case{-120, false, 0.5 - 1.03 * 0.25}, Case{120, false, 0.5 - 0.97 * 0.25},
                         Case{0, false, 0.0}, Case{0, true, 0.0}}) {
        Dialog d(SlideStyle::Crop);
        d.ui.shift = c.shift;
        if (c.delta != 0) {
            d.wheel(c.delta);
        } else {
            const PreviewBox b = d.pixels();
            const QPoint centre((b.x0 + b.x1) / 2, (b.y0 + b.y1) / 2);
            d.drag(centre, centre - QPoint(300, 0));
        }
        const double left = c.shift ? 0.25 - 300.0 / (d.dialog->place().width - 1) : c.left;
        EXPECT_NEAR(d.box().left, left, 1e-12) << c.delta << c.shift;
    }
}

TEST(SlidePropertiesDialog, InsertingMakesAPathAndDeletingDownToOneFrameACrop) {
    Dialog d(SlideStyle::Crop);
    d.click(bar_frame_tools, tool_insert_after);
    d.click(bar_frame_tools, tool_insert_before);
    EXPECT_EQ(d.dialog->style_list()->currentText(), "Path");
    EXPECT_EQ(d.dialog->editor().slide().frame_count(), 3);
    EXPECT_EQ(d.dialog->frame_label()->text(), "Frame 2");
    EXPECT_TRUE(d.context.show.modified);
    EXPECT_FALSE(d.dialog->bar(bar_previous_frame)->is_disabled(0));
    d.click(bar_frame_tools, tool_delete);
    d.click(bar_frame_tools, tool_delete);
    EXPECT_EQ(d.dialog->style_list()->currentText(), "Crop");
    EXPECT_EQ(d.dialog->frame_label()->text(), "Frame 1");
    EXPECT_TRUE(d.dialog->bar(bar_frame_tools)->is_disabled(tool_delete));
    EXPECT_TRUE(d.dialog->bar(bar_speed)->is_disabled(1));
    delete_frame(d.context, const_cast<SlideEditor&>(d.dialog->editor()));
    EXPECT_EQ(d.ui.texts(), std::vector<std::u16string>{u"Cannot remove the last frame"});
    EXPECT_EQ(d.slide().frame_count(), 1);  // the slide itself waits for OK
}

TEST(SlidePropertiesDialog, TheDelayEditIsReadBeforeEachPressAndAtOk) {
    struct Case {
        const char* text;
        double delay;  // stored after OK; NaN: rejected
    };
    for (const Case c : {Case{"DeFAULT", -1.0}, Case{"", -1.0}, Case{"0", 0.0}, Case{"99999.5", 99999.5},
                         Case{"100000", NAN}, Case{"-1", NAN}, Case{"5s", NAN}}) {
        Dialog d(SlideStyle::Crop);
        d.dialog->delay_edit()->setText(c.text);
        d.click(bar_frame_tools, tool_centre_vertically);
        d.dialog->accept();
        if (std::isnan(c.delay)) {
            EXPECT_EQ(d.ui.texts(), (std::vector<std::u16string>(2, u"Illegal delay: " +
                                                                        QString(c.text).toStdU16String())));
            EXPECT_TRUE(d.dialog->isVisible()) << c.text;
            EXPECT_EQ(d.slide().frames[0].delay, 2.0);
        } else {
            EXPECT_TRUE(d.ui.texts().empty()) << c.text;
            EXPECT_FALSE(d.dialog->isVisible()) << c.text;
            EXPECT_EQ(d.slide().frames[0].delay, c.delay) << c.text;
        }
    }
}

TEST(SlidePropertiesDialog, OkWritesBackOnlyWhatDiffersAndCancelNothing) {
    struct Case {
        const char* caption;
        bool ok;
        bool modified;
    };
    for (const Case c : {Case{"Dunes", true, false}, Case{"Dunes at dusk", true, true},
                         Case{"Dunes at dusk", false, false}}) {
        Dialog d(SlideStyle::Crop);
        d.dialog->caption_edit()->setText(c.caption);
        d.dialog->delay_edit()->setText("2.00");
        c.ok ? d.dialog->accept() : d.dialog->reject();
        EXPECT_EQ(d.context.show.modified, c.modified) << c.caption;
        EXPECT_EQ(d.slide().caption == u"Dunes at dusk", c.modified) << c.caption;
        EXPECT_EQ(d.dialog->result(), c.ok ? QDialog::Accepted : QDialog::Rejected);
    }
}

TEST(SlidePropertiesDialog, LeavingPathAsksBeforeDroppingAllButTheFirstFrame) {
    for (const BoxAnswer answer : {BoxAnswer::Cancel, BoxAnswer::Ok}) {
        Dialog d(SlideStyle::Path, {{1.0, 0, 0, 1, 1}, {2.0, 0.2, 0.2, 0.6, 0.6}, {3.0, 0, 0, 0.5, 0.5}});
        d.click(bar_next_frame, 0);
        d.ui.answers.push_back(answer);
        d.dialog->style_list()->setCurrentIndex(static_cast<int>(SlideStyle::Crop));
        emit d.dialog->style_list()->activated(static_cast<int>(SlideStyle::Crop));
        ASSERT_EQ(d.ui.texts(), std::vector<std::u16string>{u"Changing the style will remove all but the first frame."});
        const bool ok = answer == BoxAnswer::Ok;
        EXPECT_EQ(d.dialog->style_list()->currentText(), ok ? "Crop" : "Path");
        EXPECT_EQ(d.dialog->editor().slide().frame_count(), ok ? 1 : 3);
        EXPECT_EQ(d.dialog->frame_label()->text(), ok ? "Frame 1" : "Frame 2");
        EXPECT_EQ(d.dialog->delay_edit()->text(), ok ? "1.00" : "2.00");
    }
}

TEST(SlidePropertiesDialog, LargestBoxKeepsTheShowsProportionsOrWithShiftHoldsThePicture) {
    // 401 x 301 in a 16 : 9 show: 401 x 225 inside, or 535 x 301 around it.
    for (const bool shift : {false, true}) {
        Dialog d(SlideStyle::Crop);
        d.ui.shift = shift;
        d.click(bar_frame_tools, tool_largest_box);
        const PanFrame& b = d.box();
        EXPECT_DOUBLE_EQ(b.left, shift ? -67.0 / 401 : 0.0);
        EXPECT_DOUBLE_EQ(b.right, shift ? 468.0 / 401 : 1.0);
        EXPECT_DOUBLE_EQ(b.top, shift ? 0.0 : 38.0 / 301);
        EXPECT_DOUBLE_EQ(b.bottom, shift ? 1.0 : 1.0 - 38.0 / 301);
    }
}

TEST(SlidePropertiesDialog, AResizeBuildsThePreviewAgainForTheNewSize) {
    Dialog d(SlideStyle::Crop);
    const DialogMetrics m = d.dialog->metrics();
    for (const QSize size : {QSize(1200, 700), QSize(900, 1000)}) {
        d.dialog->resize(size);
        d.dialog->grab();
        // The picture fitted into the area below the controls, less 16, halved.
        const int area = size.height() - 3 * m.margin - 2 * m.line_height;
        const int fitted_height = std::min(size.width() * 301 / 401, area);
        const int fitted_width = fitted_height == area ? area * 401 / 301 : size.width();
        EXPECT_EQ(d.dialog->preview().width, (fitted_width - 16) / 2);
        EXPECT_EQ(d.dialog->preview().height, (fitted_height - 16) / 2);
        const PreviewPlace p = d.dialog->place();
        EXPECT_EQ(p.x, (size.width() - 2 * m.margin - p.width) / 2 + m.margin);
        EXPECT_EQ(d.pixel(p.x + 3, p.y + 3), qRgb(10, 200, 60));
        EXPECT_EQ(d.pixel(p.x - 1, p.y + 3), qRgb(128, 128, 128));
    }
}

TEST(SlidePropertiesDialog, PreviewPlaysThePathAtTheShowsTimingUntilAPress) {
    Dialog d(SlideStyle::Path, {{1.0, 0, 0, 1, 1}, {-1.0, 0.25, 0.25, 0.75, 0.75}});
    for (const bool pressed : {false, true}) {
        d.ui.clock = 1000;
        d.dialog->preview_button()->click();
        ASSERT_TRUE(d.dialog->playing());
        d.ui.clock = 6999;  // key frame 0 lasts 1 s, the last one rests for the default 5 s
        QTest::qWait(40);
        EXPECT_TRUE(d.dialog->playing());
        if (pressed) {
            const QPoint at(d.dialog->place().x + 1, d.dialog->place().y + 1);
            d.drag(at, at + QPoint(20, 20));  // the press stops the preview and does nothing else
            EXPECT_EQ(d.box().left, 0.0);
        } else {
            d.ui.clock = 7001;
            QTest::qWait(40);
        }
        EXPECT_FALSE(d.dialog->playing());
    }
}

}  // namespace
}  // namespace lumivane

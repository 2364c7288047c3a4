#include "ui/image_bar.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

#include "support/recording_ui.h"
#include "support/temp_folder.h"
#include "ui/accessible_controls.h"
#include "ui/popup_help.h"

namespace lumivane {
namespace {

using testing::RecordingUi;
using testing::TempFolder;

// Three buttons of 30 in a row, at (10, 10) in a shown parent; presses are recorded.
struct Bar {
    explicit Bar(std::int32_t mode, std::vector<std::u16string> bitmaps = {u"Run.bmp", u"Pause.bmp", u"Prev.bmp"}) {
        parent.resize(400, 200);
        parent.show();
        ImageBarParameters parameters;
        parameters.mode = mode;
        parameters.button_size = 30;
        parameters.columns = 3;
        parameters.rows = 1;
        parameters.bitmaps = std::move(bitmaps);
        parameters.popups = {u"Run slide show", u"Pause slide show", u"Show previous image"};
        parameters.parent = &parent;
        parameters.identifier = 1009;
        parameters.notify = [this](std::int32_t id, std::int32_t index) { presses.emplace_back(id, index); };
        bar = new ImageBar(10, 10, parameters, ui, settings.path());
    }
    // The centre of button index, in the bar.
    QPoint centre(int index) const {
        const ButtonSquare square = image_bar_button_square(bar->grid(), index);
        return {1 + square.x + square.size / 2, 1 + square.y + square.size / 2};
    }
    void send(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QMouseEvent event(type, at, bar->mapToGlobal(at), button, type == QEvent::MouseMove ? Qt::NoButton : button,
                          Qt::NoModifier);
        QApplication::sendEvent(bar, &event);
    }
    QRgb pixel(int x, int y) const { return bar->grab().toImage().pixel(x, y); }

    RecordingUi ui;
    TempFolder settings;
    QWidget parent;
    ImageBar* bar = nullptr;
    std::vector<std::pair<std::int32_t, std::int32_t>> presses;
};

TEST(ImageBar, RadioGroupChecksThePressedButtonAloneAndIgnoresDisabledOnes) {
    Bar b(image_bar_radio);
    EXPECT_EQ(b.bar->size(), QSize(107, 37));
    EXPECT_TRUE(b.ui.texts().empty());
    EXPECT_TRUE(b.bar->is_checked(0));
    b.bar->set_disabled(1, true);
    b.send(QEvent::MouseButtonPress, b.centre(2));
    b.send(QEvent::MouseButtonPress, b.centre(1));  // disabled
    b.send(QEvent::MouseButtonPress, b.centre(0), Qt::RightButton);
    EXPECT_EQ(b.presses, (std::vector<std::pair<std::int32_t, std::int32_t>>{{1009, 2}}));
    EXPECT_EQ(b.bar->pressed_index(), 1);
    EXPECT_FALSE(b.bar->is_checked(0));
    EXPECT_FALSE(b.bar->is_checked(1));
    EXPECT_TRUE(b.bar->is_checked(2));

    // Button 2 pressed in, button 0 raised, button 1 washed out, separators black.
    const ButtonSquare two = image_bar_button_square(b.bar->grid(), 2);
    EXPECT_EQ(b.pixel(1 + two.x - 1, 1 + two.y - 1), qRgb(160, 0, 0));
    EXPECT_EQ(b.pixel(1 + two.x + 31, 1 + two.y + 31), qRgb(224, 32, 32));
    EXPECT_EQ(b.pixel(1 + 2 - 2, 1 + 2 - 2), qRgb(224, 224, 224));
    EXPECT_EQ(b.pixel(1 + 2 + 31, 1 + 2 + 31), qRgb(160, 160, 160));
    EXPECT_EQ(b.pixel(1 + image_bar_separator(b.bar->grid(), 1), 20), qRgb(0, 0, 0));
    const QImage shot = b.bar->grab().toImage();
    const ButtonSquare one = image_bar_button_square(b.bar->grid(), 1);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) ASSERT_GE(qGray(shot.pixel(1 + one.x + x, 1 + one.y + y)), 150) << x << "," << y;
    }
}

TEST(ImageBar, HelpAfterRestingEvenOnADisabledButtonGoneAfterFiveSecondsOrAPress) {
    Bar b(image_bar_plain);
    b.bar->set_disabled(1, true);
    QCursor::setPos(b.bar->mapToGlobal(b.centre(1)));
    b.send(QEvent::MouseMove, b.centre(1));
    EXPECT_EQ(b.bar->hover_index(), 1);
    EXPECT_TRUE(b.bar->timer_running(image_bar_rest_timer));
    EXPECT_EQ(popup_help_window(), nullptr);
    b.bar->timer_elapsed(image_bar_rest_timer);
    ASSERT_NE(popup_help_window(), nullptr);
    EXPECT_EQ(popup_help_window()->parentWidget(), &b.parent);
    EXPECT_FALSE(b.bar->timer_running(image_bar_rest_timer));
    EXPECT_TRUE(b.bar->timer_running(image_bar_popup_timer));
    b.send(QEvent::MouseMove, b.centre(1) + QPoint(1, 1));  // the same button: nothing changes
    EXPECT_NE(popup_help_window(), nullptr);
    b.bar->timer_elapsed(image_bar_popup_timer);
    EXPECT_EQ(popup_help_window(), nullptr);
    EXPECT_EQ(b.bar->hover_index(), -1);

    b.send(QEvent::MouseMove, b.centre(0));
    b.bar->timer_elapsed(image_bar_rest_timer);
    ASSERT_NE(popup_help_window(), nullptr);
    b.send(QEvent::MouseButtonPress, b.centre(0));
    EXPECT_EQ(popup_help_window(), nullptr);
    EXPECT_FALSE(b.bar->timer_running(image_bar_popup_timer));

    b.send(QEvent::MouseMove, b.centre(2));
    b.send(QEvent::MouseMove, QPoint(1, 1));  // on the bevel, over no button
    EXPECT_EQ(b.bar->hover_index(), -1);
    EXPECT_FALSE(b.bar->timer_running(image_bar_rest_timer));
    EXPECT_EQ(b.presses, (std::vector<std::pair<std::int32_t, std::int32_t>>{{1009, 0}}));
}

// Moving from the button straight onto its popup leaves the button, which removes the
// popup while the window system's move still has to enter it.
TEST(ImageBar, ThePointerMovingOntoThePopupRemovesItSafely) {
    Bar b(image_bar_plain);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&b.parent));
    for (int button = 0; button < 3; ++button) {
        const QPoint on_button = b.bar->pos() + b.centre(button);
        QCursor::setPos(b.parent.mapToGlobal(on_button));  // where the popup opens
        QTest::mouseMove(b.parent.windowHandle(), on_button);
        ASSERT_EQ(b.bar->hover_index(), button);
        b.bar->timer_elapsed(image_bar_rest_timer);
        const QPointer<QWidget> popup = popup_help_window();
        ASSERT_NE(popup, nullptr);
        QTest::mouseMove(b.parent.windowHandle(), popup->geometry().center());
        EXPECT_EQ(popup_help_window(), nullptr) << button;
        EXPECT_EQ(b.bar->hover_index(), -1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(popup, nullptr);
    }
}

TEST(ImageBar, AMissingPictureIsReportedAndLeavesItsButtonBlank) {
    Bar b(image_bar_plain, {u"Run.bmp", u"Nothing.bmp", u"Prev.bmp"});
    ASSERT_EQ(b.ui.texts().size(), 1u);
    EXPECT_NE(b.ui.texts()[0].find(u"Error loading bitmap file: "), std::u16string::npos);
    EXPECT_EQ(b.pixel(b.centre(1).x(), b.centre(1).y()), qRgb(192, 192, 192));
    EXPECT_NE(b.pixel(b.centre(0).x(), b.centre(0).y()), qRgb(192, 192, 192));
}

// What a screen reader finds: a tool bar of buttons named by their popup help, with
// their pressed and disabled states, which it can press.
TEST(ImageBar, TellsAssistiveToolsItsButtonsAndTheirStates) {
    install_accessible_controls();
    Bar b(image_bar_radio);
    b.bar->set_disabled(2, true);
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(b.bar);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->role(), QAccessible::ToolBar);
    ASSERT_EQ(bar->childCount(), 3);
    const char* names[] = {"Run slide show", "Pause slide show", "Show previous image"};
    for (int i = 0; i < 3; ++i) {
        QAccessibleInterface* button = bar->child(i);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(QAccessible::Name), names[i]);
        EXPECT_EQ(button->role(), QAccessible::Button);
        EXPECT_EQ(button->state().pressed, i == 0) << i;  // a radio group starts with its first
        EXPECT_EQ(button->state().disabled, i == 2) << i;
        EXPECT_EQ(bar->indexOfChild(button), i);
        EXPECT_EQ(button->parent(), bar);
        EXPECT_EQ(bar->childAt(b.bar->mapToGlobal(b.centre(i)).x(), b.bar->mapToGlobal(b.centre(i)).y()), button);
        EXPECT_TRUE(button->rect().contains(b.bar->mapToGlobal(b.centre(i))));
    }
    // Pressing through the interface does what a click does, and nothing on a disabled button.
    for (const int i : {1, 2}) bar->child(i)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(b.presses, (std::vector<std::pair<std::int32_t, std::int32_t>>{{1009, 1}}));
    EXPECT_TRUE(bar->child(1)->state().checked);
    EXPECT_FALSE(bar->child(0)->state().pressed);
}

}  // namespace
}  // namespace lumivane

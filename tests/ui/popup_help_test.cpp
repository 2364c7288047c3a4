#include "ui/popup_help.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QImage>
#include <QToolTip>

namespace lumivane {
namespace {

InterfaceFont font_record() {
    InterfaceFont font;
    font.font = interface_face(16);
    font.text_height = 16;
    font.line_height = 24;
    font.margin = 6;
    return font;
}

TEST(PopupHelp, OpensTwoTextHeightsBelowThePointerAndStaysInsideTheParent) {
    // Text 100 wide: the popup is 112 x 28 in a 400 x 300 client area.
    struct Case {
        QPoint pointer;
        QRect expected;
    };
    const Case cases[] = {
        {{10, 10}, {10, 42, 112, 28}},
        {{288, 10}, {288, 42, 112, 28}},    // just fits at the right edge
        {{289, 10}, {284, 42, 112, 28}},    // would pass it: 4 pixels inside
        {{10, 240}, {10, 272, 112, 28}},    // just fits at the bottom
        {{10, 241}, {10, 268, 112, 28}},    // would pass it: 4 pixels inside
        {{399, 299}, {284, 268, 112, 28}},  // both
    };
    for (const Case& c : cases) {
        EXPECT_EQ(popup_help_rect(c.pointer, 400, 300, 100, font_record()), c.expected)
            << c.pointer.x() << "," << c.pointer.y();
    }
}

TEST(PopupHelp, OneAtATimeForTextsOfOneToAHundredCharacters) {
    QWidget parent;
    parent.resize(600, 400);
    parent.show();
    QCursor::setPos(parent.mapToGlobal(QPoint(50, 50)));

    show_popup_help(QString(101, u'x'), &parent, font_record());
    EXPECT_EQ(popup_help_window(), nullptr);
    show_popup_help(QString(), &parent, font_record());
    EXPECT_EQ(popup_help_window(), nullptr);

    show_popup_help(QString(100, u'x'), &parent, font_record());
    QWidget* first = popup_help_window();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->parentWidget(), &parent);
    EXPECT_TRUE(first->isVisible());
    show_popup_help(QStringLiteral("Run & stop"), &parent, font_record());
    ASSERT_NE(popup_help_window(), nullptr);
    EXPECT_FALSE(first->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(parent.findChildren<QWidget*>().size(), 1);  // the first one is gone

    const QImage picture = popup_help_window()->grab().toImage();
    EXPECT_EQ(picture.pixel(1, 1), QToolTip::palette().color(QPalette::ToolTipBase).rgb());  // the desktop's tool tip
    bool has_text = false;
    for (int x = 0; x < picture.width(); ++x) has_text |= qGray(picture.pixel(x, picture.height() / 2)) < 100;
    EXPECT_TRUE(has_text);

    remove_popup_help();
    EXPECT_EQ(popup_help_window(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(parent.findChildren<QWidget*>().empty());
}

}  // namespace
}  // namespace lumivane

#include "ui/status_window.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QToolTip>

namespace lumivane {
namespace {

TEST(StatusWindow, NestedShowsKeepTheTextUntilItIsSetAndCloseWithTheBalancingHide) {
    QWidget main;
    main.setGeometry(100, 100, 800, 600);
    main.show();
    StatusWindow status;
    status.show(QStringLiteral("Loading image files"), &main);
    ASSERT_TRUE(status.visible());
    EXPECT_EQ(status.window()->windowTitle(), "Status");
    EXPECT_EQ(status.window()->parentWidget(), &main);
    const QRect first = status.window()->geometry();

    status.show(QStringLiteral("Reading file: /photos/a.jpg"), &main);
    EXPECT_EQ(status.text(), "Loading image files");
    status.set_text(QStringLiteral("Reading file: /photos/a much longer name.jpg"));
    EXPECT_EQ(status.text(), "Reading file: /photos/a much longer name.jpg");
    // Sized to its text, and centred over the main window again.
    const QRect second = status.window()->geometry();
    EXPECT_GT(second.width(), first.width());
    EXPECT_EQ(second.height(), first.height());
    EXPECT_LE(std::abs(second.center().x() - main.geometry().center().x()), 1);
    EXPECT_LE(std::abs(second.center().y() - main.geometry().center().y()), 1);
    EXPECT_EQ(status.window()->grab().toImage().pixel(1, 1), QToolTip::palette().color(QPalette::ToolTipBase).rgb());

    status.hide();
    EXPECT_TRUE(status.visible());
    status.hide();
    EXPECT_FALSE(status.visible());
    EXPECT_TRUE(main.findChildren<QWidget*>().empty());
    status.hide();  // one too many does no harm
    EXPECT_FALSE(status.visible());
}

}  // namespace
}  // namespace lumivane

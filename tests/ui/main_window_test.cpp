#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QUrl>

#include "app/app_context.h"
#include "support/recording_ui.h"
#include "ui/shell/main_window_commands.h"
#include "ui/window_placement.h"

namespace lumivane {
namespace {

using testing::RecordingUi;

struct Window {
    RecordingUi ui;
    AppContext context{ui};
    MainWindow window{context, ui};
};

TEST(MainWindow, MenuBarTextsAndIdentifiers) {
    Window w;
    const std::vector<std::pair<QString, std::vector<std::pair<QString, int>>>> expected = {
        {"&File",
         {{"New Slide Show...", 1000}, {"", 0}, {"Open Slide Show...", 1001}, {"Open Slide Show Folder...", 1002},
          {"Create Slide Show from Folder...", 1003}, {"Add Image Files...", 1004}, {"", 0},
          {"Save Slide Show As...Ctrl-S", 1005}, {"Export Video...", 1009}, {"", 0}, {"Slide Show Properties...", 1006}, {"", 0},
          {"Preferences...", 1007}, {"", 0}, {"Exit\tCtrl-Q", 1008}}},
        {"&Edit",
         {{"Copy Slides", 1100}, {"Cut Slides", 1101}, {"Paste Slides Before", 1102}, {"Paste Slides After", 1103},
          {"", 0}, {"Slide Properties...", 1104}}},
        {"Help", {{"Open Help File", 1200}, {"", 0}, {"Check for &Updates", 1201}, {"", 0}, {"About Lumivane", 1202}}},
    };
    const QList<QAction*> menus = w.window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(menus[m]->text(), expected[m].first);
        std::vector<std::pair<QString, int>> items;
        for (QAction* a : menus[m]->menu()->actions()) items.emplace_back(a->text(), a->isSeparator() ? 0 : a->data().toInt());
        EXPECT_EQ(items, expected[m].second) << m;
    }
}

TEST(MainWindow, FileMenuListsRecentShowsAndGreysItems) {
    Window w;
    w.context.recent_files[0] = u"/photos/Tom & Jerry/index.ssi";
    w.context.recent_files[1] = u"/photos/b.ssi";
    QMenu* file = w.window.menuBar()->actions()[0]->menu();
    w.window.prepare_menu(file);
    w.window.prepare_menu(file);  // opening again does not add them twice
    const QList<QAction*> actions = file->actions();
    ASSERT_EQ(actions.size(), 17);
    EXPECT_EQ(actions[15]->text(), "1: /photos/Tom && Jerry/index.ssi");
    EXPECT_EQ(actions[16]->data().toInt(), 1051);
    EXPECT_FALSE(w.window.command_action(command_new_show)->isEnabled());  // no slides
    EXPECT_FALSE(w.window.command_action(command_export_video)->isEnabled());
    EXPECT_TRUE(w.window.command_action(command_open_show)->isEnabled());
    EXPECT_TRUE(w.window.command_action(command_show_properties)->isEnabled());
}

TEST(MainWindow, EscWithAModifiedShowAndCancelKeepsRunning) {
    Window w;
    w.window.show();
    w.context.show.modified = true;
    QTest::keyClick(&w.window, Qt::Key_Escape);
    EXPECT_EQ(w.ui.main_window_close_requests, 1);
    w.ui.answers = {BoxAnswer::Cancel};
    EXPECT_FALSE(w.window.close());  // what the close request does
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_EQ(w.ui.texts(), std::vector<std::u16string>({u"Save modified slide show settings?"}));
}

TEST(MainWindow, ExitMenuEntryAndKeysRunTheirCommands) {
    Window w;
    w.window.show();
    QApplication::setActiveWindow(&w.window);
    w.window.command_action(command_exit)->trigger();
    EXPECT_EQ(w.ui.main_window_close_requests, 1);
    QTest::keyClick(&w.window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(w.ui.main_window_close_requests, 2);
}

TEST(MainWindow, DroppedFilesInTheirOrder) {
    // As a file manager sends them: the names' bytes percent-encoded, a Latin-1 one included.
    const QList<QUrl> urls = {QUrl::fromLocalFile("/p/b.jpg"), QUrl("https://example.invalid/x.jpg"),
                              QUrl::fromLocalFile("/p/a b 100%.jpg"), QUrl::fromEncoded("file:///p/Caf%E9.jpg"),
                              QUrl::fromEncoded("file:///p/quote%E2%80%B4name.jpg")};
    EXPECT_EQ(MainWindow::dropped_paths(urls), std::vector<std::u16string>({u"/p/b.jpg", u"/p/a b 100%.jpg",
                                                                            u"/p/Caf\xDCE9.jpg", u"/p/quote\u2034name.jpg"}));
}

// A normal window keeps its title bar on the screen, below the room the window manager
// needs for it, and a maximised one stays maximised wherever it is.
TEST(WindowPlacement, RestorePlans) {
    const std::vector<ScreenArea> screens = {{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1040)},
                                             {QRect(1920, 0, 1280, 1024), QRect(1920, 30, 1280, 994)}};
    // Three quarters of the first work area, centred below the room for the title bar.
    const QRect first_run(240, 150, 1440, 780);
    struct Case {
        WindowPlacement placement;
        bool maximised;
        QRect geometry;
    };
    const Case cases[] = {
        {{}, true, first_run},
        {{44, 0, show_normal, 0, 0, 0, 0, 100, 50, 900, 650}, false, QRect(100, 50, 800, 600)},
        {{44, 0, show_minimised, 0, 0, 0, 0, 100, 50, 900, 650}, false, QRect(100, 50, 800, 600)},
        {{44, 0, show_maximised, 0, 0, 0, 0, 100, 50, 900, 650}, true, QRect(100, 50, 800, 600)},
        {{44, 0, show_maximised, 0, 0, 0, 0, 2000, 100, 2800, 700}, true, QRect(2000, 100, 800, 600)},
        {{44, 0, show_normal, 0, 0, 0, 0, 5000, 100, 5800, 700}, false, QRect(2400, 100, 800, 600)},  // gone monitor
        {{44, 0, show_normal, 0, 0, 0, 0, 100, 50, 100, 650}, true, first_run},  // empty rectangle
        {{44, 0, show_normal, 0, 0, 0, 0, 100, 10, 900, 610}, false, QRect(100, 40, 800, 600)},  // title bar above
        {{44, 0, show_normal, 0, 0, 0, 0, 2000, 0, 2800, 600}, false, QRect(2000, 70, 800, 600)},
        // The whole work area, as an earlier first run stored it: no room for a title bar.
        {{44, 0, show_maximised, 0, 0, 0, 0, 0, 0, 1920, 1040}, true, first_run},
        {{44, 0, show_normal, 0, 0, 0, 0, 0, 0, 1920, 1040}, false, first_run},
        {{44, 0, show_normal, 0, 0, 0, 0, 1920, 30, 3200, 1024}, false, QRect(2080, 174, 960, 745)},
    };
    for (const Case& c : cases) {
        const PlacementPlan plan = placement_plan(c.placement, screens);
        EXPECT_EQ(plan.maximised, c.maximised) << c.placement.normal_left << " " << c.placement.normal_top;
        EXPECT_EQ(plan.geometry, c.geometry) << c.placement.normal_left << " " << c.placement.normal_top;
    }
}

TEST(WindowPlacement, PopupsStayOnTheirMonitor) {
    const QRect work(0, 0, 1920, 1040);
    EXPECT_EQ(kept_on_monitor(QRect(300, 890, 400, 200), work, 6), QPoint(300, 834));  // 50 below: up 50 + M
    EXPECT_EQ(kept_on_monitor(QRect(-30, -20, 400, 200), work, 6), QPoint(6, 6));
    EXPECT_EQ(kept_on_monitor(QRect(1800, 10, 400, 200), work, 6), QPoint(1514, 10));
    EXPECT_EQ(fitted_in_work_area(QPoint(1700, 900), 400, 200, work), QPoint(1516, 836));
    EXPECT_EQ(fitted_in_work_area(QPoint(-5, -5), 400, 200, work), QPoint(4, 4));
    EXPECT_EQ(centred_over(QRect(0, 0, 301, 101), QRect(100, 100, 800, 600), 5, -5), QPoint(354, 344));
}

}  // namespace
}  // namespace lumivane

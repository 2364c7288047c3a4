#include "ui/thumbnail_grid.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "app/app_context.h"
#include "app/show_folder.h"
#include "app/show_images.h"
#include "document/show_index.h"
#include "playback/timeline.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"
#include "ui/accessible_controls.h"
#include "ui/image_bar.h"
#include "ui/main_window.h"
#include "ui/qt_user_interface.h"

namespace lumivane {
namespace {

using testing::RecordingUi;
using testing::TempFolder;

struct Window {
    RecordingUi ui;
    AppContext context{ui};
    MainWindow window{context, ui};
    ThumbnailGrid& grid = *window.grid();

    void send(QEvent::Type type, QPoint at, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, grid.mapToGlobal(at), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, keys);
        QApplication::sendEvent(&grid, &event);
    }
    // The centre of the cell of slide index with the view at the top.
    QPoint centre(int index) const {
        const GridArea a = grid.area();
        const int k = grid_columns(a);
        return {a.left + (index % k) * grid_cell_size + 100, a.top + (index / k) * grid_cell_size + 100};
    }
};

TEST(ThumbnailGrid, DrawsTheDemoShowInItsColours) {
    TempFolder folder;
    std::filesystem::copy_file(std::string(LUMIVANE_SOURCE_DIR) + "/resources/demo/index.ssi",
                               folder.native_file("index.ssi"));
    for (const auto& entry : std::filesystem::directory_iterator("/usr/share/backgrounds/mate/nature")) {
        std::filesystem::create_symlink(entry.path(), folder.native_file(entry.path().filename().string()));
    }
    Window w;
    const InterfaceFont& font = w.grid.interface_font();
    EXPECT_EQ(w.context.thumbnail_margin, font.margin);  // the loader's margin is the window's
    w.context.show.show_folder = folder.path();
    ASSERT_FALSE(read_show(w.context, folder.path(), u"index.ssi"));
    load_show_images(w.context);
    ASSERT_TRUE(w.ui.texts().empty());
    w.context.show.slides[2].selected = true;
    w.window.resize(1000, 700);
    w.window.show();
    w.window.update_layout();
    const QImage shot = w.grid.grab().toImage();

    // Run (button 0) raised; Paste Before (button 8) washed out, as the clipboard is empty.
    const ImageBar& bar = *w.grid.tool_bar();
    EXPECT_EQ(bar.pos(), QPoint(font.margin, font.margin));
    EXPECT_EQ(bar.height(), font.line_height + 7);
    const QPoint run = bar.pos() + QPoint(1 + 2, 1 + 2);
    EXPECT_EQ(shot.pixel(run - QPoint(1, 1)), qRgb(224, 224, 224));
    EXPECT_EQ(shot.pixel(run + QPoint(font.line_height + 1, font.line_height + 1)), qRgb(160, 160, 160));
    EXPECT_FALSE(bar.is_disabled(0));
    EXPECT_TRUE(bar.is_disabled(8));

    // Frames: the displayed slide white, a selected one light grey, the others dark grey;
    // the photograph inside.
    const GridArea a = w.grid.area();
    EXPECT_EQ(a.top, 3 * font.margin + bar.height());
    const QRgb frames[] = {qRgb(255, 255, 255), qRgb(64, 64, 64), qRgb(192, 192, 192)};
    for (int i = 0; i < 3; ++i) {
        const QPoint corner(a.left + i * grid_cell_size + 1, a.top + 1);
        EXPECT_EQ(shot.pixel(corner), frames[i]) << i;
        EXPECT_EQ(shot.pixel(corner + QPoint(font.margin - 2, 100)), frames[i]) << i;
        EXPECT_NE(shot.pixel(w.centre(i)), frames[i]) << i;
    }
    EXPECT_FALSE(w.grid.scroll_bar()->isVisible());  // 8 slides: all fit
}

TEST(ThumbnailGrid, DraggingShowsTheDropBarOnlyWhereTheSlideWouldMove) {
    Window w;
    w.context.show.slides.resize(7);
    w.window.resize(1000, 700);
    w.window.show();
    w.window.update_layout();
    w.send(QEvent::MouseButtonPress, w.centre(2));
    EXPECT_EQ(w.context.current_slide, 2);
    EXPECT_TRUE(w.grid.drag().active);
    const auto red_at = [&](int index) {
        const QPoint edge = w.centre(index) - QPoint(100, 0);
        return w.grid.grab().toImage().pixel(edge) == qRgb(255, 0, 0);
    };
    w.send(QEvent::MouseMove, w.centre(2));
    EXPECT_EQ(w.grid.drag().drop, -1);
    w.send(QEvent::MouseMove, w.centre(3));
    EXPECT_EQ(w.grid.drag().drop, -1);
    EXPECT_FALSE(red_at(3));
    w.send(QEvent::MouseMove, w.centre(5));
    EXPECT_EQ(w.grid.drag().drop, 5);
    EXPECT_TRUE(red_at(5));
    w.send(QEvent::MouseMove, w.centre(3));
    w.send(QEvent::MouseButtonRelease, w.centre(3));
    EXPECT_FALSE(w.grid.drag().active);
    EXPECT_EQ(w.context.current_slide, 2);
}

// In a scrolled grid the view moves only to a new current slide. A Shift or Ctrl pressed
// before a click, and the selection the click makes, leave the slides under the pointer
// where they are, in the program's own chain of refreshes (a key stops the playback,
// which refreshes the main window).
TEST(ThumbnailGrid, OnlyANewCurrentSlideScrollsTheView) {
    struct Program {
        QtUserInterface ui;
        AppContext context{ui};
        MainWindow window{context, ui};
        ThumbnailGrid& grid = *window.grid();
        void key(Qt::Key key, Qt::KeyboardModifiers keys) {
            QKeyEvent press(QEvent::KeyPress, key, keys);
            QApplication::sendEvent(&window, &press);
        }
        void click(int index, Qt::KeyboardModifiers keys) {
            const GridArea a = grid.area();
            const int k = grid_columns(a);
            const QPoint p(a.left + index % k * grid_cell_size + 100,
                           a.top + (index / k - grid.scroll().position) * grid_cell_size + 100);
            for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                QMouseEvent event(type, p, grid.mapToGlobal(p), Qt::LeftButton,
                                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, keys);
                QApplication::sendEvent(&grid, &event);
            }
        }
    };
    struct Case {
        const char* gesture;
        std::function<void(Program&, int aimed)> act;  // aimed: the second slide in view
        bool at_end;                                     // the view ends at the last row
        int current;                                     // -1: the aimed slide
        std::vector<int> selected;                       // from the aimed slide on
    };
    const Case cases[] = {
        {"Shift", [](Program& p, int) { p.key(Qt::Key_Shift, Qt::ShiftModifier); }, false, 0, {}},
        {"Ctrl-click", [](Program& p, int aimed) { p.click(aimed, Qt::ControlModifier); }, false, 0, {0}},
        {"click, Shift-click", [](Program& p, int aimed) {
             p.click(aimed, Qt::NoModifier);
             p.key(Qt::Key_Shift, Qt::ShiftModifier);
             p.click(aimed + 1, Qt::ShiftModifier);
         }, false, -1, {0, 1}},
        {"End", [](Program& p, int) { p.key(Qt::Key_End, Qt::NoModifier); }, true, 99, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gesture);
        Program p;
        p.ui.attach(p.context);
        p.ui.set_main_window(&p.window);
        p.context.show.slides.resize(100);
        p.window.resize(1000, 700);
        p.window.show();
        p.ui.create_playback_window();
        go_to_slide(p.context.player, 0, true);
        p.grid.scroll_bar()->setValue(10);
        const int aimed = 10 * grid_columns(p.grid.area()) + 1;
        c.act(p, aimed);
        EXPECT_EQ(p.grid.scroll().position, c.at_end ? p.grid.scroll().maximum : 10);
        EXPECT_EQ(p.context.current_slide, c.current < 0 ? aimed : c.current);
        for (int i = 0; i < p.context.show.slide_count(); ++i) {
            const bool aimed_at = std::count(c.selected.begin(), c.selected.end(), i - aimed) > 0;
            EXPECT_EQ(p.context.show.slides[static_cast<std::size_t>(i)].selected, aimed_at) << i;
        }
        p.ui.destroy_playback_window();
    }
}

// What a screen reader finds: a list with a cell for each slide, named by its number
// and caption, with its states, and a focus cell that keys move and draw.
TEST(ThumbnailGrid, TellsAssistiveToolsItsCellsAndTheKeysMoveTheFocus) {
    install_accessible_controls();
    Window w;
    w.context.show.slides.resize(3);
    w.context.show.slides[0].caption = u"Harbour at dawn";
    w.context.show.slides[1].file = u"IMG_0002.jpg";  // no caption: the file's name
    w.context.show.slides[2].caption = u"Gulls &&\nterns";  // as the playback shows it, on one line
    w.context.show.slides[2].selected = true;
    w.context.current_slide = 1;
    w.window.resize(1000, 700);
    w.window.show();
    QApplication::setActiveWindow(&w.window);
    w.grid.setFocus();
    w.window.update_layout();
    ASSERT_TRUE(w.grid.hasFocus());

    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&w.grid);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    const int first = accessible_cell_child(w.grid, 0);
    ASSERT_EQ(list->childCount(), first + 3);
    EXPECT_EQ(list->child(first - 1)->role(), QAccessible::ScrollBar);  // the grid's own widgets come first
    const char* names[] = {"Slide 1: Harbour at dawn", "Slide 2: IMG_0002.jpg", "Slide 3: Gulls & terns"};
    const auto cell = [&](int i) { return list->child(first + i); };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(cell(i), nullptr);
        EXPECT_EQ(cell(i)->text(QAccessible::Name), names[i]);
        EXPECT_EQ(cell(i)->role(), QAccessible::ListItem);
        EXPECT_EQ(cell(i)->state().selected, i == 2);
        EXPECT_EQ(cell(i)->state().active, i == 1);  // the current slide
        EXPECT_EQ(cell(i)->state().focused, i == 1);
        EXPECT_EQ(list->indexOfChild(cell(i)), first + i);
        const QPoint centre = w.grid.mapToGlobal(w.centre(i));
        EXPECT_EQ(list->childAt(centre.x(), centre.y()), cell(i));
        EXPECT_EQ(cell(i)->rect().size(), QSize(grid_cell_size, grid_cell_size));
    }
    EXPECT_EQ(cell(1)->text(QAccessible::Description), "Current slide");
    EXPECT_EQ(list->focusChild(), cell(1));

    // Ctrl+Left moves the focus alone, Ctrl+Space flags the slide, and the frame follows.
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Space}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
        QApplication::sendEvent(&w.grid, &press);
    }
    EXPECT_EQ(w.grid.focus_cell(), 0);
    EXPECT_EQ(w.context.current_slide, 1);
    EXPECT_TRUE(cell(0)->state().focused);
    EXPECT_TRUE(cell(0)->state().selected);
    const QImage shot = w.grid.grab().toImage();
    const GridArea a = w.grid.area();
    EXPECT_EQ(shot.pixel(a.left + 1, a.top + 1), w.grid.palette().color(QPalette::Highlight).rgb());
    EXPECT_EQ(shot.pixel(a.left + grid_cell_size + 1, a.top + 1), qRgb(64, 64, 64));  // the next cell keeps its frame
    // A screen reader's actions: toggle as a Ctrl-click, press as a click.
    cell(2)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(w.context.show.slides[2].selected);
    cell(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(w.context.current_slide, 2);
    EXPECT_TRUE(cell(2)->state().focused);
}

}  // namespace
}  // namespace lumivane

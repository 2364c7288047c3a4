// What a new user does, through the real windows: start with no show, make a show of a
// folder of five photographs, set its properties, give one slide a caption and a path,
// move a slide, save, quit, start again, open it from the File menu's recent entries and
// play it, on a clock the test moves.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include "app/app_context.h"
#include "document/show_index.h"
#include "support/person.h"
#include "support/temp_folder.h"
#include "ui/image_bar.h"
#include "ui/main_window.h"
#include "ui/playback_widget.h"
#include "ui/qt_user_interface.h"
#include "ui/shell/grid_layout.h"
#include "ui/shell/main_window_commands.h"
#include "ui/shell/slide_properties.h"
#include "ui/slide_properties_dialog.h"
#include "ui/start_up.h"
#include "ui/thumbnail_grid.h"

namespace lumivane {
namespace {

using testing::control;
using testing::Person;

// A colour as three channel means.
using Mean = std::array<double, 3>;

// The mean colour of the middle of a picture (a quarter of its area), as blue, green, red.
Mean middle_mean(const QImage& picture) {
    Mean sum{};
    int n = 0;
    for (int y = picture.height() / 4; y < picture.height() * 3 / 4; y += 2) {
        for (int x = picture.width() / 4; x < picture.width() * 3 / 4; x += 2) {
            const QRgb c = picture.pixel(x, y);
            sum[0] += qBlue(c), sum[1] += qGreen(c), sum[2] += qRed(c);
            ++n;
        }
    }
    for (double& s : sum) s /= n;
    return sum;
}

Mean middle_mean(const ImageBuffer& image) {
    Mean sum{};
    int n = 0;
    for (int y = image.height / 4; y < image.height * 3 / 4; y += 4) {
        const std::uint8_t* row = image.rows[static_cast<std::size_t>(y)];
        for (int x = image.width / 4; x < image.width * 3 / 4; x += 4) {
            for (int c = 0; c < 3; ++c) sum[c] += row[3 * x + c];
            ++n;
        }
    }
    for (double& s : sum) s /= n;
    return sum;
}

// The slide whose photograph's middle is nearest in colour.
std::int32_t nearest_slide(const SlideShow& show, const Mean& shown) {
    std::int32_t best = -1;
    double best_distance = 1e300;
    for (std::int32_t i = 0; i < show.slide_count(); ++i) {
        const Mean m = middle_mean(show.slides[static_cast<std::size_t>(i)].image);
        const double d = (m[0] - shown[0]) * (m[0] - shown[0]) + (m[1] - shown[1]) * (m[1] - shown[1]) +
                         (m[2] - shown[2]) * (m[2] - shown[2]);
        if (d < best_distance) best = i, best_distance = d;
    }
    return best;
}

struct Shown {
    std::int64_t at;  // milliseconds on the test's clock
    std::int32_t slide;
    bool in_transition;
    std::int32_t looks_like;  // the slide the picture resembles most
};

// The program's user interface on a clock that jumps to each tick as it is set, and a
// playback window that notes every picture it shows.
class FakeTimeUi : public QtUserInterface {
public:
    std::int64_t now_milliseconds() override { return clock; }
    std::int64_t clock = 0;
    std::vector<Shown> shown;
    AppContext* context = nullptr;

protected:
    PlaybackWidget* make_playback_widget(const QRect& screen) override;
};

class FakeTimePlayback : public PlaybackWidget {
public:
    FakeTimePlayback(FakeTimeUi& ui, const QRect& screen)
        : PlaybackWidget(*ui.context, ui.caption_fonts(), screen), ui_(ui) {}
    void set_timer(std::int32_t milliseconds) override {
        ui_.clock += milliseconds;
        PlaybackWidget::set_timer(0);
    }
    void present(const std::u16string& caption, CaptionSize show_captions) override {
        PlaybackWidget::present(caption, show_captions);
        const AppContext& c = *ui_.context;
        ui_.shown.push_back({ui_.clock, c.playback.displayed_slide, c.playback.in_transition,
                             nearest_slide(c.show, middle_mean(picture()))});
    }

private:
    FakeTimeUi& ui_;
};

PlaybackWidget* FakeTimeUi::make_playback_widget(const QRect& screen) { return new FakeTimePlayback(*this, screen); }

// A left button event at a point of the widget.
void mouse(QWidget& widget, QEvent::Type type, QPoint at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, widget.mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void drag(QWidget& widget, QPoint from, QPoint to) {
    mouse(widget, QEvent::MouseButtonPress, from);
    mouse(widget, QEvent::MouseMove, to);
    mouse(widget, QEvent::MouseButtonRelease, to);
}

void click_button(ImageBar& bar, std::int32_t index) {
    const ButtonSquare square = image_bar_button_square(bar.grid(), index);
    const QPoint at(1 + square.x + square.size / 2, 1 + square.y + square.size / 2);
    mouse(bar, QEvent::MouseButtonPress, at);
    mouse(bar, QEvent::MouseButtonRelease, at);
}

// The centre of slide index's cell with the grid at the top.
QPoint cell_centre(const ThumbnailGrid& grid, int index) {
    const GridArea a = grid.area();
    const int k = grid_columns(a);
    return {a.left + (index % k) * grid_cell_size + grid_cell_size / 2,
            a.top + (index / k) * grid_cell_size + grid_cell_size / 2};
}

// In the slide's dialog: a caption, two frames inserted after the first, the last one
// made smaller by pulling its top-left corner inwards.
void give_caption_and_path(QWidget& widget) {
    auto& d = dynamic_cast<SlidePropertiesDialog&>(widget);
    d.grab();
    d.caption_edit()->setText("Sunflower at noon");
    click_button(*d.bar(bar_frame_tools), tool_insert_after);
    click_button(*d.bar(bar_frame_tools), tool_insert_after);
    const PreviewBox b = preview_box(d.editor().box(), d.place());
    drag(d, {b.x0 + 2, b.y0 + 2}, {b.x0 + 40, b.y0 + 40});
    for (QPushButton* button : d.findChildren<QPushButton*>()) {
        if (button->text() == "OK") button->click();
    }
}

struct Program {
    FakeTimeUi ui;
    AppContext context{ui};
    MainWindow window{context, ui};
    Program() { ui.context = &context; }
    ~Program() { ui.destroy_playback_window(); }
    void menu(std::int32_t command) {
        for (QAction* title : window.menuBar()->actions()) window.prepare_menu(title->menu());
        window.command_action(command)->trigger();
    }
};

TEST(WholeProgram, ANewUsersShowMadeSavedOpenedAgainAndPlayed) {
    testing::TempFolder home;
    const testing::PrivateHome user(home.native());
    const std::string folder = home.native_file("Walk");
    std::filesystem::create_directory(folder);
    for (const char* photo : {"Aqua", "Dune", "GreenMeadow", "Storm", "YellowFlower"}) {
        std::filesystem::copy_file(std::string("/usr/share/backgrounds/mate/nature/") + photo + ".jpg",
                                   folder + "/" + photo + ".jpg");
    }
    std::vector<std::u16string> saved;
    {
        Program first;
        ASSERT_TRUE(start_program(first.ui, first.context, first.window, {}));
        {
            Person make({QString::fromStdString(folder)});
            first.menu(command_create_show);
        }
        ASSERT_EQ(first.context.show.slide_count(), 5);
        first.window.resize(1200, 800);
        first.window.show();
        first.window.update_layout();
        ThumbnailGrid& grid = *first.window.grid();

        Person person({Person::Act([](QWidget& d) {
                               // Manual mode stops at the end of each slide; this show plays on.
                               control<QComboBox>(d, "autorun").setCurrentText("Auto - Don't run on startup");
                               control<QComboBox>(d, "transition").setCurrentText("Crossfade");
                               control<QComboBox>(d, "show_captions").setCurrentText("Medium");
                               control<QLineEdit>(d, "default_delay").setText("1");
                               control<QLineEdit>(d, "transition_time").setText("0.5");
                               control<QPushButton>(d, "ok").click();
                       }),
                       Person::Act(give_caption_and_path), QStringLiteral("index.ssi"), QMessageBox::Yes});
        click_button(*grid.tool_bar(), 4);  // Settings
        EXPECT_TRUE(first.context.show.modified);
        mouse(grid, QEvent::MouseButtonDblClick, cell_centre(grid, 4));
        EXPECT_EQ(first.context.show.slides[4].frame_count(), 3);
        // Aqua, the first slide, dragged before the third.
        drag(grid, cell_centre(grid, 0), cell_centre(grid, 2));
        QApplication::setActiveWindow(&first.window);
        QTest::keyClick(&first.window, Qt::Key_S, Qt::ControlModifier);
        EXPECT_TRUE(person.done());
        EXPECT_FALSE(first.context.show.modified);
        saved = show_index_lines(first.context.show);
        EXPECT_TRUE(first.window.close());
    }

    Program again;
    ASSERT_TRUE(start_program(again.ui, again.context, again.window, {}));
    again.menu(command_recent_first);
    ASSERT_EQ(show_index_lines(again.context.show), saved);
    const ShowSettings& settings = again.context.show.settings;
    EXPECT_EQ(settings.transition, TransitionKind::Crossfade);
    EXPECT_EQ(settings.show_captions, CaptionSize::Medium);
    const std::vector<Slide>& slides = again.context.show.slides;
    ASSERT_EQ(slides.size(), 5u);
    const std::vector<std::u16string> files{u"Dune.jpg", u"Aqua.jpg", u"GreenMeadow.jpg", u"Storm.jpg",
                                            u"YellowFlower.jpg"};
    for (std::size_t i = 0; i < files.size(); ++i) EXPECT_EQ(slides[i].file, files[i]) << i;
    EXPECT_EQ(slides[4].caption, u"Sunflower at noon");
    ASSERT_EQ(slides[4].frame_count(), 3);
    EXPECT_EQ(slides[4].style, SlideStyle::Path);
    EXPECT_LT(slides[4].frames[2].right - slides[4].frames[2].left,
              slides[4].frames[1].right - slides[4].frames[1].left);

    // Space runs the show from the first slide; six seconds of its clock go by.
    again.window.show();
    again.ui.shown.clear();
    QTest::keyClick(&again.window, Qt::Key_Space);
    ASSERT_TRUE(QTest::qWaitFor([&] { return again.ui.clock >= 6000; }, 60000));
    QTest::keyClick(&again.window, Qt::Key_Space);

    // A crossfade from black, then each slide stays a second followed by a half-second
    // crossfade: slides 0 to 3, Dune, Aqua, GreenMeadow and Storm, are shown in order,
    // each picture outside a crossfade looks like its own photograph.
    std::vector<std::int32_t> order;
    int crossfade_pictures = 0;
    for (const Shown& s : again.ui.shown) {
        if (s.in_transition) {
            ++crossfade_pictures;
            continue;
        }
        EXPECT_EQ(s.looks_like, s.slide) << "at " << s.at << " ms";
        if (order.empty() || order.back() != s.slide) order.push_back(s.slide);
    }
    ASSERT_GE(order.size(), 4u);
    EXPECT_EQ(std::vector<std::int32_t>(order.begin(), order.begin() + 4), (std::vector<std::int32_t>{0, 1, 2, 3}));
    EXPECT_GE(crossfade_pictures, 3 * 25);  // 30 a crossfade at 60 a second
}

}  // namespace
}  // namespace lumivane

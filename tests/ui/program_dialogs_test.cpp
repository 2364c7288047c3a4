// The show properties, preferences and about dialogs, opened from the main window's
// menu and used as a person would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/app_context.h"
#include "imaging/image_buffer.h"
#include "playback/pan_zoom.h"
#include "support/person.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"
#include "ui/export_dialog.h"
#include "ui/export_progress.h"
#include "ui/main_window.h"
#include "ui/playback_widget.h"
#include "ui/qt_user_interface.h"
#include "ui/shell/main_window_commands.h"
#include "ui/shell/session_state.h"

namespace lumivane {
namespace {

using testing::control;
using testing::Person;

struct Program {
    QtUserInterface ui;
    AppContext context{ui};
    MainWindow window{context, ui};
    Program() {
        ui.attach(context);
        ui.set_main_window(&window);
        context.show.settings.name = u"Holiday";
        context.show.slides.resize(2);
        context.show.slides[1].style = SlideStyle::Crop;
    }
    ~Program() { ui.destroy_playback_window(); }
    void run(std::int32_t command) { window.command_action(command)->trigger(); }
};

void click(QWidget& dialog, const char* button) { control<QPushButton>(dialog, button).click(); }

QRgb colour_inside(QWidget& dialog, QWidget& part) {
    return dialog.grab().toImage().pixel(part.mapTo(&dialog, QPoint(part.width() - 4, part.height() / 2)));
}

// The desktop's colours for a window's background and for its edit fields.
QRgb desktop(QPalette::ColorRole role) { return QApplication::palette().color(role).rgb(); }

// A dark desktop for the length of a test, as a dark theme gives the program.
struct DarkDesktop {
    QPalette light = QApplication::palette();
    DarkDesktop() {
        QPalette dark = light;
        dark.setColor(QPalette::Window, QColor(40, 42, 46));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        dark.setColor(QPalette::Base, QColor(24, 25, 28));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        QApplication::setPalette(dark);
    }
    ~DarkDesktop() { QApplication::setPalette(light); }
};

TEST(ShowPropertiesDialog, AWrongFieldKeepsItOpenAndANewSizeMakesThePlaybackWindowAgain) {
    Program p;
    p.ui.create_playback_window();
    const PlaybackWidget* before = p.ui.playback_widget();
    Person person({Person::Act([&](QWidget& d) {
                       EXPECT_EQ(d.parentWidget(), &p.window);
                       EXPECT_TRUE(d.isModal());
                       EXPECT_FALSE(control<QLineEdit>(d, "proportions_width").isEnabled());  // a Crop slide
                       EXPECT_EQ(control<QLineEdit>(d, "default_delay").text(), "5.00");
                       EXPECT_EQ(control<QComboBox>(d, "speed").currentText(), "1 X");
                       EXPECT_EQ(colour_inside(d, d), desktop(QPalette::Window));
                       EXPECT_EQ(colour_inside(d, control<QLineEdit>(d, "name")), desktop(QPalette::Base));
                       control<QLineEdit>(d, "default_delay").setText("100000");
                       control<QLineEdit>(d, "transition_time").setText("600.01");
                       control<QComboBox>(d, "size").setCurrentText("70%");
                       click(d, "ok");
                       ASSERT_TRUE(d.isVisible());
                       EXPECT_EQ(p.context.show.settings.default_delay, 100000.0);
                       EXPECT_EQ(p.ui.playback_widget(), before);
                       control<QLineEdit>(d, "transition_time").setText("600");
                       click(d, "ok");
                   }),
                   QMessageBox::Ok});
    p.run(command_show_properties);
    EXPECT_TRUE(person.done());
    EXPECT_EQ(person.seen.at(1), "Error: Illegal transition time: 600.01");
    EXPECT_EQ(p.context.show.settings.transition_time, 600.0);
    EXPECT_EQ(p.context.show.settings.size, 3);
    EXPECT_TRUE(p.context.show.modified);
    ASSERT_NE(p.ui.playback_widget(), nullptr);
    EXPECT_NE(p.ui.playback_widget(), before);
    EXPECT_EQ(p.ui.playback_widget()->windowTitle(), "Holiday");
}

TEST(ShowPropertiesDialog, SaveAsDefaultThenCancel) {
    Program p;
    Person person({Person::Act([&](QWidget& d) {
        control<QLineEdit>(d, "name").setText("Garden");
        control<QComboBox>(d, "speed").setCurrentText("4 X");
        control<QCheckBox>(d, "loop").setChecked(false);
        click(d, "save_as_default");
        EXPECT_TRUE(d.isVisible());
        click(d, "cancel");
    })});
    p.run(command_show_properties);
    EXPECT_EQ(p.context.default_settings.name, u"Garden");
    EXPECT_EQ(p.context.default_settings.speed, 2);
    EXPECT_EQ(p.context.default_settings.loop, 0);
    EXPECT_EQ(p.context.show.settings.name, u"Holiday");
    EXPECT_EQ(p.context.show.speed_factor, 1.0);
    EXPECT_EQ(p.context.show.settings.loop, 1);
}

TEST(PreferencesDialog, OkStoresCancelKeepsAndARestartFindsThem) {
    testing::TempFolder session;
    Program p;
    p.context.session_folder = session.path();
    ASSERT_FALSE(image_allocate(p.context.show.slides[0].image, PixelFormat::Colour8, 16, 16, 72.0));
    const auto choose = [](const char* profile, const char* rate, const char* motion, const char* button) {
        return Person::Act([=](QWidget& d) {
            EXPECT_EQ(colour_inside(d, d), desktop(QPalette::Window));
            control<QComboBox>(d, "monitor_profile").setCurrentText(profile);
            control<QComboBox>(d, "frame_rate").setCurrentText(rate);
            control<QComboBox>(d, "motion").setCurrentText(motion);
            click(d, button);
        });
    };
    Person person({choose("DCI-P3", "50 fps", "Smooth", "ok"), choose("sRGB", "60 fps", "Exact", "cancel")});
    // The levels show the motion was switched, not only stored.
    p.run(command_preferences);
    EXPECT_EQ(p.context.monitor_profile, MonitorProfile::DciP3);
    EXPECT_EQ(p.context.frame_rate, FrameRate::Fps50);
    EXPECT_EQ(p.context.motion, Motion::Smooth);
    EXPECT_FALSE(p.context.show.slides[0].levels.empty());
    p.run(command_preferences);
    EXPECT_TRUE(person.done());
    EXPECT_EQ(p.context.monitor_profile, MonitorProfile::DciP3);
    EXPECT_EQ(p.context.frame_rate, FrameRate::Fps50);
    EXPECT_EQ(p.context.motion, Motion::Smooth);
    EXPECT_FALSE(p.context.show.slides[0].levels.empty());

    EXPECT_FALSE(write_session_state(p.context));
    testing::RecordingUi ui;
    AppContext again(ui);
    again.session_folder = session.path();
    read_session_state(again, u"/pictures");
    EXPECT_EQ(again.monitor_profile, MonitorProfile::DciP3);
    EXPECT_EQ(again.frame_rate, FrameRate::Fps50);
    EXPECT_EQ(again.motion, Motion::Smooth);
}

TEST(AboutDialog, ShowsTheTitleWithItsVersion) {
    Program p;
    Person person({Person::Act([&](QWidget& d) {
        EXPECT_EQ(control<QLabel>(d, "title").text(), "Lumivane 1.0.15");
        EXPECT_EQ(d.findChildren<QLabel*>().size(), 3);
        click(d, "ok");
    })});
    p.run(command_about);
    EXPECT_EQ(person.seen, std::vector<QString>{"About Lumivane"});
}

// The export's two windows in the desktop's colours, as the other dialogs: here a dark one.
TEST(ExportDialog, HasTheDesktopsColours) {
    const DarkDesktop dark;
    Program p;
    ExportDialog dialog(&p.window, p.ui, p.context.show.settings,
                        resolved_export_options(p.context.show.settings, ExportOptions{}));
    ExportProgressWindow progress(&p.window, QStringLiteral("/videos/Holiday.mp4"));
    const std::pair<QWidget*, QWidget*> windows[] = {{&dialog, dialog.output_field()}, {&progress, nullptr}};
    for (const auto& [window, field] : windows) {
        SCOPED_TRACE(window->windowTitle().toStdString());
        window->show();
        EXPECT_EQ(colour_inside(*window, *window), qRgb(40, 42, 46));
        if (field) { EXPECT_EQ(colour_inside(*window, *field), qRgb(24, 25, 28)); }
    }
}

}  // namespace
}  // namespace lumivane

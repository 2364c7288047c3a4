// A whole session as a photographer has it, through the real main window and the real
// dialogs: make a show of a folder of photographs, save it, quit, start the program
// again with the folder and find the same show.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <filesystem>

#include "document/app_context.h"
#include "document/show_index.h"
#include "platform/text_encoding.h"
#include "support/person.h"
#include "support/temp_folder.h"
#include "ui/main_window.h"
#include "ui/main_window_commands.h"
#include "ui/qt_user_interface.h"
#include "ui/start_up.h"

namespace lumivane {
namespace {

using testing::Person;
using testing::TempFolder;

// The environment variable for the length of the test.
class Setting {
public:
    Setting(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~Setting() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

struct Program {
    QtUserInterface ui;
    AppContext context{ui};
    MainWindow window{context};
    ~Program() { ui.destroy_playback_window(); }
};

TEST(NewShow, MadeFromAFolderSavedAndFoundAgainAfterARestart) {
    TempFolder home;
    const Setting settings[] = {{"HOME", QByteArray(home.native().c_str())},
                                {"XDG_DATA_HOME", QByteArray()},
                                {"XDG_CONFIG_HOME", QByteArray()}};
    const std::string folder = home.native_file("Pictures/Holiday");
    std::filesystem::create_directories(folder);
    const std::string mate = "/usr/share/backgrounds/mate/nature/";
    for (const auto& [from, to] : {std::pair{"Storm.jpg", "storm.jpg"}, std::pair{"FreshFlower.jpg", "IMG_10.jpg"},
                                   std::pair{"GreenMeadow.jpg", "IMG_9.jpg"}, std::pair{"Dune.jpg", "Dune.jpg"}}) {
        std::filesystem::copy_file(mate + from, folder + "/" + to);
    }
    const QString qfolder = QString::fromStdString(folder);
    const std::u16string index = utf8_to_utf16(folder + "/index.ssi");
    std::vector<std::u16string> made;
    {
        Program run;
        ASSERT_TRUE(start_program(run.ui, run.context, run.window, {}));
        run.window.show();
        QApplication::setActiveWindow(&run.window);
        Person person;
        person.will_choose(qfolder);
        run.window.command_action(command_create_show)->trigger();
        EXPECT_TRUE(person.done());
        const SlideShow& show = run.context.show;
        ASSERT_EQ(show.slide_count(), 4);
        std::vector<std::u16string> files;
        for (const Slide& slide : show.slides) {
            files.push_back(slide.file);
            EXPECT_GT(slide.image.width, 1000) << utf16_to_utf8(slide.file);
        }
        EXPECT_EQ(files, (std::vector<std::u16string>{u"Dune.jpg", u"IMG_9.jpg", u"IMG_10.jpg", u"storm.jpg"}));
        EXPECT_EQ(run.window.windowTitle(), "Lumivane 1.0.15 -- " + qfolder);

        // Crop the first slide to the show's shape, then save the change.
        QTest::keyClick(&run.window, Qt::Key_C);
        EXPECT_TRUE(show.modified);
        person.will_choose(QStringLiteral("index.ssi"));
        person.will_press(QMessageBox::Yes);  // the dialog's own question: replace the file?
        QApplication::setActiveWindow(&run.window);
        QTest::keyClick(&run.window, Qt::Key_S, Qt::ControlModifier);
        EXPECT_TRUE(person.done());
        EXPECT_FALSE(show.modified);
        EXPECT_EQ(show.slides[0].style, style_crop);
        made = show_index_lines(run.context);
        EXPECT_EQ(person.seen.at(0), "Select Slide Show Folder");
        EXPECT_EQ(person.seen.at(1), "Save Slide Show Settings");
        EXPECT_TRUE(run.window.close());
    }
    EXPECT_NE(testing::read_bytes(home.native_file(".local/share/Lumivane/Session State/Slide Show.state"))
                  .find("openfile 0 \xE2\x80\xB3" + folder + "/index.ssi\xE2\x80\xB3"),
              std::string::npos);

    Program again;
    Person person;
    person.will_press(QMessageBox::Yes);
    ASSERT_TRUE(start_program(again.ui, again.context, again.window, {utf8_to_utf16(folder)}));
    EXPECT_EQ(person.seen, std::vector<QString>{"Warning: Open existing index file: index.ssi?.\n\nSelect Yes to open it.\n"
                                                "Select No to delete it and build a new index.\nSelect Cancel to abort."});
    EXPECT_EQ(show_index_lines(again.context), made);
    EXPECT_EQ(again.context.show.index_path, index);
    EXPECT_FALSE(again.context.show.slides[3].image.empty());
    EXPECT_EQ(again.window.windowTitle(), "Lumivane 1.0.15 -- " + qfolder);
}

}  // namespace
}  // namespace lumivane

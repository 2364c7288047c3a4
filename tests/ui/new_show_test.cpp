// A photographer's session through the real main window and dialogs: make a show of a
// folder of photographs, save it, quit, start again with the folder, find the same show.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <filesystem>

#include "app/app_context.h"
#include "document/show_index.h"
#include "platform/text_encoding.h"
#include "support/person.h"
#include "support/temp_folder.h"
#include "ui/main_window.h"
#include "ui/qt_user_interface.h"
#include "ui/shell/main_window_commands.h"
#include "ui/start_up.h"

namespace lumivane {
namespace {

using testing::Person;
using testing::PrivateHome;

struct Program {
    QtUserInterface ui;
    AppContext context{ui};
    MainWindow window{context, ui};
    ~Program() { ui.destroy_playback_window(); }
};

TEST(MessageBoxes, AnswerWithTheButtonPressed) {
    QtUserInterface ui;
    for (const auto& [buttons, pressed, answer] :
         {std::tuple{BoxButtons::OkCancel, QMessageBox::Ok, BoxAnswer::Ok},
          {BoxButtons::OkCancel, QMessageBox::Cancel, BoxAnswer::Cancel},
          {BoxButtons::YesNoCancel, QMessageBox::No, BoxAnswer::No}}) {
        Person person({pressed});
        EXPECT_EQ(ui.message_box(u"Alert", u"Go on?", buttons, BoxOwner::None), answer) << int(pressed);
    }
}

TEST(NewShow, MadeFromAFolderSavedAndFoundAgainAfterARestart) {
    testing::TempFolder home;
    const PrivateHome user(home.native());
    const std::string folder = home.native_file("Holiday");
    std::filesystem::create_directory(folder);
    for (const auto& [from, to] : {std::pair{"Storm", "storm"}, {"FreshFlower", "IMG_10"}, {"GreenMeadow", "IMG_9"}}) {
        std::filesystem::copy_file(std::string("/usr/share/backgrounds/mate/nature/") + from + ".jpg",
                                   folder + "/" + to + ".jpg");
    }
    const QString title = "Lumivane 1.0.15 -- " + QString::fromStdString(folder);
    std::vector<std::u16string> made;
    {
        Program first;
        ASSERT_TRUE(start_program(first.ui, first.context, first.window, {}));
        Person person({QString::fromStdString(folder), QStringLiteral("index.ssi"), QMessageBox::Yes});
        first.window.command_action(command_create_show)->trigger();
        const SlideShow& show = first.context.show;
        ASSERT_EQ(show.slide_count(), 3);
        EXPECT_EQ(show.slides[0].file, u"IMG_9.jpg");
        EXPECT_EQ(show.slides[2].image.width, 1920);
        EXPECT_EQ(first.window.windowTitle(), title);
        // Crop the first slide to the show's shape, and save: the save dialog asks
        // whether to replace the index it proposes.
        QTest::keyClick(&first.window, Qt::Key_C);
        QApplication::setActiveWindow(&first.window);
        QTest::keyClick(&first.window, Qt::Key_S, Qt::ControlModifier);
        EXPECT_TRUE(person.done());
        EXPECT_EQ(person.seen.at(1), "Save Slide Show Settings");
        EXPECT_FALSE(show.modified);
        EXPECT_EQ(show.slides[0].style, SlideStyle::Crop);
        made = show_index_lines(first.context.show);
        EXPECT_TRUE(first.window.close());
    }
    Program again;
    Person person({QMessageBox::Yes});
    ASSERT_TRUE(start_program(again.ui, again.context, again.window, {utf8_to_utf16(folder)}));
    EXPECT_EQ(person.seen.at(0).left(45), "Warning: Open existing index file: index.ssi?");
    EXPECT_EQ(show_index_lines(again.context.show), made);
    EXPECT_EQ(again.context.recent_files[0], utf8_to_utf16(folder + "/index.ssi"));
    EXPECT_EQ(again.context.last_image_folder, utf8_to_utf16(folder));  // from the session state file
    EXPECT_EQ(again.window.windowTitle(), title);
}

}  // namespace
}  // namespace lumivane

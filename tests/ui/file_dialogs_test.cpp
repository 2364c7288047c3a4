// The four file dialogs as the program shows them, driven the way a person would: the
// test waits for the dialog, looks at it, then chooses or cancels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <filesystem>
#include <functional>

#include "support/recording_ui.h"
#include "support/temp_folder.h"
#include "ui/image_list.h"
#include "ui/qt_user_interface.h"

namespace lumivane {
namespace {

using testing::TempFolder;

// Acts on the next file dialog once it is open; a dialog that never opens fails the test.
void when_dialog_opens(std::function<void(QFileDialog&)> act) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog && ++*tries < 500) return;
        timer->stop();
        timer->deleteLater();
        if (!dialog) {
            ADD_FAILURE() << "no file dialog opened";
            return;
        }
        act(*dialog);
    });
    timer->start(10);
}

void type_and_accept(QFileDialog& dialog, const QString& names) {
    dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(names);
    static_cast<QDialog&>(dialog).accept();  // as the dialog's own button does
}

QString q(const std::u16string& text) { return QString::fromStdU16String(text); }

TEST(FileDialogs, OpenIndexFileCreatesItsStartFolder) {
    TempFolder folder;
    const std::u16string start = folder.file(u"Shows/New");
    QtUserInterface ui;
    std::u16string path = u"old";
    when_dialog_opens([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Open slide show index file");
        EXPECT_EQ(dialog.nameFilters(), QStringList{"Slide Show Index File (*.ssi)"});
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog.directory().absolutePath(), q(start));
        dialog.reject();
    });
    EXPECT_TRUE(ui.open_index_file_dialog(path, start, u"Open slide show index file"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.native_file("Shows/New")));
    EXPECT_EQ(path, u"");  // cleared first

    folder.write("Shows/New/holiday.ssi", "SlideShow 1.0\nend\n");
    when_dialog_opens([&](QFileDialog& dialog) { type_and_accept(dialog, "holiday.ssi"); });
    EXPECT_FALSE(ui.open_index_file_dialog(path, start, u"Open slide show index file"));
    EXPECT_EQ(path, folder.file(u"Shows/New/holiday.ssi"));
}

TEST(FileDialogs, SaveIndexFileKeepsTheOutputOnCancel) {
    TempFolder folder;
    QtUserInterface ui;
    std::u16string path = u"/as/the/caller/left/it.ssi";
    when_dialog_opens([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Save Slide Show Settings");
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog.nameFilters(), QStringList{"Slide Show Index File (*.ssi)"});
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text(), "index.ssi");
        dialog.reject();
    });
    EXPECT_TRUE(ui.save_index_file_dialog(path, u"index.ssi", folder.path(), u"Save Slide Show Settings"));
    EXPECT_EQ(path, u"/as/the/caller/left/it.ssi");

    // A name typed without its extension gets one.
    when_dialog_opens([&](QFileDialog& dialog) { type_and_accept(dialog, "holiday"); });
    EXPECT_FALSE(ui.save_index_file_dialog(path, {}, folder.path(), u"Create New Slide Show Index"));
    EXPECT_EQ(path, folder.file(u"holiday.ssi"));
}

TEST(FileDialogs, PickFolderAndImageFiles) {
    TempFolder folder;
    std::filesystem::create_directory(folder.native_file("Venice"));
    folder.write("b.jpg", "\xFF\xD8");
    folder.write("a.TIF", "II");
    QtUserInterface ui;

    std::u16string chosen = u"old";
    when_dialog_opens([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Select Slide Show Folder");
        EXPECT_EQ(dialog.fileMode(), QFileDialog::Directory);
        EXPECT_EQ(dialog.directory().absolutePath(), q(folder.path()));
        type_and_accept(dialog, "Venice");
    });
    EXPECT_FALSE(ui.pick_folder_dialog(chosen, folder.path(), u"Select Slide Show Folder"));
    EXPECT_EQ(chosen, folder.file(u"Venice"));

    std::vector<std::u16string> paths{u"old"};
    when_dialog_opens([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Add images to slide show");
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
        EXPECT_EQ(dialog.nameFilters(), QStringList{"TIFF/JPEG (*.tif *.tiff *.jpg *.jpeg)"});
        type_and_accept(dialog, "\"b.jpg\" \"a.TIF\"");
    });
    EXPECT_FALSE(ui.pick_image_files_dialog(paths, folder.path(), u"Add images to slide show"));
    EXPECT_EQ(paths, (std::vector<std::u16string>{folder.file(u"b.jpg"), folder.file(u"a.TIF")}));

    when_dialog_opens([&](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_TRUE(ui.pick_image_files_dialog(paths, folder.path(), u"Select image file(s) to insert"));
    EXPECT_TRUE(paths.empty());
}

TEST(ImageList, PathsPastTheCapacityAreReportedOneByOne) {
    // Each path takes its length and one more; the list keeps one more for its end.
    const std::u16string a(5, u'a'), b(3, u'b'), c(9, u'c'), d(1, u'd');
    struct Case {
        std::size_t capacity;
        std::vector<std::u16string> chosen, kept;
        std::size_t reports;
    };
    const Case cases[] = {
        {7, {a}, {a}, 0},
        {6, {a}, {}, 1},
        {11, {a, b}, {a, b}, 0},
        {10, {a, c, c}, {a}, 2},           // each path past the end is reported
        {13, {a, c, b, d}, {a, b, d}, 1},  // shorter ones after a long one still fit
        {100, {a, u"", b}, {a, b}, 0},     // an item without a path is passed over
    };
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.capacity);
        testing::RecordingUi ui;
        EXPECT_EQ(fit_image_list(ui, cs.chosen, cs.capacity), cs.kept);
        EXPECT_EQ(ui.texts(), std::vector<std::u16string>(cs.reports, u"Too many pathnames"));
    }
}

}  // namespace
}  // namespace lumivane

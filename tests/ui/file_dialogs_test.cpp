// The file dialogs as the program shows them, driven as a person would: the test waits
// for the dialog, looks at it, then types a name or cancels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <filesystem>
#include <functional>

#include "support/recording_ui.h"
#include "support/temp_folder.h"
#include "ui/qt_user_interface.h"
#include "ui/shell/image_list.h"

namespace lumivane {
namespace {

using testing::TempFolder;

// Acts on the next file dialog once it is open; names empty means Cancel.
void answer_dialog(std::function<void(QFileDialog&)> check, const QString& names) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, check, names] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->deleteLater();
        check(*dialog);
        if (names.isEmpty()) return dialog->reject();
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(names);
        static_cast<QDialog*>(dialog)->accept();  // as its own button does
    });
    timer->start(10);
}

TEST(FileDialogs, OpenCreatesItsStartFolderAndSaveKeepsItsOutputOnCancel) {
    TempFolder folder;
    const std::u16string start = folder.file(u"Shows/New");
    QtUserInterface ui;
    std::u16string path = u"old";
    answer_dialog([&](QFileDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Open slide show index file");
        EXPECT_EQ(d.nameFilters(), QStringList{"Slide Show Index File (*.ssi)"});
        EXPECT_EQ(d.directory().absolutePath().toStdU16String(), start);
    }, {});
    EXPECT_TRUE(ui.open_index_file_dialog(path, start, u"Open slide show index file"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.native_file("Shows/New")));
    EXPECT_EQ(path, u"");

    path = u"/as/the/caller/left/it.ssi";
    answer_dialog([](QFileDialog& d) { EXPECT_EQ(d.findChild<QLineEdit*>("fileNameEdit")->text(), "index.ssi"); }, {});
    EXPECT_TRUE(ui.save_index_file_dialog(path, u"index.ssi", start, u"Save Slide Show Settings"));
    EXPECT_EQ(path, u"/as/the/caller/left/it.ssi");
    answer_dialog([](QFileDialog&) {}, "holiday");  // the extension is added
    EXPECT_FALSE(ui.save_index_file_dialog(path, {}, start, u"Create New Slide Show Index"));
    EXPECT_EQ(path, folder.file(u"Shows/New/holiday.ssi"));
}

TEST(FileDialogs, ImageFilesComeInTheOrderChosen) {
    TempFolder folder;
    folder.write("b.jpg", "\xFF\xD8");
    folder.write("a.TIF", "II");
    folder.write("c.png", "\x89PNG\r\n\x1A\n");
    QtUserInterface ui;
    std::vector<std::u16string> paths;
    answer_dialog([](QFileDialog& d) {
        EXPECT_EQ(d.fileMode(), QFileDialog::ExistingFiles);
        EXPECT_EQ(d.nameFilters(), (QStringList{"Pictures (*.tif *.tiff *.jpg *.jpeg *.png *.webp *.jxl *.heic *.heif *.avif)",
                                               "TIFF/JPEG (*.tif *.tiff *.jpg *.jpeg)"}));
        EXPECT_EQ(d.selectedNameFilter(), d.nameFilters().front());
    }, "\"b.jpg\" \"c.png\" \"a.TIF\"");
    EXPECT_FALSE(ui.pick_image_files_dialog(paths, folder.path(), u"Add images to slide show"));
    EXPECT_EQ(paths, (std::vector<std::u16string>{folder.file(u"b.jpg"), folder.file(u"c.png"), folder.file(u"a.TIF")}));
}

// A start folder that is not there (a first run's Pictures folder, a folder since
// removed) opens the dialog in the nearest folder above it, with the name box empty.
TEST(FileDialogs, ImageFilesStartInAFolderThatExists) {
    TempFolder folder;
    std::filesystem::create_directory(folder.native_file("Photos"));
    struct Case {
        std::u16string start, opened;
    };
    const Case cases[] = {
        {folder.file(u"Pictures"), folder.path()},
        {folder.file(u"Photos/2026/May"), folder.file(u"Photos")},
        {u"", QDir::homePath().toStdU16String()},
    };
    QtUserInterface ui;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::u8(c.start));
        std::vector<std::u16string> paths;
        answer_dialog([&](QFileDialog& d) {
            EXPECT_EQ(d.directory().absolutePath().toStdU16String(), c.opened);
            EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text(), "");
        }, {});
        EXPECT_TRUE(ui.pick_image_files_dialog(paths, c.start, u"Add images to slide show"));
    }
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

// Opening shows and making new ones from folders of small real pictures, every
// question answered from a script.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/app_context.h"
#include "app/show_folder.h"
#include "support/jpeg_files.h"
#include "support/libtiff_files.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using namespace std::literals;
using testing::TempFolder;

const std::string old_index = "SlideShow 1.0\nname \"Old\"\nn_slides 1\nslide 0 1 0 1 \"a\" \"a.jpg\"\nend\n";

// Pictures (.jpg, .tif), index files of a.jpg (.ssi), a text file, a link (.lnk) to a
// picture elsewhere, and an empty folder (ending in "/").
void fill(const TempFolder& folder, const TempFolder& elsewhere, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        const std::string path = folder.native_file(name);
        if (name.ends_with(".tif")) {
            testing::TiffVariant tiff;
            tiff.width = tiff.height = 8;
            testing::write_tiff(path, tiff, 1);
        } else if (name.ends_with(".jpg")) {
            testing::write_jpeg(path, 8, 8, false, [](int x, int y, int c) { return x * 20 + y + c; });
        } else if (name.ends_with(".ssi")) {
            folder.write(name, old_index);
        } else if (name.ends_with(".lnk")) {
            std::filesystem::create_symlink(elsewhere.native_file("a.jpg"), path);
        } else if (name.ends_with("/")) {
            std::filesystem::create_directory(path);
        } else {
            folder.write(name, "not a picture");
        }
    }
}

TEST(NewShow, OpenAndCreateFromFolders) {
    using Dialogs = std::deque<std::optional<std::vector<std::u16string>>>;
    const std::optional<std::vector<std::u16string>> ok = std::vector<std::u16string>{}, cancel;
    const std::u16string open = u"Open existing slide show index file: index.ssi?";
    const std::u16string replace = u"Index file (index.ssi) already exists.\n\nReplace it with a new index file?";
    const std::u16string ask = u"Create a slide show index file?";
    const std::u16string none = u"Folder contains no JPEG or TIFF files";
    struct Case {
        std::vector<std::string> files;
        bool create;
        std::vector<BoxAnswer> answers;
        Dialogs dialogs;  // names in the folder
        std::vector<std::u16string> texts;
        std::vector<std::u16string> kinds;
        std::vector<std::u16string> opened;  // slide files; none when nothing opened
    };
    const Case cases[] = {
        // The link's slide has the link's own name; the text file is no slide.
        {{"b.tif", "a.jpg", "notes.txt", "c.lnk"}, true, {}, {}, {}, {}, {u"a.jpg", u"b.tif", u"c.lnk"}},
        {{"a.jpg", "index.ssi"}, true, {BoxAnswer::Yes}, {}, {open}, {}, {u"a.jpg"}},
        {{"a.jpg", "index.ssi"}, true, {BoxAnswer::Cancel}, {}, {open}, {}, {}},
        {{"a.jpg", "img_10.jpg", "IMG_9.jpg", "index.ssi"}, true, {BoxAnswer::No, BoxAnswer::Ok}, {}, {open, replace},
         {}, {u"a.jpg", u"IMG_9.jpg", u"img_10.jpg"}},
        {{"a.jpg", "b.jpg", "index.ssi"}, true, {BoxAnswer::No, BoxAnswer::Cancel}, {}, {open, replace}, {}, {}},
        // A failed replacement keeps the old index, and the user picks another folder.
        {{"index.ssi"}, true, {BoxAnswer::No, BoxAnswer::Ok}, {cancel}, {open, replace, none}, {u"folder"}, {}},
        // Without create: asked, the show's properties, then where to save it.
        {{"a.jpg", "b.jpg"}, false, {BoxAnswer::Ok}, {ok, std::vector{u"Holiday.ssi"s}}, {ask},
         {u"properties", u"save index"}, {u"a.jpg", u"b.jpg"}},
        {{"a.jpg"}, false, {BoxAnswer::Cancel}, {cancel}, {ask}, {u"folder"}, {}},
        {{"a.jpg"}, false, {BoxAnswer::Ok}, {cancel, cancel}, {ask}, {u"properties", u"folder"}, {}},
        // Saved beside no pictures, the index would list none.
        {{"a.jpg", "bare/"}, false, {BoxAnswer::Ok}, {ok, std::vector{u"bare/x.ssi"s}, cancel}, {ask, none},
         {u"properties", u"save index", u"folder"}, {}},
        {{"a.jpg", "b.jpg", "first.ssi", "second.ssi"}, false, {BoxAnswer::Yes}, {std::vector{u"second.ssi"s}},
         {u"Open one of the existing slide show index files?"}, {u"open index"}, {u"a.jpg"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::u8(c.texts.empty() ? u"" : c.texts.back()) + " " + std::to_string(c.files.size()));
        TempFolder elsewhere, folder;
        fill(elsewhere, elsewhere, {"a.jpg"});
        fill(folder, elsewhere, c.files);
        testing::RecordingUi ui;
        AppContext context(ui);
        ui.answers.assign(c.answers.begin(), c.answers.end());
        for (auto answer : c.dialogs) {
            if (answer && !answer->empty()) answer->front() = folder.file(answer->front());
            ui.dialog_answers.push_back(answer);
        }
        EXPECT_EQ(open_show_folder(context, folder.path(), c.create), c.opened.empty());
        EXPECT_EQ(ui.texts(), c.texts);
        std::vector<std::u16string> kinds, files;
        for (const auto& dialog : ui.dialogs) kinds.push_back(dialog.kind);
        EXPECT_EQ(kinds, c.kinds);
        for (const Slide& slide : context.show.slides) {
            files.push_back(slide.file);
            EXPECT_EQ(picture_width(slide.picture), 8);
        }
        EXPECT_EQ(files, c.opened);
        for (const auto& dialog : ui.dialogs) {
            if (dialog.kind != u"properties") { EXPECT_EQ(dialog.start_folder, folder.path()) << testing::u8(dialog.title); }
        }
        if (c.opened.empty()) {
            EXPECT_TRUE(context.show.index_path.empty());
            for (const std::string& name : c.files) {
                if (name.ends_with(".ssi")) { EXPECT_EQ(testing::read_bytes(folder.native_file(name)), old_index); }
            }
        } else {
            EXPECT_EQ(context.recent_files[0], context.show.index_path);
            EXPECT_EQ(ui.main_window_title, u"Lumivane 1.0.15 -- " + folder.path());
        }
    }
}

// An index that cannot be read leads back to the open dialog; Cancel there leaves no
// part of it behind.
TEST(NewShow, AFailedOpenAsksAgainAndLeavesNoShow) {
    TempFolder folder;
    const std::u16string path = folder.write("broken.ssi", "SlideShow 1.0\nname \"Half\"\nn_slides 20000\nend\n");
    testing::RecordingUi ui;
    AppContext context(ui);
    ui.dialog_answers = {std::nullopt};
    EXPECT_TRUE(open_show_file(context, path));
    EXPECT_EQ(ui.dialogs.at(0).title, u"Open slide show index file");
    EXPECT_EQ(context.show.settings.name, u"Untitled");
    EXPECT_TRUE(context.show.show_folder.empty());
}

// More pictures than an index file may list: nothing is written.
TEST(NewShow, NoMorePicturesThanAShowHolds) {
    TempFolder folder;
    for (int i = 0; i <= max_slides; ++i) folder.write(std::to_string(i) + ".tif", "II");
    testing::RecordingUi ui;
    AppContext context(ui);
    context.show.show_folder = folder.path();
    EXPECT_TRUE(open_show_in_folder(context, u"index.ssi", true));
    EXPECT_EQ(ui.texts(),
              std::vector<std::u16string>{
                  u"Folder contains 10001 JPEG, TIFF, PNG, WebP, JPEG XL, HEIF or AVIF files, more than a slide "
                  u"show can hold (10000)"});
    EXPECT_FALSE(std::filesystem::exists(folder.native_file("index.ssi")));
}

}  // namespace
}  // namespace lumivane

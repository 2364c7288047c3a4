// Opening shows and making new ones from folders, with every question answered from a
// script, on folders of small real pictures.
#include "document/show_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "document/app_context.h"
#include "document/folder_scan.h"
#include "document/show_index.h"
#include "support/jpeg_files.h"
#include "support/libtiff_files.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::RecordingUi;
using testing::TempFolder;
using Answers = std::deque<std::optional<std::vector<std::u16string>>>;

const std::u16string open_question = u"Open existing slide show index file: index.ssi?";
const std::u16string replace_question = u"Index file (index.ssi) already exists.\n\nReplace it with a new index file?";

void write_picture(const TempFolder& folder, const std::string& name) {
    if (name.ends_with(".tif")) {
        testing::TiffVariant tiff;
        tiff.width = tiff.height = 8;
        ASSERT_FALSE(testing::write_tiff(folder.native_file(name), tiff, 1));
    } else {
        testing::write_jpeg(folder.native_file(name), 8, 8, false, [](int x, int y, int c) { return x * 20 + y + c; });
    }
}

// A folder of pictures, and an index "Old" of its first picture when asked for.
struct Pictures {
    TempFolder folder;
    explicit Pictures(std::initializer_list<const char*> names, bool indexed = false) {
        for (const char* name : names) write_picture(folder, name);
        if (indexed) folder.write("index.ssi", old_index(*names.begin()));
    }
    static std::string old_index(const std::string& picture) {
        return "SlideShow 1.0\nname \"Old\"\nn_slides 1\nslide 0 1 0 1 \"a\" \"" + picture +
               "\"\nframe 0 0 -1 0 0 1 1\nend\n";
    }
    std::u16string index(std::u16string_view name = u"index.ssi") const { return folder.file(name); }
    std::string index_text(std::string_view name = "index.ssi") const {
        return testing::read_bytes(folder.native_file(name));
    }
};

struct Program {
    RecordingUi ui;
    AppContext context{ui};
    Program() {
        context.default_settings.name = u"Defaults";
        context.default_settings.default_delay = 7.0;
    }
    std::vector<std::u16string> files() const {
        std::vector<std::u16string> files;
        for (const Slide& slide : context.show.slides) files.push_back(slide.file);
        return files;
    }
    std::vector<std::u16string> dialog_kinds() const {
        std::vector<std::u16string> kinds;
        for (const auto& dialog : ui.dialogs) kinds.push_back(dialog.kind);
        return kinds;
    }
};

// A JPEG, a TIFF, a text file and a link to a JPEG elsewhere make three slides; the
// link's slide carries the link's own name.
TEST(NewShow, CreateFromFolderListsPicturesAndLinksUnderTheirOwnNames) {
    Pictures elsewhere({"target.jpg"});
    Pictures show({"b.tif", "a.jpg"});
    show.folder.write("notes.txt", "not a picture");
    std::filesystem::create_symlink(elsewhere.folder.native_file("target.jpg"), show.folder.native_file("c.lnk"));
    Program p;
    p.ui.dialog_answers = {std::vector{show.folder.path()}};
    ASSERT_FALSE(open_show_folder(p.context, {}, true));

    EXPECT_TRUE(p.ui.boxes.empty());
    EXPECT_EQ(p.ui.dialogs.at(0).title, u"Select Slide Show Folder");
    const std::string text = show.index_text();
    for (const char* line : {"\r\nn_slides 3\r\n", "\r\nslide 2 0 1 1 \"c.lnk\" \"c.lnk\"\r\n",
                             "\r\nframe 2 0 -1.0 0.0 0.0 1.0 1.0\r\n", "\r\ndefault_delay 7\r\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    }
    EXPECT_EQ(p.files(), (std::vector<std::u16string>{u"a.jpg", u"b.tif", u"c.lnk"}));
    for (const Slide& slide : p.context.show.slides) {
        EXPECT_EQ(slide.caption, slide.file);
        EXPECT_EQ(slide.image.width, 8) << testing::u8(slide.file);
    }
    EXPECT_EQ(p.context.show.settings.name, show.folder.path());
    EXPECT_EQ(p.context.show.index_path, show.index());
    EXPECT_EQ(p.context.recent_files[0], show.index());
    EXPECT_EQ(p.context.last_image_folder, show.folder.path());
    EXPECT_EQ(p.ui.main_window_title, u"Lumivane 1.0.15 -- " + show.folder.path());
    EXPECT_FALSE(p.context.show.modified);
}

// "Create Slide Show from Folder..." where the folder has an index: open it, or replace
// it after a second question. A refused or failed replacement leaves it as it was.
TEST(NewShow, CreateFromFolderWithAnIndexAsksToOpenThenToReplace) {
    struct Case {
        std::vector<BoxAnswer> answers;
        std::vector<std::u16string> questions;
        std::vector<std::u16string> opened;  // slide files; none when nothing opened
    };
    const Case cases[] = {
        {{BoxAnswer::Yes}, {open_question}, {u"a.jpg"}},
        {{BoxAnswer::Cancel}, {open_question}, {}},
        {{BoxAnswer::No, BoxAnswer::Ok}, {open_question, replace_question}, {u"a.jpg", u"IMG_9.jpg", u"img_10.jpg"}},
        {{BoxAnswer::No, BoxAnswer::Cancel}, {open_question, replace_question}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.questions.size() * 10 + c.opened.size());
        Pictures show({"a.jpg", "img_10.jpg", "IMG_9.jpg"}, true);
        Program p;
        p.ui.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(open_show_folder(p.context, show.folder.path(), true), c.opened.empty());
        EXPECT_EQ(p.ui.texts(), c.questions);
        EXPECT_EQ(p.ui.boxes.at(0).title, u"Alert");
        EXPECT_EQ(p.ui.boxes.back().owner, BoxOwner::MainWindow);
        EXPECT_EQ(p.files(), c.opened);
        EXPECT_TRUE(p.ui.dialogs.empty());
        if (c.opened.size() != 3) EXPECT_EQ(show.index_text(), Pictures::old_index("a.jpg"));
    }
    // The answer No with OK in a folder whose pictures are gone keeps its index.
    Pictures show({}, false);
    show.folder.write("index.ssi", Pictures::old_index("a.jpg"));
    Program p;
    p.ui.answers = {BoxAnswer::No, BoxAnswer::Ok};
    p.ui.dialog_answers = {std::nullopt};
    EXPECT_TRUE(open_show_folder(p.context, show.folder.path(), true));
    EXPECT_EQ(p.ui.texts().back(), u"Folder contains no JPEG or TIFF files");
    EXPECT_EQ(show.index_text(), Pictures::old_index("a.jpg"));
    EXPECT_TRUE(p.context.show.show_folder.empty());
}

// "Open Slide Show Folder..." on a folder without an index: asks, shows the show's
// properties, then saves the new index where the user says. Each refusal leads back
// to the folder dialog.
TEST(NewShow, OpenFolderWithoutAnIndexAsksThenSaves) {
    Pictures show({"a.jpg", "b.jpg"});
    TempFolder bare;
    const std::optional<std::vector<std::u16string>> ok = std::vector<std::u16string>{};
    const std::optional<std::vector<std::u16string>> cancel;
    struct Case {
        std::vector<BoxAnswer> answers;
        Answers dialogs;  // after the first, which picks the folder
        std::vector<std::u16string> kinds;
        std::u16string last_text;
    };
    const std::u16string ask = u"Create a slide show index file?";
    const std::u16string none = u"Folder contains no JPEG or TIFF files";
    const Case cases[] = {
        {{BoxAnswer::Ok}, {ok, std::vector{show.index(u"Holiday.ssi")}}, {u"folder", u"properties", u"save index"}, ask},
        {{BoxAnswer::Cancel}, {cancel}, {u"folder", u"folder"}, ask},
        {{BoxAnswer::Ok}, {cancel, cancel}, {u"folder", u"properties", u"folder"}, ask},
        {{BoxAnswer::Ok}, {ok, cancel, cancel}, {u"folder", u"properties", u"save index", u"folder"}, ask},
        // Saved beside no pictures: the new index would list none.
        {{BoxAnswer::Ok}, {ok, std::vector{bare.file(u"x.ssi")}, cancel}, {u"folder", u"properties", u"save index", u"folder"},
         none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kinds.size() * 10 + c.dialogs.size());
        Program p;
        p.ui.answers.assign(c.answers.begin(), c.answers.end());
        p.ui.dialog_answers = c.dialogs;
        p.ui.dialog_answers.push_front(std::vector{show.folder.path()});
        const bool opened = c.kinds.back() == u"save index";
        EXPECT_EQ(open_show_folder(p.context, {}, false), !opened);
        EXPECT_EQ(p.dialog_kinds(), c.kinds);
        EXPECT_EQ(p.ui.texts().back(), c.last_text);
        EXPECT_EQ(p.ui.boxes.at(0).owner, BoxOwner::None);
        EXPECT_FALSE(std::filesystem::exists(bare.native_file("x.ssi")));
        if (!opened) {
            EXPECT_FALSE(std::filesystem::exists(show.folder.native_file("Holiday.ssi")));
            EXPECT_EQ(p.ui.dialogs.back().start_folder, show.folder.path());  // where the user was
            continue;
        }
        const testing::RecordedDialog& save = p.ui.dialogs.back();
        EXPECT_EQ(save.title, u"Create New Slide Show Index");
        EXPECT_EQ(save.file_name, u"index.ssi");
        EXPECT_EQ(save.start_folder, show.folder.path());
        EXPECT_EQ(p.context.show.index_path, show.index(u"Holiday.ssi"));
        EXPECT_EQ(p.files(), (std::vector<std::u16string>{u"a.jpg", u"b.jpg"}));
        // The settings the properties dialog left, not the defaults for new shows.
        EXPECT_EQ(p.context.show.settings.default_delay, 5.0);
        std::filesystem::remove(show.folder.native_file("Holiday.ssi"));
    }
}

TEST(NewShow, SeveralIndexFilesAndYesPickOneInTheFolder) {
    Pictures show({"a.jpg", "b.jpg"});
    show.folder.write("first.ssi", Pictures::old_index("a.jpg"));
    show.folder.write("second.ssi", Pictures::old_index("b.jpg"));
    Program p;
    p.ui.answers = {BoxAnswer::Yes};
    p.ui.dialog_answers = {std::vector{show.index(u"second.ssi")}};
    ASSERT_FALSE(open_show_folder(p.context, show.folder.path(), false));
    EXPECT_EQ(p.ui.texts(), std::vector<std::u16string>{u"Open one of the existing slide show index files?"});
    EXPECT_EQ(p.ui.dialogs.at(0).kind, u"open index");
    EXPECT_EQ(p.ui.dialogs.at(0).title, u"Open slide show index file");
    EXPECT_EQ(p.ui.dialogs.at(0).start_folder, show.folder.path());
    EXPECT_EQ(p.files(), std::vector<std::u16string>{u"b.jpg"});
}

// An index that cannot be read leads back to the open dialog without a word; Cancel
// there leaves no part of it behind.
TEST(NewShow, AFailedOpenAsksAgainAndLeavesNoShow) {
    Pictures show({"a.jpg"});
    show.folder.write("broken.ssi", "SlideShow 1.0\nname \"Half\"\nn_slides 20000\nend\n");
    Program p;
    p.ui.dialog_answers = {std::nullopt};
    EXPECT_TRUE(open_show_file(p.context, show.index(u"broken.ssi")));
    EXPECT_EQ(p.ui.texts(), std::vector<std::u16string>{u"Illegal number of slides: 20000"});
    EXPECT_EQ(p.dialog_kinds(), std::vector<std::u16string>{u"open index"});
    EXPECT_EQ(p.ui.dialogs[0].start_folder, u"");
    EXPECT_EQ(p.context.show.settings.name, u"Untitled");
    EXPECT_TRUE(p.context.show.show_folder.empty());
    EXPECT_EQ(p.ui.main_window_title, u"Lumivane 1.0.15");
}

// Thousands of pictures are listed in the order a person counts them, up to the most
// an index file holds; past that nothing is written.
TEST(NewShow, AsManyPicturesAsAShowHoldsAndNoMore) {
    TempFolder folder;
    for (int i = 1; i <= max_slides + 1; ++i) folder.write("IMG_" + std::to_string(i) + ".tif", "II");
    Program p;
    p.context.show.show_folder = folder.path();
    EXPECT_TRUE(open_show_in_folder(p.context, u"index.ssi", true));
    EXPECT_EQ(p.ui.texts(), std::vector<std::u16string>{
                                u"Folder contains 10001 JPEG or TIFF files, more than a slide show can hold (10000)"});
    EXPECT_FALSE(std::filesystem::exists(folder.native_file("index.ssi")));

    std::filesystem::remove(folder.native_file("IMG_10001.tif"));
    ASSERT_FALSE(create_index_from_folder(p.context, folder.file(u"index.ssi"), folder.path()));
    const std::string text = testing::read_bytes(folder.native_file("index.ssi"));
    const std::size_t nine = text.find("\"IMG_9.tif\"");
    EXPECT_NE(text.find("\r\nn_slides 10000\r\n"), std::string::npos);
    EXPECT_LT(text.find("\r\nslide 0 0 1 1 \"IMG_1.tif\""), nine);
    EXPECT_LT(nine, text.find("\"IMG_10.tif\""));
    EXPECT_NE(text.find("\r\nslide 9999 0 1 1 \"IMG_10000.tif\""), std::string::npos);
}

}  // namespace
}  // namespace lumivane

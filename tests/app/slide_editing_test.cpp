#include "app/slide_editing.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <functional>

#include "app/app_context.h"
#include "playback/pan_zoom.h"
#include "support/jpeg_files.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::TempFolder;

// A show in folder whose slides are named by one letter each ("a.jpg" with the extension);
// upper-case letters are selected.
struct Program {
    testing::RecordingUi ui;
    AppContext context{ui};
    Program(const std::u16string& folder, const std::string& files, std::int32_t current, const char16_t* extension = u"") {
        context.show.show_folder = folder;
        for (char c : files) {
            context.show.slides.push_back(new_blank_slide());
            context.show.slides.back().file = char16_t(std::tolower(c)) + std::u16string(extension);
            context.show.slides.back().selected = std::isupper(c);
        }
        context.current_slide = current;
    }
    std::string letters() const {
        std::string text;
        for (const Slide& slide : context.show.slides) text += slide.file.empty() ? '-' : char(slide.file[0]);
        return text;
    }
};

// A JPEG whose width tells the picture apart; half as high as wide.
void write_picture(const TempFolder& folder, const std::string& name, int width) {
    testing::write_jpeg(folder.native_file(name), width, width / 2, false, [](int, int, int) { return 128; });
}

TEST(SlideEditing, CurrentIndexAfterDeletesPastesAndMoves) {
    using Edit = std::function<void(AppContext&)>;
    const auto remove = [](std::int32_t i) -> Edit { return [i](AppContext& c) { static_cast<void>(delete_slide(c, i, false)); }; };
    const auto paste = [](bool before) -> Edit { return [before](AppContext& c) { static_cast<void>(paste_slides(c, before)); }; };
    const auto move = [](std::int32_t from, std::int32_t to) -> Edit { return [=](AppContext& c) { move_slide(c, from, to); }; };
    const struct {
        std::string show;
        std::int32_t current;
        Edit edit;
        std::string result;
        std::int32_t result_current;
    } cases[] = {
        {"abcde", 4, remove(4), "abcd", 3},  // the last one current: the one before it
        {"abcde", 3, remove(1), "acde", 3},  // an earlier one: the number stays
        {"a", 0, remove(0), "", 0},
        {"aBCde", 4, [](AppContext& c) { delete_addressed_slides(c, false); }, "ad", 1},
        {"", 0, paste(true), "xy", 0},
        {"abc", 2, paste(false), "abcxy", 3},  // after the last: the first copy
        {"abc", 1, paste(false), "abxyc", 3},  // in the middle: the last copy
        {"abc", 1, paste(true), "axybc", 2},
        // A selected current slide is copied once.
        {"aBC", 1, [](AppContext& c) {
             static_cast<void>(copy_addressed_slides(c));
             static_cast<void>(paste_slides(c, false));
         }, "abbcc", 3},
        {"abcde", 1, move(1, 1), "abcde", 1},
        {"abcde", 1, move(1, 2), "abcde", 1},
        {"abcde", 1, move(1, 5), "acdeb", 4},
        {"abcde", 1, move(3, 0), "dabce", 0},
    };
    for (const auto& c : cases) {
        Program p(u"/shows/one", "xY", 0);
        EXPECT_FALSE(copy_addressed_slides(p.context));
        Program show(u"/shows/one", c.show, c.current);
        show.context.clipboard = std::move(p.context.clipboard);
        c.edit(show.context);
        const std::string name = c.show + " " + std::to_string(c.current);
        EXPECT_EQ(show.letters(), c.result) << name;
        EXPECT_EQ(show.context.current_slide, c.result_current) << name;
        EXPECT_EQ(show.context.show.modified, show.letters() != c.show) << name;
    }
}

TEST(SlideEditing, InsertCopiesPicturesInAndSkipsFilesThatAreNoPictures) {
    TempFolder show;
    TempFolder other;
    write_picture(show, "same.jpg", 50);
    write_picture(other, "keep.jpg", 60);
    other.write("note.jpg", "not a picture");
    Program p(show.path(), "ab", 1);
    p.context.show.settings.default_style = SlideStyle::Crop;
    p.context.motion = Motion::Smooth;
    p.ui.dialog_answers = {std::vector{other.file(u"keep.jpg"), other.file(u"note.jpg"), other.file(u"gone.jpg"),
                                       show.file(u"same.jpg")}};
    ASSERT_FALSE(insert_image_files(p.context, 1, true));

    EXPECT_EQ(p.ui.texts(), (std::vector<std::u16string>{u"Only JPEG or TIFF files can be processed: note.jpg",
                                                         u"File not found: " + other.file(u"gone.jpg")}));
    EXPECT_EQ(testing::read_bytes(show.native_file("keep.jpg")), testing::read_bytes(other.native_file("keep.jpg")));
    EXPECT_EQ(p.letters(), "aksb");
    EXPECT_EQ(p.context.current_slide, 1);
    EXPECT_EQ(p.context.last_image_folder, other.path());
    EXPECT_EQ(p.ui.status_depth, 0);
    EXPECT_EQ(p.ui.status_log[0], u"show: Reading file: " + show.file(u"keep.jpg"));
    const auto& slides = p.context.show.slides;
    EXPECT_EQ(slides[1].caption, u"keep.jpg");
    EXPECT_EQ(slides[1].image.width, 60);
    EXPECT_EQ(slides[2].image.width, 50);
    // A cropped 60 x 30 picture: the centred 53 pixels of width, cut to 16 : 9.
    EXPECT_NEAR(slides[1].frames[0].left, (60 - 53) / 2.0 / 60, 1e-9);
    EXPECT_NEAR(slides[1].frames[0].top, (30 - 53 * 9 / 16.0) / 2.0 / 30, 1e-9);
    // Its copy on the clipboard shares the transform but owns its pixels, equal to the slide's.
    EXPECT_FALSE(copy_addressed_slides(p.context));
    const Slide& copy = p.context.clipboard.slides.at(0);
    EXPECT_TRUE(copy.transform && copy.transform == slides[1].transform);
    ASSERT_EQ(copy.image.height, 30);
    EXPECT_NE(copy.image.rows[7], slides[1].image.rows[7]);
    EXPECT_EQ(std::vector(copy.image.rows[7], copy.image.rows[7] + 180),
              std::vector(slides[1].image.rows[7], slides[1].image.rows[7] + 180));
    EXPECT_EQ(copy.thumbnail.width, slides[1].thumbnail.width);
    EXPECT_NE(copy.thumbnail.rows, slides[1].thumbnail.rows);
    // In smooth motion inserted and pasted slides have their picture levels; the clipboard has none.
    EXPECT_FALSE(slides[1].levels.empty());
    EXPECT_TRUE(copy.levels.empty());
    ASSERT_FALSE(paste_slides(p.context, false));
    EXPECT_EQ(slides[2].image.width, 60);
    EXPECT_EQ(slides[2].levels.size(), slides[1].levels.size());
}

TEST(SlideEditing, AddStopsAtCancelAndKnowsAFileReachedByAnotherPath) {
    TempFolder show;
    TempFolder other;
    write_picture(show, "dup.jpg", 40);
    write_picture(other, "dup.jpg", 60);
    write_picture(other, "new.jpg", 70);
    std::filesystem::create_directory_symlink(show.native(), other.native_file("link"));
    Program p(show.path(), "", 0);
    const auto last_width = [&p] { return p.context.show.slides.back().image.width; };

    p.ui.answers = {BoxAnswer::Cancel};  // stops the rest too
    EXPECT_TRUE(add_image_files(p.context, {other.file(u"dup.jpg"), other.file(u"new.jpg")}));
    EXPECT_EQ(p.context.show.slide_count(), 0);
    // The same file reached through another path: no question, and not emptied.
    ASSERT_FALSE(add_image_file(p.context, other.file(u"link/dup.jpg")));
    EXPECT_EQ(last_width(), 40);
    EXPECT_EQ(p.ui.boxes.size(), 1u);
    // A damaged copy is named by the file the user chose; its slide stays, without a picture.
    other.write("bad.jpg", "\xFF\xD8\xFF\xE0 no picture");
    ASSERT_FALSE(add_image_file(p.context, other.file(u"bad.jpg")));
    EXPECT_EQ(p.ui.texts().back(), u"Error reading slide file: " + other.file(u"bad.jpg"));
    EXPECT_TRUE(p.context.show.slides.back().image.empty());
    EXPECT_EQ(p.letters(), "db");
    EXPECT_EQ(p.context.current_slide, 1);
    EXPECT_EQ(p.ui.status_depth, 0);
}

TEST(SlideEditing, DeletedFilesGoToTheTrashUnlessShownOrMissing) {
    TempFolder show;
    write_picture(show, "s.jpg", 40);
    write_picture(show, "o.jpg", 40);
    Program p(show.path(), "ssog", 0, u".jpg");
    static_cast<void>(delete_slide(p.context, 0, true));
    static_cast<void>(delete_slide(p.context, 0, true));
    p.ui.trash_fails = true;
    static_cast<void>(delete_slide(p.context, 0, true));
    static_cast<void>(delete_slide(p.context, 0, true));
    EXPECT_EQ(p.ui.texts(), (std::vector<std::u16string>{u"Image file is used by another slide will not be deleted: s.jpg",
                                                         u"Cannot move file to the trash: " + show.file(u"o.jpg"),
                                                         u"File not found: " + show.file(u"g.jpg")}));
    EXPECT_EQ(p.ui.trashed, std::vector{show.file(u"s.jpg")});
    EXPECT_TRUE(std::filesystem::exists(show.native_file("o.jpg")));
    EXPECT_EQ(p.context.show.slide_count(), 0);
}

TEST(SlideEditing, PasteCopiesFilesFromAnotherFolderAndNeverPassesTheLargestShow) {
    TempFolder first;
    TempFolder second;
    write_picture(first, "a.jpg", 40);
    Program p(first.path(), "a", 0, u".jpg");
    EXPECT_FALSE(copy_addressed_slides(p.context));
    p.context.show.show_folder = second.path();
    ASSERT_FALSE(paste_slides(p.context, true));
    EXPECT_EQ(testing::read_bytes(second.native_file("a.jpg")), testing::read_bytes(first.native_file("a.jpg")));
    std::filesystem::remove(first.native_file("a.jpg"));
    EXPECT_TRUE(paste_slides(p.context, true));
    EXPECT_EQ(p.ui.texts(), std::vector<std::u16string>{u"Cannot copy file: a.jpg"});
    EXPECT_EQ(p.context.show.slide_count(), 2);

    p.context.show.slides.resize(max_slides);
    EXPECT_TRUE(add_image_files(p.context, {second.file(u"a.jpg")}));
    EXPECT_EQ(p.ui.texts().back(), u"A slide show holds at most 10000 slides: this one has 10000, and 1 more cannot be added");
    EXPECT_EQ(p.context.show.slide_count(), max_slides);
}

// A file copied into the show folder by Add, Insert or Paste from another show meets a
// file of its name there, which a slide already shows: the same bytes need no copy and
// no question; different ones are replaced only after Yes, and then every slide shows
// the new picture; No keeps and shows the old one; Cancel adds nothing. A replaced file
// that the trash cannot take stays, and nothing is added.
TEST(SlideEditing, AFileOfTheSameNameIsReplacedOnlyWhenTheUserSaysSo) {
    using Command = std::function<bool(Program&, const TempFolder& other)>;
    const struct {
        const char* name;
        Command command;
    } commands[] = {
        {"add", [](Program& p, const TempFolder& other) { return add_image_file(p.context, other.file(u"dup.jpg")); }},
        {"insert",
         [](Program& p, const TempFolder& other) {
             p.ui.dialog_answers = {std::vector{other.file(u"dup.jpg")}};
             return insert_image_files(p.context, 0, false);
         }},
        {"paste",
         [](Program& p, const TempFolder& other) {
             Program source(other.path(), "", 0);
             static_cast<void>(add_image_file(source.context, other.file(u"dup.jpg")));
             static_cast<void>(copy_addressed_slides(source.context));
             p.context.clipboard = std::move(source.context.clipboard);
             return paste_slides(p.context, false);
         }},
    };
    const struct {
        const char* name;
        bool identical;
        BoxAnswer answer;
        bool trash_fails;
        std::vector<std::int32_t> widths;  // of the slides afterwards
        bool replaced;
    } situations[] = {
        {"identical", true, BoxAnswer::Ok, false, {40, 40}, false},
        {"Yes", false, BoxAnswer::Yes, false, {60, 60}, true},
        {"No", false, BoxAnswer::No, false, {40, 40}, false},
        {"Cancel", false, BoxAnswer::Cancel, false, {40}, false},
        {"Yes, no trash", false, BoxAnswer::Yes, true, {40}, false},
    };
    for (const auto& command : commands) {
        for (const auto& situation : situations) {
            const std::string name = std::string(command.name) + ", " + situation.name;
            TempFolder show;
            TempFolder other;
            write_picture(show, "dup.jpg", 40);
            if (situation.identical) {
                other.write("dup.jpg", testing::read_bytes(show.native_file("dup.jpg")));
            } else {
                write_picture(other, "dup.jpg", 60);
            }
            const std::string old_bytes = testing::read_bytes(show.native_file("dup.jpg"));
            Program p(show.path(), "", 0);
            ASSERT_FALSE(add_image_file(p.context, show.file(u"dup.jpg"))) << name;
            if (!situation.identical) p.ui.answers = {situation.answer};
            p.ui.trash_fails = situation.trash_fails;
            command.command(p, other);

            std::vector<std::int32_t> widths;
            for (const Slide& slide : p.context.show.slides) widths.push_back(slide.image.width);
            EXPECT_EQ(widths, situation.widths) << name;
            if (situation.identical) {
                EXPECT_TRUE(p.ui.boxes.empty()) << name;
            } else {
                ASSERT_FALSE(p.ui.boxes.empty()) << name;
                EXPECT_EQ(p.ui.texts()[0], u"File already exists: dup.jpg\nOverwrite with new file?") << name;
            }
            EXPECT_EQ(testing::read_bytes(show.native_file("dup.jpg")),
                      situation.replaced ? testing::read_bytes(other.native_file("dup.jpg")) : old_bytes)
                << name;
            EXPECT_EQ(p.ui.trashed.size(), situation.replaced ? 1u : 0u) << name;
        }
    }
}

// After Cut with its files, Paste finds each file in the trash and copies it back into
// the show folder, byte for byte: into the same show or another, also when two cut
// slides share the file. A file gone from the trash too stops the paste.
TEST(SlideEditing, PastedSlidesHaveTheirFilesAfterACutWithTheFiles) {
    const struct {
        const char* name;
        std::string show;  // upper case: cut
        bool other_show;
        bool trash_emptied;
    } cases[] = {
        {"the same show", "Ab", false, false},
        {"another show", "Ab", true, false},
        {"two slides of one file", "AAb", false, false},
        {"an emptied trash", "Ab", false, true},
    };
    for (const auto& c : cases) {
        TempFolder first;
        TempFolder second;
        write_picture(first, "a.jpg", 40);
        write_picture(first, "b.jpg", 50);
        const std::string bytes = testing::read_bytes(first.native_file("a.jpg"));
        Program p(first.path(), c.show, 0, u".jpg");
        cut_addressed_slides(p.context, true);
        ASSERT_FALSE(std::filesystem::exists(first.native_file("a.jpg"))) << c.name;
        if (c.trash_emptied) std::filesystem::remove_all(p.ui.trash_bin.native());
        const TempFolder& target = c.other_show ? second : first;
        p.context.show.show_folder = target.path();
        p.ui.boxes.clear();

        EXPECT_EQ(paste_slides(p.context, true), c.trash_emptied) << c.name;
        EXPECT_EQ(testing::read_bytes(target.native_file("a.jpg")), c.trash_emptied ? "" : bytes) << c.name;
        EXPECT_EQ(p.letters(), c.trash_emptied ? "b" : std::string(c.show.size() - 1, 'a') + "b") << c.name;
        if (c.trash_emptied) {
            EXPECT_EQ(p.ui.texts(), std::vector<std::u16string>{u"Cannot copy file: a.jpg"}) << c.name;
        }
    }
}

// Copies of whole pictures are made only when the memory they need fits: otherwise the
// user is told and nothing changes, where the system would end the program unasked.
TEST(SlideEditing, CopiesOfPicturesThatDoNotFitAreRefused) {
    TempFolder show;
    write_picture(show, "a.jpg", 40);
    write_picture(show, "b.jpg", 60);
    const auto nothing_fits = [](std::uint64_t) { return false; };
    using Command = std::function<bool(AppContext&)>;
    const struct {
        const char* name;
        Command command;
        std::string letters;
    } cases[] = {
        {"copy", [&](AppContext& c) { return copy_addressed_slides(c, nothing_fits); }, "ab"},
        {"cut", [&](AppContext& c) { return cut_addressed_slides(c, true, nothing_fits), true; }, "ab"},
        {"paste", [&](AppContext& c) { return static_cast<void>(copy_addressed_slides(c)), paste_slides(c, false, nothing_fits); }, "ab"},
    };
    for (const auto& c : cases) {
        Program p(show.path(), "", 0);
        ASSERT_FALSE(add_image_files(p.context, {show.file(u"a.jpg"), show.file(u"b.jpg")}));
        p.context.show.slides[0].selected = true;
        EXPECT_TRUE(c.command(p.context)) << c.name;
        EXPECT_EQ(p.letters(), c.letters) << c.name;
        ASSERT_EQ(p.ui.boxes.size(), 1u) << c.name;
        EXPECT_TRUE(p.ui.texts()[0].starts_with(u"Out of memory: the pictures of 2 slides need")) << c.name;
        EXPECT_EQ(p.context.clipboard.empty(), std::string(c.name) != "paste") << c.name;
        EXPECT_TRUE(p.ui.trashed.empty()) << c.name;
    }
}

}  // namespace
}  // namespace lumivane

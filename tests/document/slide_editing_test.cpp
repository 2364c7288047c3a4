#include "document/slide_editing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "document/app_context.h"
#include "support/jpeg_files.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::RecordingUi;
using testing::TempFolder;

struct Program {
    RecordingUi ui;
    AppContext context{ui};
};

// A JPEG whose width tells the picture apart; half as high as wide.
void write_picture(const TempFolder& folder, const std::string& name, int width) {
    testing::write_jpeg(folder.native_file(name), width, width / 2, false, [](int, int, int) { return 128; });
}

// The show as one letter per slide, each slide's file being its letter.
std::string letters(const SlideShow& show) {
    std::string text;
    for (const Slide& slide : show.slides) text += slide.file.empty() ? '-' : static_cast<char>(slide.file[0]);
    return text;
}

void make_show(AppContext& context, const std::string& files, std::int32_t current) {
    context.show.slides.clear();
    for (char c : files) {
        context.show.slides.push_back(new_blank_slide());
        context.show.slides.back().file = std::u16string(1, static_cast<char16_t>(c));
    }
    context.current_slide = current;
    context.show.modified = false;
}

TEST(SlideEditing, CurrentIndexAfterDeletesPastesAndMoves) {
    struct Case {
        std::string show;
        std::int32_t current;
        std::vector<std::int32_t> selected;
        std::function<void(AppContext&)> edit;
        std::string result;
        std::int32_t result_current;
    };
    const auto remove = [](std::int32_t i) { return [i](AppContext& c) { delete_slide(c, i, false); }; };
    const auto paste = [](bool before) { return [before](AppContext& c) { paste_slides(c, before); }; };
    const auto move = [](std::int32_t from, std::int32_t to) { return [=](AppContext& c) { move_slide(c, from, to); }; };
    const Case cases[] = {
        {"abcde", 4, {}, remove(4), "abcd", 3},  // the last one current: the one before it
        {"abcde", 3, {}, remove(1), "acde", 3},  // an earlier one: the number stays
        {"a", 0, {}, remove(0), "", 0},
        {"abcde", 4, {1, 2}, [](AppContext& c) { delete_addressed_slides(c, false); }, "ad", 1},
        {"", 0, {}, paste(true), "XY", 0},
        {"abc", 2, {}, paste(false), "abcXY", 3},  // after the last: the first copy
        {"abc", 1, {}, paste(false), "abXYc", 3},  // in the middle: the last copy
        {"abc", 1, {}, paste(true), "aXYbc", 2},
        // A selected current slide is copied once.
        {"abc", 1, {1, 2}, [](AppContext& c) { copy_addressed_slides(c), paste_slides(c, false); }, "abbcc", 3},
        {"abcde", 1, {}, move(1, 1), "abcde", 1},
        {"abcde", 1, {}, move(1, 2), "abcde", 1},
        {"abcde", 1, {}, move(1, 5), "acdeb", 4},
        {"abcde", 1, {}, move(3, 0), "dabce", 0},
    };
    for (const Case& c : cases) {
        Program p;
        p.context.show.show_folder = u"/shows/one";
        make_show(p.context, "XY", 0);
        p.context.show.slides[1].selected = true;
        copy_addressed_slides(p.context);
        make_show(p.context, c.show, c.current);
        for (std::int32_t i : c.selected) p.context.show.slides[static_cast<std::size_t>(i)].selected = true;
        c.edit(p.context);
        EXPECT_EQ(letters(p.context.show), c.result) << c.show << " " << c.current;
        EXPECT_EQ(p.context.current_slide, c.result_current) << c.show << " " << c.current;
        EXPECT_EQ(p.context.show.modified, c.result != c.show) << c.show << " " << c.current;
    }
}

TEST(SlideEditing, InsertCopiesWithoutAskingAndLeavesBlanksForOtherFiles) {
    TempFolder show;
    TempFolder other;
    write_picture(show, "keep.jpg", 40);
    write_picture(show, "same.jpg", 50);
    write_picture(other, "keep.jpg", 60);
    other.write("note.jpg", "not a picture");
    Program p;
    p.context.show.show_folder = show.path();
    p.context.show.settings.default_style = style_crop;
    make_show(p.context, "ab", 1);
    p.ui.dialog_answers = {std::vector{other.file(u"keep.jpg"), other.file(u"note.jpg"), show.file(u"same.jpg")}};
    ASSERT_FALSE(insert_image_files(p.context, 1, true));

    EXPECT_EQ(p.ui.texts(), std::vector<std::u16string>{u"Only JPEG or TIFF files can be processed: note.jpg"});
    EXPECT_EQ(p.ui.trashed, std::vector{show.file(u"keep.jpg")});  // replaced, but kept in the trash
    EXPECT_EQ(testing::read_bytes(show.native_file("keep.jpg")), testing::read_bytes(other.native_file("keep.jpg")));
    EXPECT_EQ(letters(p.context.show), "ak-sb");
    EXPECT_EQ(p.context.current_slide, 1);
    EXPECT_EQ(p.context.last_image_folder, other.path());
    EXPECT_EQ(p.ui.status_depth, 0);
    EXPECT_EQ(p.ui.status_log[0], u"show: Reading file: " + show.file(u"keep.jpg"));
    const auto& slides = p.context.show.slides;
    EXPECT_EQ(slides[1].caption, u"keep.jpg");
    EXPECT_EQ(slides[1].image.width, 60);
    EXPECT_EQ(slides[3].image.width, 50);
    EXPECT_TRUE(slides[2].image.empty());
    EXPECT_EQ(slides[2].style, style_default);
    // A cropped 60 x 30 picture: the centred 53 pixels of width, cut to 16 : 9.
    EXPECT_NEAR(slides[1].frames[0].left, (60 - 53) / 2.0 / 60, 1e-9);
    EXPECT_NEAR(slides[1].frames[0].top, (30 - 53 * 9 / 16.0) / 2.0 / 30, 1e-9);
}

TEST(SlideEditing, AddAsksBeforeReplacingAFileOfTheSameName) {
    TempFolder show;
    TempFolder other;
    write_picture(show, "dup.jpg", 40);
    write_picture(other, "dup.jpg", 60);
    write_picture(other, "new.jpg", 70);
    const std::filesystem::path through_link = other.native_file("link");
    std::filesystem::create_directory_symlink(show.native(), through_link);
    Program p;
    p.context.show.show_folder = show.path();
    const auto last_width = [&p] { return p.context.show.slides.back().image.width; };

    p.ui.answers = {BoxAnswer::No};
    ASSERT_FALSE(add_image_file(p.context, other.file(u"dup.jpg")));
    EXPECT_EQ(p.ui.texts().back(), u"File already exists: dup.jpg\nOverwrite with new file?");
    EXPECT_EQ(last_width(), 40);  // the file already there
    p.ui.answers = {BoxAnswer::Cancel};  // stops the rest too
    EXPECT_TRUE(add_image_files(p.context, {other.file(u"dup.jpg"), other.file(u"new.jpg")}));
    EXPECT_EQ(p.context.show.slide_count(), 1);
    p.ui.answers = {BoxAnswer::Yes};
    ASSERT_FALSE(add_image_file(p.context, other.file(u"dup.jpg")));
    EXPECT_EQ(last_width(), 60);
    EXPECT_EQ(p.ui.trashed.size(), 1u);
    // The same file reached through another path: no question, and not emptied.
    ASSERT_FALSE(add_image_file(p.context, testing::u16(through_link.string() + "/dup.jpg")));
    EXPECT_EQ(last_width(), 60);
    EXPECT_EQ(p.ui.boxes.size(), 3u);
    EXPECT_EQ(p.context.current_slide, 2);
    EXPECT_EQ(p.context.show.slides[2].file, u"dup.jpg");
}

TEST(SlideEditing, DeletedFilesGoToTheTrashUnlessShownOrMissing) {
    TempFolder show;
    write_picture(show, "s.jpg", 40);
    write_picture(show, "o.jpg", 40);
    Program p;
    p.context.show.show_folder = show.path();
    make_show(p.context, "ssog", 0);
    for (Slide& slide : p.context.show.slides) slide.file += u".jpg";
    delete_slide(p.context, 0, true);
    delete_slide(p.context, 0, true);
    p.ui.trash_fails = true;
    delete_slide(p.context, 0, true);
    delete_slide(p.context, 0, true);
    EXPECT_EQ(p.ui.texts(), (std::vector<std::u16string>{u"Image file is used by another slide will not be deleted: s.jpg",
                                                         u"Cannot move file to the trash: " + show.file(u"o.jpg"),
                                                         u"File not found: " + show.file(u"g.jpg")}));
    EXPECT_EQ(p.ui.trashed, std::vector{show.file(u"s.jpg")});
    EXPECT_TRUE(std::filesystem::exists(show.native_file("o.jpg")));
    EXPECT_EQ(p.context.show.slide_count(), 0);
}

TEST(SlideEditing, PasteIntoAnotherFolderCopiesTheFilesFirst) {
    TempFolder first;
    TempFolder second;
    write_picture(first, "a.jpg", 40);
    Program p;
    p.context.show.show_folder = first.path();
    make_show(p.context, "a", 0);
    p.context.show.slides[0].file = u"a.jpg";
    copy_addressed_slides(p.context);
    p.context.show.show_folder = second.path();
    make_show(p.context, "", 0);
    ASSERT_FALSE(paste_slides(p.context, true));
    EXPECT_EQ(testing::read_bytes(second.native_file("a.jpg")), testing::read_bytes(first.native_file("a.jpg")));
    std::filesystem::remove(first.native_file("a.jpg"));
    EXPECT_TRUE(paste_slides(p.context, true));
    EXPECT_EQ(p.ui.texts(), std::vector<std::u16string>{u"Cannot copy file: a.jpg"});
    EXPECT_EQ(p.context.show.slide_count(), 1);
}

TEST(SlideEditing, NoEditTakesTheShowPastItsLargestSize) {
    TempFolder show;
    write_picture(show, "a.jpg", 40);
    Program p;
    p.context.show.show_folder = show.path();
    make_show(p.context, "ab", 1);
    p.context.show.slides[0].selected = true;
    copy_addressed_slides(p.context);  // two slides on the clipboard
    p.context.show.slides.resize(max_slides - 1);
    const std::vector<std::u16string> two = {show.file(u"a.jpg"), show.file(u"a.jpg")};
    p.ui.dialog_answers = {two};
    EXPECT_TRUE(paste_slides(p.context, false));
    EXPECT_TRUE(add_image_files(p.context, two));
    EXPECT_TRUE(insert_image_files(p.context, 0, true));
    EXPECT_EQ(p.ui.texts().size(), 3u);
    EXPECT_EQ(p.ui.texts()[0], u"A slide show holds at most 10000 slides: this one has 9999, and 2 more cannot be added");
    EXPECT_EQ(p.context.show.slide_count(), max_slides - 1);
    EXPECT_FALSE(add_image_file(p.context, show.file(u"a.jpg")));  // the last one fits
}

}  // namespace
}  // namespace lumivane

#include "document/show_index.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "app/app_context.h"
#include "app/show_folder.h"
#include "app/show_images.h"
#include "app/show_saving.h"
#include "app/slide_editing.h"
#include "platform/files.h"
#include "platform/text_encoding.h"
#include "support/jpeg_files.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::RecordingUi;
using testing::TempFolder;
using testing::u16;

const std::u16string tp = u"\u2034";  // the writer's quote

struct Fixture {
    RecordingUi ui;
    AppContext context{ui};
    TempFolder folder;

    bool read(std::string_view bytes, const std::string& name = "index.ssi") {
        folder.write(name, bytes);
        return read_show(context, folder.path(), u16(name));
    }
};

std::string utf8(const std::u16string& text) { return testing::u8(text); }

TEST(ReadShowIndex, ReadsEveryKeyword) {
    Fixture f;
    const std::string file = utf8(
        u"\ufeffSlideShow 1.0\r\n"
        u"name \u2034Trip to Paris\u2034\r\n"
        u"proportions 4 3\r\n"
        u"show_captions 2\r\nsize 3\r\nloop 0\r\nspeed 2\r\nautorun 1\r\ndefault_style 2\r\n"
        u"default_delay 3.5\r\ntransition 3\r\ntransition_time 0.75\r\n"
        u"n_slides 2\r\n"
        u"slide 0 3 1 2 \u2034First \"quoted\" caption\u2034 \u2034a.jpg\u2034\r\n"
        u"frame 0 0 -1 0 0 1 1\r\n"
        u"frame 0 1 2.25 0.1 0.2 0.6 0.7\r\n"
        u"slide 1 0 0 1 \"Second\" \u2033b c.tif\u2033 extra tokens\r\n"
        u"frame 1 0 4 0.25 0.25 0.75 0.75\r\n"
        u"unknown keyword\r\n"
        u"end\r\n"
        u"name \u2034after the end\u2034\r\n");
    ASSERT_FALSE(f.read(file));
    const SlideShow& show = f.context.show;
    EXPECT_EQ(show.settings.name, u"Trip to Paris");
    EXPECT_EQ(show.settings.proportions_width, 4);
    EXPECT_EQ(show.settings.proportions_height, 3);
    EXPECT_EQ(show.settings.show_captions, CaptionSize::Medium);
    EXPECT_EQ(show.settings.size, 3);
    EXPECT_EQ(show.settings.loop, 0);
    EXPECT_EQ(show.settings.speed, 2);
    EXPECT_EQ(show.speed_factor, 4.0);
    EXPECT_EQ(show.settings.autorun, AutorunMode::DontRun);
    EXPECT_EQ(show.settings.default_style, SlideStyle::Crop);
    EXPECT_EQ(show.settings.default_delay, 3.5);
    EXPECT_EQ(show.settings.transition, TransitionKind::Curtain);
    EXPECT_EQ(show.settings.transition_time, 0.75);
    ASSERT_EQ(show.slide_count(), 2);
    const Slide& first = show.slides[0];
    EXPECT_EQ(first.style, SlideStyle::Path);
    EXPECT_EQ(first.interpolation, Interpolation::Nonlinear);
    EXPECT_EQ(first.caption, u"First \"quoted\" caption");
    EXPECT_EQ(first.file, u"a.jpg");
    ASSERT_EQ(first.frame_count(), 2);
    EXPECT_EQ(first.frames[0].delay, -1.0);
    EXPECT_EQ(first.frames[1].delay, 2.25);
    EXPECT_EQ(first.frames[1].left, 0.1);
    EXPECT_EQ(first.frames[1].bottom, 0.7);
    EXPECT_EQ(show.slides[1].file, u"b c.tif");
    EXPECT_EQ(show.slides[1].caption, u"Second");
    EXPECT_EQ(show.slides[1].frames[0].right, 0.75);
    EXPECT_EQ(show.index_path, f.folder.file(u"index.ssi"));
    EXPECT_EQ(f.context.recent_files[0], f.folder.file(u"index.ssi"));
    EXPECT_TRUE(f.ui.boxes.empty());
    EXPECT_EQ(f.ui.changes, std::vector<Change>{Change::Slides | Change::Settings});
}

TEST(ReadShowIndex, VersionsAndHeaders) {
    struct Case {
        std::string header;
        bool failed;
        std::u16string warning;
    };
    const Case cases[] = {
        {"SlideShow 1.0", false, u""},
        {"SlideShow 1.5", false, u"SlideShow file was created for a newer version of Lumivane -- some settings may be ignored"},
        {"SlideShow 0.9", false,
         u"SlideShow file was created for an older version of Lumivane -- some settings may assigned default values"},
        {"SlideShow x", false, u"SlideShow file has invalid version number"},
        {"SlideShow 1.0 extra", true, u""},
        {"slideshow 1.0", true, u""},
        {"SlideShow", true, u""},
        {"", true, u""},
    };
    for (const Case& c : cases) {
        Fixture f;
        EXPECT_EQ(f.read(c.header + "\r\nname \"Read\"\r\nend\r\n"), c.failed) << c.header;
        if (c.warning.empty()) {
            EXPECT_TRUE(f.ui.boxes.empty()) << c.header;
        } else {
            ASSERT_EQ(f.ui.boxes.size(), 1u) << c.header;
            EXPECT_EQ(f.ui.boxes[0].title, u"Warning");
            EXPECT_EQ(f.ui.boxes[0].text, c.warning);
        }
        EXPECT_EQ(f.context.show.settings.name == u"Read", !c.failed) << c.header;
        EXPECT_EQ(f.ui.changes, std::vector<Change>{Change::Slides | Change::Settings}) << c.header;
    }
    Fixture missing;
    EXPECT_TRUE(read_show(missing.context, missing.folder.path(), u"none.ssi"));
    EXPECT_TRUE(missing.ui.boxes.empty());
}

TEST(ReadShowIndex, WithoutEndTheFileIsReadButNotRemembered) {
    Fixture f;
    f.context.show.index_path = u"/before/index.ssi";
    f.context.show.settings.loop = 0;
    ASSERT_FALSE(f.read("SlideShow 1.0\nname \"No end\"\nn_slides 1\nslide 0 1 0 1 \"c\" \"f.jpg\"\n"));
    EXPECT_EQ(f.context.show.settings.name, u"No end");
    EXPECT_EQ(f.context.show.slide_count(), 1);
    EXPECT_EQ(f.context.show.settings.loop, 0);  // not named: kept
    EXPECT_EQ(f.context.show.index_path, u"/before/index.ssi");
    EXPECT_TRUE(f.context.recent_files[0].empty());
}

TEST(ReadShowIndex, IllegalCountsStopTheRead) {
    struct Case {
        std::string lines;
        std::u16string message;
    };
    const Case cases[] = {
        {"n_slides 0", u"Illegal number of slides: 0"},
        {"n_slides 10001", u"Illegal number of slides: 10001"},
        {"n_slides -3", u"Illegal number of slides: -3"},
        {"n_slides 1\nslide 0 1 0 0 \"c\" \"f\"", u"Illegal number of frames: 0"},
        {"n_slides 1\nslide 0 1 0 10001 \"c\" \"f\"", u"Illegal number of frames: 10001"},
    };
    for (const Case& c : cases) {
        Fixture f;
        EXPECT_TRUE(f.read("SlideShow 1.0\n" + c.lines + "\nname \"after\"\nend\n"));
        ASSERT_EQ(f.ui.boxes.size(), 1u) << c.lines;
        EXPECT_EQ(f.ui.boxes[0].title, u"Error");
        EXPECT_EQ(f.ui.boxes[0].text, c.message);
        EXPECT_NE(f.context.show.settings.name, u"after");
    }
    Fixture most;
    EXPECT_FALSE(most.read("SlideShow 1.0\nn_slides 10000\nslide 9999 1 0 10000 \"c\" \"f\"\nend\n"));
    EXPECT_EQ(most.context.show.slide_count(), 10000);
    EXPECT_EQ(most.context.show.slides[9999].frame_count(), 10000);
}

TEST(ReadShowIndex, LinesOutsideTheFormatAreIgnored) {
    Fixture f;
    const std::string file =
        "SlideShow 1.0\n"
        "slide 0 2 0 1 \"early\" \"early.jpg\"\n"     // before n_slides
        "frame 0 0 1 0 0 1 1\n"                        // before n_slides
        "n_slides 2\n"
        "frame 0 0 1 0 0 1 1\n"                        // before its slide line
        "slide 2 1 0 1 \"c\" \"f\"\n"                  // index past the end
        "slide -1 1 0 1 \"c\" \"f\"\n"                 // negative index
        "slide 0 2 0 1 \"short\"\n"                    // too few arguments
        "slide 1 2 1 2 \"kept\" \"kept.jpg\"\n"
        "frame 1 2 9 9 9 9 9\n"                        // frame index past the end
        "frame 1 -1 9 9 9 9 9\n"
        "frame 1 1 7 0.5\n"                            // too few arguments
        "frame 1 1 7 0.1 0.2 0.3 0.4\n"
        "n_slides 5\n"                                 // a second count
        "proportions 5\n"                              // too few arguments
        "name\n"
        "end\n";
    ASSERT_FALSE(f.read(file));
    const SlideShow& show = f.context.show;
    ASSERT_EQ(show.slide_count(), 2);
    EXPECT_EQ(show.slides[0].frame_count(), 0);
    EXPECT_TRUE(show.slides[0].caption.empty());
    EXPECT_EQ(show.slides[0].style, SlideStyle::Fit);  // as allocated
    EXPECT_EQ(show.slides[1].caption, u"kept");
    ASSERT_EQ(show.slides[1].frame_count(), 2);
    EXPECT_EQ(show.slides[1].frames[0].delay, 0.0);
    EXPECT_EQ(show.slides[1].frames[1].delay, 7.0);
    EXPECT_EQ(show.slides[1].frames[1].bottom, 0.4);
    EXPECT_EQ(show.settings.proportions_width, 16);
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST(ReadShowIndex, TextsAreCutAndNumbersKeepWhatConverts) {
    Fixture f;
    const std::string long_name(300, 'n');
    ASSERT_FALSE(f.read("SlideShow 1.0\nname \"" + long_name +
                        "\"\nloop 12x\ndefault_delay 2.5s\ntransition_time 1.2.3\nend\n"));
    EXPECT_EQ(f.context.show.settings.name.size(), 255u);
    EXPECT_EQ(f.context.show.settings.loop, 12);
    EXPECT_EQ(f.context.show.settings.default_delay, 2.5);
    EXPECT_EQ(f.context.show.settings.transition_time, 0.0);  // refused at the second point
}

TEST(ReadShowIndex, Utf16InBothByteOrders) {
    const std::u16string text = u"SlideShow 1.0\r\nname \u2034Caf\u00e9\u2034\r\nend\r\n";
    for (bool big : {false, true}) {
        std::string bytes = big ? std::string("\xFE\xFF") : std::string("\xFF\xFE");
        for (char16_t c : text) {
            const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
            bytes += big ? std::string{high, low} : std::string{low, high};
        }
        Fixture f;
        ASSERT_FALSE(f.read(bytes)) << big;
        EXPECT_EQ(f.context.show.settings.name, u"Caf\u00e9") << big;
    }
}

// A show with a picture-free slide list, as the tests save it.
void fill_show(SlideShow& show, const std::u16string& folder) {
    show.show_folder = folder;
    show.settings.name = u"Holiday \"2026\"";
    show.settings.proportions_width = 3;
    show.settings.proportions_height = 2;
    show.settings.default_delay = 2.345;
    show.settings.transition_time = 1.0;
    show.settings.transition = TransitionKind::Crossfade;
    show.slides.resize(2);
    show.slides[0].caption = u"Caf\u00e9";
    show.slides[0].file = u"a.jpg";
    show.slides[0].style = SlideStyle::Path;
    show.slides[0].interpolation = Interpolation::Nonlinear;
    show.slides[0].frames = {{-1.0, 0.0, 0.0, 1.0, 1.0}, {2.5, 0.123456, 0.25, 0.75, 0.9}};
    show.slides[1].file = u"b.tif";
    show.slides[1].frames = {{4.0, -0.5, 0.0, 1.5, 1.0}};
    show.modified = true;
}

TEST(SaveShow, WritesEveryLineAndReadsBackTheSameShow) {
    Fixture f;
    fill_show(f.context.show, f.folder.path());
    const std::u16string path = f.folder.file(u"show.ssi");
    f.ui.dialog_answers.push_back(std::vector<std::u16string>{path});
    ASSERT_FALSE(save_show(f.context, u""));
    ASSERT_EQ(f.ui.dialogs.size(), 1u);
    EXPECT_EQ(f.ui.dialogs[0].title, u"Save Slide Show Settings");
    EXPECT_EQ(f.ui.dialogs[0].file_name, u"index.ssi");
    EXPECT_EQ(f.ui.dialogs[0].start_folder, f.folder.path());
    EXPECT_FALSE(f.context.show.modified);
    EXPECT_EQ(f.context.show.index_path, path);
    EXPECT_EQ(f.context.recent_files[0], path);

    const std::u16string expected =
        u"\ufeffSlideShow 1.0\r\n"
        u"name " + tp + u"Holiday \"2026\"" + tp + u"\r\n"
        u"proportions 3 2\r\nshow_captions 0\r\nsize 0\r\nloop 1\r\nn_slides 2\r\nautorun 2\r\n"
        u"default_style 1\r\ndefault_delay 2.35\r\ntransition 2\r\ntransition_time 1\r\n"
        u"slide 0 3 1 2 " + tp + u"Caf\u00e9" + tp + u" " + tp + u"a.jpg" + tp + u"\r\n"
        u"frame 0 0 -1 0 0 1 1\r\n"
        u"frame 0 1 2.5 0.1235 0.25 0.75 0.9\r\n"
        u"slide 1 1 0 1 " + tp + tp + u" " + tp + u"b.tif" + tp + u"\r\n"
        u"frame 1 0 4 -0.5 0 1.5 1\r\n"
        u"end\r\n";
    EXPECT_EQ(testing::read_bytes(f.folder.native_file("show.ssi")), utf8(expected));

    Fixture back;
    ASSERT_FALSE(read_show(back.context, f.folder.path(), u"show.ssi"));
    const SlideShow& a = f.context.show;
    const SlideShow& b = back.context.show;
    EXPECT_EQ(b.settings.name, a.settings.name);
    EXPECT_EQ(b.settings.default_delay, 2.35);  // two decimals
    EXPECT_EQ(b.settings.transition, TransitionKind::Crossfade);
    ASSERT_EQ(b.slide_count(), 2);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(b.slides[i].caption, a.slides[i].caption);
        EXPECT_EQ(b.slides[i].file, a.slides[i].file);
        EXPECT_EQ(b.slides[i].style, a.slides[i].style);
        EXPECT_EQ(b.slides[i].interpolation, a.slides[i].interpolation);
        ASSERT_EQ(b.slides[i].frame_count(), a.slides[i].frame_count());
    }
    EXPECT_EQ(b.slides[0].frames[1].left, 0.1235);  // four decimals
    EXPECT_EQ(b.slides[1].frames[0].left, -0.5);
}

// Pictures added from elsewhere under any name a file system holds, with captions and a
// show name holding every quote character, are saved and read back exactly, pictures
// included; a name of bytes that are no UTF-8 keeps those bytes in the file.
TEST(SaveShow, EveryNameAndCaptionReadsBackExactly) {
    const std::string names[] = {"quote\xE2\x80\xB4name.jpg", "Caf\xE9 \xC0t\xE9.jpg",
                                 "all \" \xE2\x80\xB3 \xE2\x80\xB4.jpg", "plain.jpg"};
    TempFolder elsewhere;
    Fixture f;
    f.context.show.show_folder = f.folder.path();
    for (const std::string& name : names) {
        testing::write_jpeg(elsewhere.native_file(name), 16, 8, false, [](int, int, int) { return 90; });
        ASSERT_FALSE(add_image_file(f.context, utf8_to_utf16(elsewhere.native() + "/" + name))) << name;
    }
    ASSERT_TRUE(f.ui.boxes.empty()) << utf8(f.ui.texts().front());
    f.context.show.settings.name = u"\u2034Best\u2033 of \"2026\"";
    f.context.show.slides[3].caption = u"He said \u2034hi\u2034,\r\nshe \u2033bye\u2033 \"x\"";
    f.ui.dialog_answers.push_back(std::vector<std::u16string>{f.folder.file(u"index.ssi")});
    ASSERT_FALSE(save_show(f.context, u""));
    EXPECT_NE(testing::read_bytes(f.folder.native_file("index.ssi")).find("\xE2\x80\xB4" "Caf\xE9 \xC0t\xE9.jpg\xE2\x80\xB4"),
              std::string::npos);

    Fixture back;
    ASSERT_FALSE(read_show(back.context, f.folder.path(), u"index.ssi"));
    back.context.show.show_folder = f.folder.path();
    load_show_images(back.context);
    EXPECT_TRUE(back.ui.boxes.empty()) << utf8(back.ui.texts().front());
    EXPECT_EQ(back.context.show.settings.name, f.context.show.settings.name);
    ASSERT_EQ(back.context.show.slide_count(), 4);
    for (std::size_t i = 0; i < 4; ++i) {
        const Slide& slide = back.context.show.slides[i];
        EXPECT_EQ(slide.file, utf8_to_utf16(names[i]));
        EXPECT_EQ(slide.caption, f.context.show.slides[i].caption);
        EXPECT_EQ(slide.image.width, 16) << names[i];
    }
}

TEST(SaveShow, RefusesAnotherFolderAndCancelledDialogs) {
    Fixture f;
    fill_show(f.context.show, f.folder.path());
    TempFolder elsewhere;
    f.ui.dialog_answers.push_back(std::vector<std::u16string>{elsewhere.file(u"index.ssi")});
    EXPECT_TRUE(save_show(f.context, u""));
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, u"Index file must be in the same folder as the image files.\nimage folder: " +
                                      f.folder.path() + u"\nindex folder: " + elsewhere.path());
    EXPECT_FALSE(file_exists(elsewhere.file(u"index.ssi")));
    EXPECT_TRUE(f.context.show.modified);
    EXPECT_TRUE(f.context.show.index_path.empty());

    f.ui.dialog_answers.push_back(std::nullopt);  // cancelled
    EXPECT_TRUE(save_show(f.context, f.folder.file(u"old.ssi")));
    EXPECT_EQ(f.ui.dialogs.back().file_name, u"old.ssi");
    EXPECT_TRUE(f.context.show.modified);

    // No show folder yet: the folder prompt comes first, and cancelling it saves nothing.
    Fixture none;
    none.context.show.slides.resize(1);
    none.ui.answers.push_back(BoxAnswer::Cancel);
    EXPECT_TRUE(save_show(none.context, u""));
    EXPECT_EQ(none.ui.boxes[0].title, u"Alert");
    EXPECT_EQ(none.ui.boxes[0].text, u"No slide show folder specified yet -- click OK to select one");
    EXPECT_TRUE(none.ui.dialogs.empty());
}

TEST(SaveShow, NoFolderYetAsksForOne) {
    Fixture f;
    f.context.show.slides.resize(1);
    f.ui.answers.push_back(BoxAnswer::Ok);
    f.ui.dialog_answers.push_back(std::vector<std::u16string>{f.folder.path()});
    f.ui.dialog_answers.push_back(std::vector<std::u16string>{f.folder.file(u"index.ssi")});
    ASSERT_FALSE(save_show(f.context, u""));
    EXPECT_EQ(f.context.show.show_folder, f.folder.path());
    EXPECT_EQ(f.ui.dialogs[0].title, u"Slide Show Folder");
    EXPECT_EQ(f.ui.main_window_title, u"Lumivane 1.0.15 -- " + f.folder.path());
    EXPECT_TRUE(file_exists(f.folder.file(u"index.ssi")));

    Fixture cancelled;
    cancelled.ui.answers.push_back(BoxAnswer::Ok);
    cancelled.ui.dialog_answers.push_back(std::nullopt);
    EXPECT_TRUE(ensure_show_folder(cancelled.context));
    EXPECT_TRUE(cancelled.context.show.show_folder.empty());
}

// The file system refuses to let the file grow past a few bytes, as a full disk would.
// The limit is set in a child process, which reports what it saw in its exit code.
TEST(SaveShow, AFailedWriteKeepsTheOldFileAndTheChanges) {
    Fixture f;
    fill_show(f.context.show, f.folder.path());
    const std::string old_content = "SlideShow 1.0\r\nname \"old\"\r\nend\r\n";
    f.folder.write("index.ssi", old_content);
    const std::u16string path = f.folder.file(u"index.ssi");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{40, 40};
        setrlimit(RLIMIT_FSIZE, &limit);
        f.ui.dialog_answers.push_back(std::vector<std::u16string>{path});
        const bool failed = save_show(f.context, path);
        const bool reported = f.ui.boxes.size() == 1 && f.ui.boxes[0].text == u"Cannot create slide show file: " + path;
        ::_exit(failed && reported && f.context.show.modified && f.context.show.index_path.empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(testing::read_bytes(f.folder.native_file("index.ssi")), old_content);
    // Nothing is left behind beside it.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(f.folder.native())) files += entry.is_regular_file();
    EXPECT_EQ(files, 1);
}

// The reader refuses a file without slides, so none is written.
TEST(SaveShow, AShowWithoutSlidesIsNotSaved) {
    Fixture f;
    f.context.show.show_folder = f.folder.path();
    f.context.show.modified = true;
    EXPECT_TRUE(save_show(f.context, f.folder.file(u"index.ssi")));
    EXPECT_EQ(f.ui.texts(), std::vector<std::u16string>{u"Cannot save a slide show without slides"});
    EXPECT_TRUE(f.ui.dialogs.empty());
    EXPECT_TRUE(f.context.show.modified);
    EXPECT_FALSE(file_exists(f.folder.file(u"index.ssi")));
}

TEST(WriteNewIndex, ListsTheImagesWithQuotationMarks) {
    Fixture f;
    f.context.show.settings.default_delay = 5.0;
    f.context.show.settings.transition_time = 2.5;
    const std::u16string path = f.folder.file(u"index.ssi");
    ASSERT_FALSE(write_new_index(f.context.show.settings, f.context.caption_source, path, u"/photos/trip", {u"a.jpg", u"b c.tif"}));
    EXPECT_EQ(testing::read_bytes(f.folder.native_file("index.ssi")),
              "\xEF\xBB\xBFSlideShow 1.0\r\nproportions 16 9\r\nn_slides 2\r\nautorun 2\r\nshow_captions 0\r\nloop 1\r\n"
              "size 0\r\nname \"/photos/trip\"\r\ndefault_style 1\r\ndefault_delay 5\r\ntransition 1\r\n"
              "transition_time 2.5\r\n"
              "slide 0 0 1 1 \"a.jpg\" \"a.jpg\"\r\nframe 0 0 -1.0 0.0 0.0 1.0 1.0\r\n"
              "slide 1 0 1 1 \"b c.tif\" \"b c.tif\"\r\nframe 1 0 -1.0 0.0 0.0 1.0 1.0\r\nend\r\n");
    Fixture back;
    ASSERT_FALSE(read_show(back.context, f.folder.path(), u"index.ssi"));
    ASSERT_EQ(back.context.show.slide_count(), 2);
    EXPECT_EQ(back.context.show.slides[1].caption, u"b c.tif");
    EXPECT_EQ(back.context.show.slides[1].style, SlideStyle::Default);
    EXPECT_EQ(back.context.show.slides[1].frames[0].delay, -1.0);

    EXPECT_TRUE(write_new_index(f.context.show.settings, f.context.caption_source, f.folder.file(u"missing/index.ssi"), u"/x", {u"a.jpg"}));
}

TEST(OfferSave, AsksOnlyForModifiedShows) {
    Fixture f;
    EXPECT_FALSE(offer_save(f.context));
    EXPECT_TRUE(f.ui.boxes.empty());

    fill_show(f.context.show, f.folder.path());
    f.ui.answers = {BoxAnswer::Cancel, BoxAnswer::No};
    EXPECT_TRUE(offer_save(f.context));
    EXPECT_EQ(f.ui.boxes[0].title, u"Confirm");
    EXPECT_EQ(f.ui.boxes[0].text, u"Save modified slide show settings?");
    EXPECT_EQ(f.ui.boxes[0].buttons, BoxButtons::YesNoCancel);
    EXPECT_EQ(f.ui.boxes[0].owner, BoxOwner::MainWindow);
    EXPECT_FALSE(offer_save(f.context));
    EXPECT_TRUE(f.context.show.modified);

    // Yes saves under the current index path; a failed save counts as cancelled.
    f.context.show.index_path = f.folder.file(u"index.ssi");
    f.ui.answers = {BoxAnswer::Yes};
    f.ui.dialog_answers.push_back(std::vector<std::u16string>{f.folder.file(u"index.ssi")});
    EXPECT_FALSE(offer_save(f.context));
    EXPECT_FALSE(f.context.show.modified);
    EXPECT_EQ(f.ui.dialogs.back().file_name, u"index.ssi");

    f.context.show.modified = true;
    f.ui.answers = {BoxAnswer::Yes};
    f.ui.dialog_answers.push_back(std::nullopt);
    EXPECT_TRUE(offer_save(f.context));
}

TEST(RecentFiles, MostRecentFirstAndTenAtMost) {
    RecentFiles list;
    for (int i = 0; i < 5; ++i) recent_add(list, u16("/p" + std::to_string(i)));
    EXPECT_EQ(list[0], u"/p4");
    EXPECT_EQ(list[4], u"/p0");
    recent_add(list, u"/p0");  // at index 4: moves to the front
    EXPECT_EQ((std::vector<std::u16string>(list.begin(), list.begin() + 6)),
              (std::vector<std::u16string>{u"/p0", u"/p4", u"/p3", u"/p2", u"/p1", u""}));
    recent_add(list, u"/p0");
    EXPECT_EQ(list[0], u"/p0");
    EXPECT_EQ(list[1], u"/p4");
    recent_add(list, u"/P0");  // letter case counts
    EXPECT_EQ(list[0], u"/P0");
    for (int i = 10; i < 20; ++i) recent_add(list, u16("/p" + std::to_string(i)));
    EXPECT_EQ(list[0], u"/p19");
    EXPECT_EQ(list[9], u"/p10");
    recent_remove(list, u"/p15");
    EXPECT_EQ(list[4], u"/p14");
    EXPECT_EQ(list[8], u"/p10");
    EXPECT_TRUE(list[9].empty());
    recent_remove(list, u"/absent");
    EXPECT_EQ(list[8], u"/p10");
}

}  // namespace
}  // namespace lumivane

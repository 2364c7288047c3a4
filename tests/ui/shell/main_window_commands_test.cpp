#include "ui/shell/main_window_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "app/app_context.h"
#include "app/command_line.h"
#include "support/fake_playback_window.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::RecordingUi;
using testing::TempFolder;

// A folder of two JPEG photographs (linked from the system's backgrounds), with or
// without an index listing them.
struct ShowFolder {
    TempFolder folder;
    explicit ShowFolder(bool indexed, const char* name = "Shown") {
        for (const char* photo : {"Dune.jpg", "Aqua.jpg"}) {
            std::filesystem::create_symlink(std::string("/usr/share/backgrounds/mate/nature/") + photo,
                                            folder.native_file(photo));
        }
        if (indexed) {
            folder.write("index.ssi", std::string("SlideShow 1.0\nname \"") + name +
                                          "\"\nn_slides 1\nslide 0 1 0 1 \"a\" \"Dune.jpg\"\nframe 0 0 -1 0 0 1 1\nend\n");
        }
    }
    std::u16string index() const { return folder.file(u"index.ssi"); }
};

struct Program {
    RecordingUi ui;
    AppContext context{ui};
};

TEST(MainWindowCommands, RecentLabelsShortenLongPaths) {
    const std::u16string fifty(50, u'a');
    EXPECT_EQ(recent_label(0, fifty), u"1: " + fifty);
    std::u16string fifty_one = u"/0123456789012345678901234" + std::u16string(25, u'z');
    ASSERT_EQ(fifty_one.size(), 51u);
    EXPECT_EQ(recent_label(9, fifty_one), u"10: /012345678901234567890123...zzzzzzzzzzzzzzzzzzzzzzzzz");
}

TEST(MainWindowCommands, GreyingFollowsSlidesClipboardAndFeatures) {
    Program p;
    struct Case {
        std::int32_t id;
        bool bare;        // no slides, empty clipboard
        bool with_both;   // slides and clipboard
    };
    const Case cases[] = {
        {command_new_show, false, true},       {command_open_show, true, true},
        {command_export_video, false, true},
        {command_save_show, true, true},       {command_exit, true, true},
        {command_recent_first + 3, true, true}, {command_restart_here, true, true},
        {command_open_show_folder, true, true}, {command_create_show, true, true},
        {command_add_images, true, true},       {command_paste_before, false, true},
        {command_cut_slides, false, true},      {command_remove_slide, true, true},
        {command_slide_properties, false, true}, {command_edit_slide, false, true},
    };
    for (const Case& c : cases) EXPECT_EQ(command_enabled(p.context, c.id), c.bare) << c.id;
    p.context.show.slides.resize(2);
    p.context.clipboard.slides.resize(1);
    for (const Case& c : cases) EXPECT_EQ(command_enabled(p.context, c.id), c.with_both) << c.id;
    EXPECT_TRUE(tool_button_enabled(p.context, 0));
    EXPECT_TRUE(tool_button_enabled(p.context, 8));
}

TEST(MainWindowCommands, DeletingAndCuttingAskFirst) {
    Program p;
    p.context.show.show_folder = u"/shows/one";
    run_command(p.context, p.ui, command_remove_slide);
    p.context.show.slides.resize(3);
    p.ui.answers = {BoxAnswer::Cancel, BoxAnswer::Cancel, BoxAnswer::No, BoxAnswer::No};
    tool_button_pressed(p.context, p.ui, 5);  // the current slide alone
    p.context.show.slides[1].selected = true;
    run_command(p.context, p.ui, command_cut_slides);
    EXPECT_EQ(p.context.show.slide_count(), 3);
    run_command(p.context, p.ui, command_cut_slides);
    EXPECT_EQ(p.context.show.slide_count(), 1);
    EXPECT_EQ(p.context.clipboard.slides.size(), 2u);
    p.context.show.slides[0].selected = true;  // the current slide, flagged too: the plural
    run_command(p.context, p.ui, command_remove_slide);
    EXPECT_EQ(p.context.show.slide_count(), 0);
    std::vector<std::u16string> questions;
    for (const auto& box : p.ui.boxes) questions.push_back(box.title + u": " + box.text);
    EXPECT_EQ(questions, (std::vector<std::u16string>{
                             u"Alert: No slides selected", u"Confirm: Delete image file as well as slide?",
                             u"Confirm: Delete image file(s)?", u"Confirm: Delete image file(s)?",
                             u"Confirm: Delete image files as well as slides?"}));
}

TEST(MainWindowCommands, PrevAndNextWrapAround) {
    Program p;
    p.context.show.slides.resize(3);
    const std::pair<std::int32_t, std::int32_t> steps[] = {{2, 2}, {3, 0}, {3, 1}, {2, 0}, {2, 2}};
    for (const auto& [button, expected] : steps) {
        tool_button_pressed(p.context, p.ui, button);
        EXPECT_EQ(p.context.current_slide, expected);
    }
}

// In the Auto modes a command that moves to another slide plays the show on from there
// only in a window the viewer sees. One closed, or sent behind the main window, keeps
// the slide the viewer chose, so that the next command addresses that slide; a window
// that leaves the screen while it plays stops at the slide last seen.
TEST(MainWindowCommands, AShowPlaysOnOnlyInAWindowOnTheScreen) {
    enum class Window { OnScreen, Behind, Closed };
    struct Case {
        const char* name;
        std::function<void(AppContext&, ShellInterface&)> command;
        std::int32_t current;  // afterwards, of slides 0 to 3 with slide 1 current
    };
    const Case cases[] = {
        {"next", [](AppContext& c, ShellInterface& s) { tool_button_pressed(c, s, 3); }, 2},
        {"previous", [](AppContext& c, ShellInterface& s) { tool_button_pressed(c, s, 2); }, 0},
        {"delete", [](AppContext& c, ShellInterface& s) { tool_button_pressed(c, s, 5); }, 1},
        {"cut", [](AppContext& c, ShellInterface& s) { run_command(c, s, command_cut_slides); }, 1},
        {"right arrow", [](AppContext& c, ShellInterface&) { main_window_key_down(c, PlaybackKey::Right); }, 2},
    };
    for (const Case& c : cases) {
        for (const Window shown : {Window::OnScreen, Window::Behind, Window::Closed}) {
            Program p;
            std::unique_ptr<testing::FakePlaybackWindow> window;
            p.ui.playback_window_factory = [&] {
                window = std::make_unique<testing::FakePlaybackWindow>(16, 9);
                playback_window_created(p.context.player, *window);
                return window.get();
            };
            p.context.show.settings.autorun = AutorunMode::Run;
            p.context.show.settings.transition = TransitionKind::None;
            p.context.show.slides.resize(4);
            p.ui.answers = {BoxAnswer::No};
            run_show(p.context.player);
            go_to_slide(p.context.player, 1, true);
            stop_show(p.context.player, false);
            if (shown == Window::Behind) window->seen = false;
            if (shown == Window::Closed) playback_window_destroyed(p.context.player);

            c.command(p.context, p.ui);
            const bool plays = shown == Window::OnScreen;
            EXPECT_EQ(p.context.playback.running, plays) << c.name << " " << static_cast<int>(shown);
            EXPECT_EQ(p.context.playback.displayed_slide, c.current) << c.name << " " << static_cast<int>(shown);
            // A show that plays has gone on to its next slide already.
            EXPECT_EQ(p.context.current_slide, c.current + (plays ? 1 : 0)) << c.name << " " << static_cast<int>(shown);
            if (!plays) continue;
            // Minimised while it plays: the next tick stops it at the slide the viewer saw.
            window->seen = false;
            p.ui.clock += window->timer;
            playback_tick(p.context.player);
            EXPECT_FALSE(p.context.playback.running) << c.name;
            EXPECT_EQ(window->timer, -1) << c.name;
            EXPECT_EQ(p.context.current_slide, c.current) << c.name;
        }
    }
}

TEST(MainWindowCommands, TheSettingsButtonAndTheMenuOpenTheDialogs) {
    Program p;
    p.ui.dialog_answers = {std::vector<std::u16string>{}, std::nullopt};
    tool_button_pressed(p.context, p.ui, 4);
    run_command(p.context, p.ui, command_preferences);
    run_command(p.context, p.ui, command_about);
    std::vector<std::u16string> kinds;
    for (const auto& dialog : p.ui.dialogs) kinds.push_back(dialog.kind);
    EXPECT_EQ(kinds, (std::vector<std::u16string>{u"properties", u"preferences", u"about"}));
}

TEST(MainWindowCommands, RecentEntriesThatAreGoneAreDropped) {
    Program p;
    ShowFolder show(true);
    p.context.recent_files = {u"/nowhere/index.ssi", show.index()};
    run_command(p.context, p.ui, command_recent_first);
    EXPECT_EQ(p.ui.texts(), std::vector<std::u16string>({u"No such file: /nowhere/index.ssi"}));
    EXPECT_EQ(p.context.recent_files[0], show.index());

    run_command(p.context, p.ui, command_recent_first);
    EXPECT_EQ(p.ui.texts().size(), 1u);
    EXPECT_EQ(p.context.show.settings.name, u"Shown");
    EXPECT_EQ(p.context.show.slide_count(), 1);
    EXPECT_FALSE(p.context.show.slides[0].image.empty());

    // A folder opens as "Open Slide Show Folder..." does.
    p.context.recent_files = {show.folder.path()};
    p.ui.answers = {BoxAnswer::Yes};
    run_command(p.context, p.ui, command_recent_first);
    EXPECT_EQ(p.ui.texts().back(), u"Open existing slide show index file: index.ssi?");
    EXPECT_EQ(p.context.show.index_path, show.index());
}

TEST(MainWindowCommands, EscClosesAndNewShowOffersToSave) {
    Program p;
    ShowFolder show(true);
    p.context.show.show_folder = show.folder.path();
    ASSERT_EQ(open_command_line_show(p.context, show.index()), CommandLineOpen::Opened);
    main_window_character(p.context, p.ui, u'\x1b');
    EXPECT_EQ(p.ui.main_window_close_requests, 1);

    p.context.show.modified = true;
    p.ui.answers = {BoxAnswer::Cancel};
    run_command(p.context, p.ui, command_new_show);
    EXPECT_EQ(p.context.show.slide_count(), 1);  // kept
    p.ui.answers = {BoxAnswer::No};
    run_command(p.context, p.ui, command_new_show);
    EXPECT_EQ(p.context.show.slide_count(), 0);
    EXPECT_EQ(p.context.show.settings.name, u"Untitled");
    EXPECT_EQ(p.ui.texts().back(), u"Save modified slide show settings?");
}

// The five ways of the command line, and a passed one.
TEST(CommandLineShow, OpensFilesAndFoldersOrAsks) {
    {
        Program p;
        ShowFolder show(false);
        const std::u16string upper = show.folder.file(u"index.SSI");  // neither index nor folder
        p.ui.dialog_answers = {std::nullopt};
        EXPECT_EQ(open_command_line_show(p.context, upper), CommandLineOpen::Cancelled);
        EXPECT_EQ(p.ui.dialogs.at(0).title, u"Select Slide Show Folder");
    }
    {
        Program p;
        ShowFolder show(true);
        p.ui.answers = {BoxAnswer::Cancel, BoxAnswer::Yes};
        EXPECT_EQ(open_command_line_show(p.context, show_path_argument({u"\"" + show.folder.path() + u"\""})),
                  CommandLineOpen::Nothing);  // Cancel to the question
        EXPECT_EQ(open_command_line_show(p.context, show.folder.path()), CommandLineOpen::Opened);
        EXPECT_EQ(p.ui.boxes.at(0).title, u"Warning");
        EXPECT_EQ(p.context.show.settings.name, u"Shown");
    }
    {
        // No: a new index of both pictures replaces the old one.
        Program p;
        ShowFolder show(true);
        p.ui.answers = {BoxAnswer::No};
        EXPECT_EQ(open_command_line_show(p.context, show.folder.path()), CommandLineOpen::Opened);
        EXPECT_EQ(p.context.show.slide_count(), 2);
        EXPECT_EQ(p.context.show.slides[0].file, u"Aqua.jpg");
    }
    {
        // No in a folder without pictures keeps the index there is.
        Program p;
        TempFolder empty;
        const std::string index = "SlideShow 1.0\nn_slides 1\nslide 0 1 0 1 \"a\" \"a.jpg\"\nend\n";
        empty.write("index.ssi", index);
        p.ui.answers = {BoxAnswer::No};
        EXPECT_EQ(open_command_line_show(p.context, empty.path()), CommandLineOpen::Failed);
        EXPECT_EQ(p.ui.texts().at(1), u"Folder contains no JPEG or TIFF files");
        EXPECT_EQ(p.ui.texts().at(2), u"Cannot open slide show: " + empty.file(u"index.ssi"));
        EXPECT_EQ(testing::read_bytes(empty.native_file("index.ssi")), index);
        EXPECT_TRUE(p.context.show.show_folder.empty());
    }
    {
        // A folder without an index becomes a show; a later start passes another one on.
        Program p;
        ShowFolder first(false);
        ShowFolder second(true, "Passed on");
        EXPECT_EQ(open_command_line_show(p.context, first.folder.path()), CommandLineOpen::Opened);
        EXPECT_EQ(p.context.recent_files[0], first.index());
        const std::u16string file = first.folder.file(command_line_file_name);
        ASSERT_FALSE(write_command_line_file(file, command_line_text({second.index(), u"extra"})));
        std::u16string text;
        ASSERT_FALSE(read_command_line_file(file, text));
        open_passed_command_line(p.context, text);
        EXPECT_EQ(p.context.show.settings.name, u"Passed on");
        EXPECT_EQ(p.context.recent_files[1], first.index());
    }
}

}  // namespace
}  // namespace lumivane

// A later start and a termination signal reaching the real program in this process,
// with a person answering its questions.
#include "ui/program_requests.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QTest>

#include <filesystem>
#include <functional>

#include "app/app_context.h"
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
using testing::TempFolder;

// Runs an event loop of the program's own until done holds (or 20 s have passed).
bool run_until(const std::function<bool()>& done) {
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    check.start(20);
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

// Closes the dialog a person was asked about, as its Cancel button does.
void cancel(QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); }

// The running program with its show "first", listening for later starts; shows
// "second" and one in a folder whose name holds quotes and a line end.
struct Running {
    TempFolder home;
    PrivateHome user{home.native()};
    std::u16string first = make_show("first");
    std::u16string second = make_show("second");
    QtUserInterface ui;
    AppContext context{ui};
    MainWindow window{context, ui};
    ProgramRequests requests{ui, context, window};
    SingleInstance instance{QString::fromStdString(home.native())};

    Running() { make_show("say \"hi\"\nthere"); }
    ~Running() { ui.destroy_playback_window(); }

    std::u16string make_show(const std::string& name) const {
        std::filesystem::create_directory(home.native_file(name));
        std::filesystem::create_symlink("/usr/share/backgrounds/mate/nature/Dune.jpg",
                                        home.native_file(name + "/Dune.jpg"));
        home.write(name + "/index.ssi",
                   "SlideShow 1.0\nautorun 2\nn_slides 1\nslide 0 1 0 1 \"a\" \"Dune.jpg\"\nframe 0 0 -1 0 0 1 1\nend\n");
        return utf8_to_utf16(home.native_file(name));
    }
    void start() {
        ASSERT_TRUE(start_program(ui, context, window, {first + u"/index.ssi"}));
        ASSERT_EQ(instance.claim(), InstanceClaim::Claimed);
        ASSERT_FALSE(instance.set_handler([this](InstanceRequest request) { requests.later_start(request); }));
    }
    // A later start with these arguments, in this process.
    void later_start(const std::vector<std::u16string>& arguments) const {
        SingleInstance later(QString::fromStdString(home.native()));
        EXPECT_EQ(later.claim(), InstanceClaim::Running);
        EXPECT_EQ(pass_on(later, arguments), 1);
    }
};

TEST(ProgramRequests, ALaterStartsShowOpensWhateverItsCommandLine) {
    // "~" stands for the test's home folder; an empty show folder is the untitled show.
    struct Case {
        std::vector<std::u16string> arguments;
        bool modified;
        std::deque<Person::Answer> answers;
        std::u16string shown;
    };
    std::vector<std::u16string> many(20000, u"-x \"y\"");
    many.front() = u"~/second/index.ssi";
    const Case cases[] = {
        {{u"~/second/index.ssi"}, false, {}, u"~/second"},
        {many, false, {}, u"~/second"},
        {{u"~/say \"hi\"\nthere"}, false, {QMessageBox::Yes}, u"~/say \"hi\"\nthere"},
        {{u"/" + std::u16string(99999, u'a')}, false, {Person::Act(cancel)}, u""},
        {{u"~/first/missing"}, false, {QStringLiteral("~/second")}, u"~/second"},  // a folder picked instead
        {{u"~/first/Dune.jpg"}, false, {Person::Act(cancel)}, u""},
        {{u"--fullscreen"}, false, {Person::Act(cancel)}, u""},
        {{u"~/second/index.ssi"}, true, {QMessageBox::No}, u"~/second"},
        {{u"~/second/index.ssi"}, true, {QMessageBox::Cancel}, u"~/first"},
    };
    for (const Case& c : cases) {
        Running r;
        const auto in_home = [&](std::u16string text) {
            return text.starts_with(u'~') ? r.home.path() + text.substr(1) : text;
        };
        const std::string name = utf16_to_utf8(c.arguments.front()).substr(0, 40);
        r.start();
        r.context.show.modified = c.modified;
        std::deque<Person::Answer> answers = c.answers;
        for (Person::Answer& answer : answers) {
            if (const auto* typed = std::get_if<QString>(&answer)) answer = QString::fromStdU16String(in_home(typed->toStdU16String()));
        }
        Person person(answers);
        std::vector<std::u16string> arguments = c.arguments;
        arguments.front() = in_home(arguments.front());
        r.later_start(arguments);
        const std::u16string expected = in_home(c.shown);
        EXPECT_TRUE(run_until([&] { return person.done() && !QApplication::activeModalWidget() &&
                                           r.context.show.show_folder == expected; }))
            << name << ": " << utf16_to_utf8(r.context.show.show_folder);
        EXPECT_EQ(r.context.show.slide_count(), expected.empty() ? 0 : 1) << name;
        EXPECT_EQ(r.context.show.modified, c.modified && expected == r.first) << name;
        r.context.show.modified = false;
        EXPECT_TRUE(r.window.close()) << name;
    }
}

TEST(ProgramRequests, ALaterStartWaitsUntilNoWindowAsksAnything) {
    struct Case {
        const char* name;
        std::function<void(Running&)> open;  // opens the modal window
    };
    const Case cases[] = {
        {"slide properties", [](Running& r) { run_command(r.context, r.ui, command_slide_properties); }},
        {"show properties", [](Running& r) { run_command(r.context, r.ui, command_show_properties); }},
        {"preferences", [](Running& r) { run_command(r.context, r.ui, command_preferences); }},
        {"a file dialog", [](Running& r) { run_command(r.context, r.ui, command_open_show); }},
        {"a message box",
         [](Running& r) { r.ui.message_box(u"Confirm", u"Go on?", BoxButtons::OkCancel, BoxOwner::MainWindow); }},
    };
    for (const Case& c : cases) {
        Running r;
        r.start();
        bool kept = false;
        Person person({Person::Act([&](QWidget& dialog) {
            const std::u16string shown = r.context.show.show_folder;
            r.later_start({r.second + u"/index.ssi"});
            QTest::qWait(500);  // long enough for the request to arrive
            kept = r.context.show.show_folder == shown && r.window.isVisible();
            cancel(dialog);
        })});
        c.open(r);
        EXPECT_TRUE(person.done()) << c.name;
        EXPECT_TRUE(kept) << c.name;
        EXPECT_TRUE(run_until([&] { return r.context.show.show_folder == r.second; })) << c.name;
        EXPECT_EQ(r.context.show.slide_count(), 1) << c.name;
        EXPECT_TRUE(r.window.close()) << c.name;
    }
}

// The signal handler's request, while the program cannot close yet: it stays on screen
// and closes once it can, writing its session state.
TEST(ProgramRequests, ATerminationSignalClosesTheProgramOnceItCan) {
    struct Case {
        const char* name;
        bool folder;  // started with a folder that has an index: a question at start-up
    };
    for (const Case& c : {Case{"a start-up question", true}, Case{"a show loading", false}}) {
        Running r;
        bool visible_after_signal = false;
        const auto signal = [&] {
            r.requests.quit();
            QTest::qWait(300);
            visible_after_signal = r.window.isVisible();
        };
        Person person(c.folder ? std::deque<Person::Answer>{Person::Act([&](QWidget& box) {
            signal();
            static_cast<QMessageBox&>(box).button(QMessageBox::Yes)->click();
        })}
                               : std::deque<Person::Answer>{});
        // The status window lets the event loop run while the pictures load.
        QTimer loading;
        QObject::connect(&loading, &QTimer::timeout, [&] {
            if (!r.ui.status_window().visible()) return;
            loading.stop();
            signal();
        });
        if (!c.folder) loading.start(0);
        ASSERT_TRUE(start_program(r.ui, r.context, r.window, {r.first + (c.folder ? u"" : u"/index.ssi")})) << c.name;
        EXPECT_TRUE(visible_after_signal) << c.name;
        EXPECT_EQ(r.context.show.slide_count(), 1) << c.name;
        EXPECT_TRUE(run_until([&] { return !r.window.isVisible(); })) << c.name;
        EXPECT_TRUE(std::filesystem::exists(r.home.native_file("state/Lumivane/Session State/Slide Show.state"))) << c.name;
    }
}

}  // namespace
}  // namespace lumivane

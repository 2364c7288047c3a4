// The real program in two processes, each on a private runtime and home folder so
// that tests running at the same time never meet.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/command_line.h"
#include "platform/text_encoding.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::TempFolder;

struct User {
    TempFolder home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    User() {
        std::filesystem::create_directory(home.native_file("run"));
        std::filesystem::permissions(home.native_file("run"), std::filesystem::perms::owner_all);
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_DOCUMENTS_DIR"}) environment.remove(name);
        environment.insert("HOME", QString::fromStdString(home.native()));
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(home.native_file("run")));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    }
    std::string session_file() const { return home.native_file(".local/state/Lumivane/Session State/Slide Show.state"); }
    std::string command_line_file() const { return home.native_file(".local/state/Lumivane/cmdline"); }

    void start(QProcess& process, const QStringList& arguments) const {
        process.setProcessEnvironment(environment);
        process.start(LUMIVANE_PROGRAM, arguments);
        ASSERT_TRUE(process.waitForStarted());
    }
    // Waits until the program listens for later starts.
    bool wait_until_running() const {
        for (int i = 0; i < 200; ++i) {
            if (std::filesystem::exists(home.native_file("run/Lumivane.socket"))) return true;
            QThread::msleep(50);
        }
        return false;
    }
    int run(const QStringList& arguments) const {
        QProcess process;
        start(process, arguments);
        EXPECT_TRUE(process.waitForFinished(20000));
        return process.exitCode();
    }
    // Ends the program as a logout does; it closes and writes its session state.
    static int end(QProcess& process) {
        ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
        EXPECT_TRUE(process.waitForFinished(20000));
        return process.exitCode();
    }
};

// A show of one photograph.
std::u16string make_show(const TempFolder& folder, const std::string& name) {
    std::filesystem::create_directory(folder.native_file(name));
    std::filesystem::create_symlink("/usr/share/backgrounds/mate/nature/Dune.jpg", folder.native_file(name + "/Dune.jpg"));
    return folder.write(name + "/index.ssi",
                        "SlideShow 1.0\nautorun 2\nn_slides 1\nslide 0 1 0 1 \"a\" \"Dune.jpg\"\nframe 0 0 -1 0 0 1 1\nend\n");
}

TEST(SingleInstance, ALaterStartPassesItsShowOn) {
    User user;
    const std::u16string first = make_show(user.home, "first");
    const std::u16string second = make_show(user.home, "second");
    QProcess program;
    user.start(program, {QString::fromStdU16String(first)});
    ASSERT_TRUE(user.wait_until_running());

    EXPECT_EQ(user.run({}), 1);  // only raises the running program
    EXPECT_FALSE(std::filesystem::exists(user.command_line_file()));
    EXPECT_EQ(user.run({QString::fromStdU16String(second)}), 1);
    std::u16string text;
    ASSERT_FALSE(read_command_line_file(utf8_to_utf16(user.command_line_file()), text));
    EXPECT_EQ(text, u"\"" + second + u"\"");
    const auto others = std::filesystem::perms::group_all | std::filesystem::perms::others_all;
    EXPECT_EQ(std::filesystem::status(user.command_line_file()).permissions() & others, std::filesystem::perms::none);

    QThread::msleep(3000);  // the running program opens the show
    EXPECT_EQ(User::end(program), 0);
    const std::string session = testing::read_bytes(user.session_file());
    EXPECT_NE(session.find("openfile 0 \xE2\x80\xB3" + utf16_to_utf8(second)), std::string::npos) << session;
    EXPECT_NE(session.find("openfile 1 \xE2\x80\xB3" + utf16_to_utf8(first)), std::string::npos) << session;
}

// A lock left by a crashed program does not keep the next one from starting, and what
// the session state file holds survives the run, moved from where earlier versions kept it.
TEST(SingleInstance, StaleLockAndSessionSurviveARestart) {
    User user;
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    user.home.write("run/Lumivane.mutex", std::to_string(gone) + "\nlumivane\n" + QSysInfo::machineHostName().toStdString() + "\n");
    std::filesystem::create_directories(user.home.native_file(".local/share/Lumivane/Session State"));
    const std::string kept = "openfile 0 \xE2\x80\xB3/photos/a.ssi\xE2\x80\xB3\r\nwindow_placement 0 0 0 0 0 100 80 900 680 1\r\n";
    user.home.write(".local/share/Lumivane/Session State/Slide Show.state", "Session 1.0\r\n" + kept + "frame_rate 1\r\nend\r\n");

    QProcess program;
    user.start(program, {});
    ASSERT_TRUE(user.wait_until_running());
    EXPECT_EQ(User::end(program), 0);
    const std::string session = testing::read_bytes(user.session_file());
    EXPECT_NE(session.find(kept), std::string::npos) << session;
    EXPECT_NE(session.find("frame_rate 1\r\n"), std::string::npos) << session;
    EXPECT_FALSE(std::filesystem::exists(user.home.native_file(".local/share/Lumivane")));
}

// Without a runtime folder of the user's own (Qt's fallback /tmp/runtime-USER taken by
// another user or by a file), the lock and the socket go to the user's state folder.
TEST(SingleInstance, ALockOfTheUsersOwnWithoutARuntimeFolder) {
    const std::string runtime = std::string("runtime-") + ::getpwuid(::geteuid())->pw_name;
    std::vector<std::pair<const char*, std::function<void(const std::string&)>>> cases = {
        {"a file", [](const std::string& path) { std::ofstream(path) << "x"; }}};
    // Only the administrator can give a folder to someone else.
    if (::geteuid() == 0) cases.emplace_back("another user's folder", [](const std::string& path) {
        std::filesystem::create_directory(path);
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    });
    for (const auto& [name, take] : cases) {
        User user;
        user.environment.remove("XDG_RUNTIME_DIR");
        std::filesystem::create_directory(user.home.native_file("tmp"));
        user.environment.insert("TMPDIR", QString::fromStdString(user.home.native_file("tmp")));
        take(user.home.native_file("tmp/" + runtime));
        QProcess program;
        user.start(program, {});
        bool listening = false;
        for (int i = 0; i < 200 && !listening; ++i, QThread::msleep(50)) {
            listening = std::filesystem::exists(user.home.native_file(".local/state/Lumivane/Lumivane.socket"));
        }
        EXPECT_TRUE(listening) << name;
        EXPECT_EQ(user.run({}), 1) << name;  // a later start finds it
        EXPECT_EQ(User::end(program), 0) << name;
    }
}

}  // namespace
}  // namespace lumivane

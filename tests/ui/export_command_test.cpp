// The real program's command-line export, in child processes on a private home and
// runtime folder.
#include <gtest/gtest.h>

#include <QProcess>
#include <QThread>

#include <csignal>
#include <filesystem>
#include <set>
#include <sys/resource.h>

#include "support/temp_folder.h"
#include "support/video_files.h"

namespace lumivane {
namespace {

using testing::TempFolder;

struct Outcome {
    int code = -1;
    std::string output;  // standard output and error together
};

struct User {
    TempFolder home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    User() {
        std::filesystem::create_directory(home.native_file("run"));
        std::filesystem::permissions(home.native_file("run"), std::filesystem::perms::owner_all);
        environment.remove("XDG_STATE_HOME");
        environment.insert("HOME", QString::fromStdString(home.native()));
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(home.native_file("run")));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        // English, whatever language the machine that runs the tests speaks.
        environment.remove("LANGUAGE");
        environment.insert("LC_ALL", "C.UTF-8");
    }
    void start(QProcess& process, const QStringList& arguments, rlim_t file_size_limit = RLIM_INFINITY) const {
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setChildProcessModifier([file_size_limit] {
            const rlimit limit{file_size_limit, file_size_limit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        process.start(LUMIVANE_PROGRAM, arguments);
        ASSERT_TRUE(process.waitForStarted());
    }
    Outcome run(const QStringList& arguments, rlim_t file_size_limit = RLIM_INFINITY) const {
        QProcess process;
        start(process, arguments, file_size_limit);
        Outcome run;
        EXPECT_TRUE(process.waitForFinished(60000));
        run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.output = process.readAll().toStdString();
        return run;
    }
};

// A show of two photographs with captions and a crossfade, its index in "show".
std::string make_show(const TempFolder& folder) {
    std::filesystem::create_directory(folder.native_file("show"));
    for (const char* photo : {"Dune.jpg", "Aqua.jpg"}) {
        std::filesystem::create_symlink(std::string("/usr/share/backgrounds/mate/nature/") + photo,
                                        folder.native_file(std::string("show/") + photo));
    }
    folder.write("show/index.ssi",
                 "SlideShow 1.0\nautorun 2\nloop 0\nshow_captions 2\ntransition 2\ntransition_time 0.5\nn_slides 2\n"
                 "slide 0 1 0 1 \"Dune\" \"Dune.jpg\"\nframe 0 0 1 0 0 1 1\n"
                 "slide 1 3 1 2 \"Aqua\" \"Aqua.jpg\"\nframe 1 0 1 0 0 1 1\nframe 1 1 -1 0.2 0.2 0.6 0.6\nend\n");
    return folder.native_file("show");
}

std::set<std::string> names_in(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

std::string probe(const std::string& file) {
    QProcess process;
    process.start("ffprobe", {"-v", "error", "-show_entries",
                              "stream=codec_name,pix_fmt,width,height,color_primaries,color_transfer,color_space,"
                              "r_frame_rate:format=duration",
                              "-of", "default=noprint_wrappers=1", QString::fromStdString(file)});
    EXPECT_TRUE(process.waitForFinished(20000));
    return process.readAllStandardOutput().toStdString();
}

TEST(ExportCommand, MakesAVideoWhileTheProgramRuns) {
    User user;
    const std::string show = make_show(user.home);
    testing::write_tone_wav(user.home.native_file("tone.wav"), 22050, 1.0, 330.0);
    QProcess editor;
    user.start(editor, {QString::fromStdString(show + "/index.ssi")});
    for (int i = 0; i < 200 && !std::filesystem::exists(user.home.native_file("run/Lumivane.socket")); ++i) QThread::msleep(50);
    ASSERT_TRUE(std::filesystem::exists(user.home.native_file("run/Lumivane.socket")));

    const std::string video = user.home.native_file("show.mp4");
    const Outcome run = user.run({"--export", QString::fromStdString(show), "-o", QString::fromStdString(video), "--size",
                              "640x360", "--fps", "25", "--audio", QString::fromStdString(user.home.native_file("tone.wav"))});
    EXPECT_EQ(run.code, 0) << run.output;
    // Fade in 0.5 s, Dune 1 s, crossfade 0.5 s, Aqua's path 1 s and a frame: 3.04 s.
    const std::string streams = probe(video);
    for (const char* line : {"codec_name=h264", "width=640", "height=360", "pix_fmt=yuv420p", "color_space=bt709",
                             "color_transfer=bt709", "color_primaries=bt709", "r_frame_rate=25/1", "codec_name=aac",
                             "duration=3.0"}) {
        EXPECT_NE(streams.find(line), std::string::npos) << line << " in\n" << streams;
    }
    // The captions are drawn: a grey band behind white text at the bottom middle.
    const testing::DecodedVideo decoded = testing::decode_video(video);
    ASSERT_FALSE(decoded.frames.empty());
    const std::vector<std::uint8_t>& frame = decoded.frames[40];  // Dune at rest
    int grey = 0;
    for (int y = 320; y < 360; ++y) {
        for (int x = 280; x < 360; ++x) {
            const std::uint8_t* p = &frame[4 * (y * 640 + x)];
            if (std::abs(p[0] - 128) < 12 && std::abs(p[1] - 128) < 12 && std::abs(p[2] - 128) < 12) ++grey;
        }
    }
    EXPECT_GT(grey, 4);

    ::kill(static_cast<pid_t>(editor.processId()), SIGTERM);
    EXPECT_TRUE(editor.waitForFinished(20000));
}

// The show plays as the program plays it, with the user's defaults for new shows from the
// session state file: the show's index keeps no speed, so the default speed sets it.
TEST(ExportCommand, PlaysTheShowWithTheUsersDefaults) {
    struct Case {
        const char* session;  // the session state file, or none
        const char* length;   // as the export reports it
    };
    // Fade in 0.5 s, Dune 1 s, crossfade 0.5 s, Aqua's path 1 s and the frame that shows
    // its end; the transitions keep their time at any speed.
    const Case cases[] = {
        {nullptr, " 91 frames (3.0 s)"},
        {"Session 1.0\nspeed -2\nend\n", " 271 frames (9.0 s)"},
        {"Session 1.0\nspeed 1\nmotion 1\nend\n", " 61 frames (2.0 s)"},
    };
    for (const Case& c : cases) {
        User user;
        const std::string show = make_show(user.home);
        if (c.session) {
            std::filesystem::create_directories(user.home.native_file(".local/state/Lumivane/Session State"));
            user.home.write(".local/state/Lumivane/Session State/Slide Show.state", c.session);
        }
        const Outcome run = user.run({"--export", QString::fromStdString(show), "-o",
                                      QString::fromStdString(user.home.native_file("show.mp4")), "--size", "64x36"});
        EXPECT_EQ(run.code, 0) << run.output;
        EXPECT_NE(run.output.find(c.length), std::string::npos) << c.length << " in " << run.output;
    }
}

// Ctrl-C, a request to end and a closed terminal stop an export that is writing its
// video; it ends with 130 and leaves nothing behind.
TEST(ExportCommand, InterruptedLeavesNoFile) {
    User user;
    const std::string show = make_show(user.home);
    const std::string out = user.home.native_file("out");
    std::filesystem::create_directory(out);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        QProcess process;
        user.start(process, {"--export", QString::fromStdString(show), "-o", QString::fromStdString(out + "/a.mp4"),
                             "--size", "3840x2160", "--fps", "60"});
        for (int i = 0; i < 400 && names_in(out).empty(); ++i) QThread::msleep(25);
        ASSERT_FALSE(names_in(out).empty()) << signal << ": the video was not started";
        ::kill(static_cast<pid_t>(process.processId()), signal);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(process.exitCode(), 130) << signal;
        EXPECT_TRUE(names_in(out).empty()) << signal;
    }
}

TEST(ExportCommand, BadInputEndsWithAMessageAndLeavesNoFile) {
    User user;
    const std::string show = make_show(user.home);
    const std::string out = user.home.native_file("out");
    std::filesystem::create_directory(out);
    user.home.write("noise.ogg", std::string(3000, '\x55'));
    struct Case {
        const char* name;
        QStringList arguments;
        rlim_t file_size_limit;
        int code;
        const char* message;
    };
    const QString s = QString::fromStdString(show);
    const QString o = QString::fromStdString(out);
    const Case cases[] = {
        {"a missing folder", {s, "-o", o + "/gone/a.mp4"}, RLIM_INFINITY, 1, "/gone does not exist"},
        {"a folder closed to files", {s, "-o", "/proc/a.mp4"}, RLIM_INFINITY, 1, "Cannot write the video file /proc/a.mp4"},
        {"a full disk", {s, "-o", o + "/a.mp4"}, 20000, 1, "File too large"},
        {"music that is not sound", {s, "-o", o + "/a.mp4", "--audio", QString::fromStdString(user.home.native_file("noise.ogg"))},
         RLIM_INFINITY, 1, "music file"},
        {"a show without index", {o, "-o", o + "/a.mp4"}, RLIM_INFINITY, 1, "No slide show index file"},
        // Command lines no export can follow.
        {"size 0x0", {s, "-o", o + "/a.mp4", "--size", "0x0"}, RLIM_INFINITY, 2, "even numbers from 32 x 32"},
        {"an unknown extension", {s, "-o", o + "/a.avi"}, RLIM_INFINITY, 2, "must end in .mp4"},
        {"an unknown option", {s, "-o", o + "/a.mp4", "--colour", "red"}, RLIM_INFINITY, 2, "Unknown option: --colour"},
        {"a frame rate in words", {s, "-o", o + "/a.mp4", "--fps", "abc"}, RLIM_INFINITY, 2, "24, 25, 30, 50 or 60"},
        {"an unknown motion", {s, "-o", o + "/a.mp4", "--motion", "fast"}, RLIM_INFINITY, 2, "exact or smooth"},
        {"a quality out of range", {s, "-o", o + "/a.webm", "--crf", "64"}, RLIM_INFINITY, 2, "from 0 to 63"},
    };
    for (const Case& c : cases) {
        const Outcome run = user.run(QStringList{"--export"} << c.arguments, c.file_size_limit);
        EXPECT_EQ(run.code, c.code) << c.name << ": " << run.output;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << c.name << ": " << run.output;
        EXPECT_TRUE(names_in(out).empty()) << c.name;
    }
}

// The messages come in the desktop's language where the program has a translation, and
// in English where it has none.
TEST(ExportCommand, SpeaksTheDesktopsLanguage) {
    struct Case {
        QStringList set;  // NAME=VALUE, or NAME alone to remove it
        const char* message;
    };
    for (const Case& c : {Case{{}, "No such show: /gone"}, Case{{"LANGUAGE=de"}, "Diese Diaschau gibt es nicht: /gone"},
                          Case{{"LC_ALL", "LANG=de_DE.UTF-8"}, "Diese Diaschau gibt es nicht: /gone"},
                          Case{{"LANGUAGE=fr"}, "No such show: /gone"}}) {
        User user;
        for (const QString& setting : c.set) {
            const qsizetype equals = setting.indexOf(u'=');
            if (equals < 0) user.environment.remove(setting);
            else user.environment.insert(setting.left(equals), setting.mid(equals + 1));
        }
        const Outcome run = user.run({"--export", "/gone", "-o", QString::fromStdString(user.home.native_file("a.mp4"))});
        EXPECT_EQ(run.code, 1) << c.set.join(u' ').toStdString();
        EXPECT_NE(run.output.find(c.message), std::string::npos) << c.set.join(u' ').toStdString() << ": " << run.output;
    }
}

}  // namespace
}  // namespace lumivane

// The update check against a real HTTP server on 127.0.0.1, run by the test itself in
// the same event loop that the download waits in.
#include "ui/shell/update_check.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>

#include "app/app_context.h"
#include "platform/qt/download.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

namespace lumivane {
namespace {

using testing::RecordingUi;
using testing::TempFolder;
using namespace std::string_literals;

// Answers GET requests for the files it holds, 404 for others; or, when silent, takes
// the connection and never answers.
class HttpServer {
public:
    HttpServer() {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                socket->setParent(&server_);
                QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] { answer(*socket); });
            }
        });
    }
    std::u16string address() const { return u"http://127.0.0.1:" + port_text() + u"/"; }
    QByteArray port() const { return QByteArray::number(server_.serverPort()); }

    std::map<QByteArray, QByteArray> files;
    std::map<QByteArray, QByteArray> redirects;  // path, where it moved to
    bool silent = false;
    QByteArray last_request;

private:
    std::u16string port_text() const { return QString::number(server_.serverPort()).toStdU16String(); }

    void answer(QTcpSocket& socket) {
        QByteArray& request = pending_[&socket];
        request += socket.readAll();
        if (!request.contains("\r\n\r\n") || silent) return;
        last_request = request;
        const QByteArray path = request.split(' ').value(1);
        if (const auto moved = redirects.find(path); moved != redirects.end()) {
            socket.write("HTTP/1.1 302 Found\r\nLocation: " + moved->second +
                         "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            socket.disconnectFromHost();
            return;
        }
        const auto file = files.find(path);
        const QByteArray status = file == files.end() ? "404 Not Found" : "200 OK";
        const QByteArray body = file == files.end() ? QByteArray("not here") : file->second;
        socket.write("HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                     "\r\nConnection: close\r\n\r\n" + body);
        socket.disconnectFromHost();
    }

    QTcpServer server_;
    std::map<QTcpSocket*, QByteArray> pending_;
};

struct Program {
    TempFolder settings;
    RecordingUi ui;
    AppContext context{ui};
    Program() {
        context.session_folder = settings.path();
        ui.downloader = [](const std::u16string& url, std::string& data, std::int32_t timeout) {
            return download(url, data, timeout);
        };
    }
    std::string local_file() const { return settings.native_file("LMV_Version.txt"); }
};

const std::u16string could_not_access =
    u"Could not access version information - please check your internet connection";

std::u16string another_version(const std::u16string& latest) {
    return u"Another version available.\n\nCurrent version -- Lumivane 1.0.15\n\nLatest downloadable version -- " +
           latest + u"\n\nLaunch Download Page?";
}

const std::u16string download_error = u"Error downloading version information";

TEST(UpdateCheck, AnswersFromARealServer) {
    // Each quote holds a NUL, where the record's tokens end: a missing quote in every record.
    std::string broken_records = "Version 2.0\r\n";
    for (int i = 0; i < 5000; ++i) broken_records += "major \"1\0\"\r\n"s;
    broken_records += "end\r\n";
    struct Case {
        const char* name;
        std::optional<std::string> file;  // none: the server has none (404)
        BoxAnswer answer;  // for a question
        std::u16string title;
        std::u16string text;
        BoxButtons buttons;
        bool opens_download_page;
    };
    const Case cases[] = {
        {"up to date", "Version 1.0\r\nmajor 1\r\nminor 0\r\nbuild 15\r\nend\r\n", BoxAnswer::Ok, u"Check for Update",
         u"Lumivane is up to date", BoxButtons::Ok, false},
        {"newer, Yes", "\xEF\xBB\xBFVersion 1.0\r\nmajor 1\r\nminor 0\r\nbuild 16\r\nnotes \"faster\"\r\nend\r\n",
         BoxAnswer::Yes, u"Check for Update", another_version(u"Lumivane 1.0.16"), BoxButtons::YesNo, true},
        {"older, No", "Version 1.0\nbuild 14\nminor 0\nmajor 1\nend\n", BoxAnswer::No, u"Check for Update",
         another_version(u"Lumivane 1.0.14"), BoxButtons::YesNo, false},
        // A file that names no version is a failed download, reported once.
        {"without end", "Version 1.0\r\nmajor 2\r\nminor 0\r\nbuild 0\r\n", BoxAnswer::Ok, u"Error",
         download_error, BoxButtons::Ok, false},
        {"empty", "", BoxAnswer::Ok, u"Error", download_error, BoxButtons::Ok, false},
        {"binary", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR\xFF\xD8"s, BoxAnswer::Ok, u"Error", download_error, BoxButtons::Ok,
         false},
        {"page instead", "<html><body>Moved</body></html>", BoxAnswer::Ok, u"Error", download_error, BoxButtons::Ok,
         false},
        {"broken records", broken_records, BoxAnswer::Ok, u"Error", download_error, BoxButtons::Ok, false},
        {"404", std::nullopt, BoxAnswer::Ok, u"Error", could_not_access, BoxButtons::Ok, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpServer server;
        if (c.file) server.files["/LMV_Version.txt"] = QByteArray::fromStdString(*c.file);
        Program p;
        p.settings.write("LMV_Version.txt", "Version 1.0\nmajor 1\nminor 0\nbuild 15\nend\n");  // an old copy
        if (c.buttons != BoxButtons::Ok) p.ui.answers = {c.answer};
        check_for_update(p.context, p.ui, server.address(), 5000);

        ASSERT_EQ(p.ui.boxes.size(), 1u);
        EXPECT_EQ(p.ui.boxes[0].title, c.title);
        EXPECT_EQ(p.ui.boxes[0].text, c.text);
        EXPECT_EQ(p.ui.boxes[0].buttons, c.buttons);
        EXPECT_EQ(p.ui.boxes[0].owner, c.title == u"Error" ? BoxOwner::None : BoxOwner::MainWindow);
        EXPECT_EQ(p.ui.downloads, std::vector<std::u16string>{server.address() + u"LMV_Version.txt"});
        EXPECT_EQ(p.ui.web_pages, c.opens_download_page ? std::vector<std::u16string>{server.address() + u"ORV_Download.html"}
                                                        : std::vector<std::u16string>{});
        EXPECT_FALSE(std::filesystem::exists(p.local_file()));
        EXPECT_TRUE(server.last_request.contains("Cache-Control: no-cache")) << server.last_request.toStdString();
    }
}

TEST(UpdateCheck, ServerThatIsGoneOrSilentFailsWithinTheTimeout) {
    for (const bool silent : {false, true}) {
        SCOPED_TRACE(silent ? "never answers" : "connection refused");
        auto server = std::make_unique<HttpServer>();
        const std::u16string address = server->address();
        if (silent) {
            server->silent = true;
        } else {
            server.reset();  // nothing listens on its port any more
        }
        Program p;
        QElapsedTimer clock;
        clock.start();
        check_for_update(p.context, p.ui, address, 300);
        EXPECT_LT(clock.elapsed(), 5000);
        EXPECT_EQ(p.ui.texts(), std::vector<std::u16string>{could_not_access});
    }
}

TEST(UpdateCheck, DownloadThatCannotBeStoredIsReported) {
    HttpServer server;
    server.files["/LMV_Version.txt"] = "Version 1.0\nmajor 1\nminor 0\nbuild 15\nend\n";
    Program p;
    p.context.session_folder = p.settings.file(u"missing");
    check_for_update(p.context, p.ui, server.address(), 5000);
    EXPECT_EQ(p.ui.texts(), std::vector<std::u16string>{u"Error downloading version information"});
}

TEST(UpdateCheck, FollowsRedirectsOnlyWithinTheServer) {
    struct Case {
        const char* name;
        QByteArray location;  // after http:// and the port
        std::u16string text;
    };
    const Case cases[] = {
        {"same server", "127.0.0.1:PORT/now/LMV_Version.txt", u"Lumivane is up to date"},
        {"another host name", "localhost:PORT/now/LMV_Version.txt", could_not_access},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpServer server;
        server.files["/now/LMV_Version.txt"] = "Version 1.0\nmajor 1\nminor 0\nbuild 15\nend\n";
        server.redirects["/LMV_Version.txt"] = "http://" + QByteArray(c.location).replace("PORT", server.port());
        Program p;
        check_for_update(p.context, p.ui, server.address(), 5000);
        EXPECT_EQ(p.ui.texts(), std::vector<std::u16string>{c.text});
    }
}

TEST(UpdateCheck, NeverWritesThroughALink) {
    for (const bool dangling : {true, false}) {
        SCOPED_TRACE(dangling ? "dangling link" : "link to a file");
        HttpServer server;
        server.files["/LMV_Version.txt"] = "Version 1.0\nmajor 1\nminor 0\nbuild 15\nend\n";
        Program p;
        const std::string target = p.settings.native_file("target.txt");
        if (!dangling) p.settings.write("target.txt", "mine");
        std::filesystem::create_symlink(target, p.local_file());
        check_for_update(p.context, p.ui, server.address(), 5000);
        // A link to a file is the old copy's name, and goes; a dangling one leads nowhere to write.
        EXPECT_EQ(p.ui.texts(), std::vector<std::u16string>{dangling ? download_error : u"Lumivane is up to date"});
        EXPECT_EQ(std::filesystem::exists(target), !dangling);
        if (!dangling) { EXPECT_EQ(testing::read_bytes(target), "mine"); }
    }
}

TEST(UpdateCheck, ServerAddressComesFromTheEnvironment) {
    setenv("LUMIVANE_UPDATE_SERVER", "http://127.0.0.1:8080", 1);
    EXPECT_EQ(update_server(), u"http://127.0.0.1:8080/");
    unsetenv("LUMIVANE_UPDATE_SERVER");
    EXPECT_EQ(update_server(), default_update_server);
}

TEST(VersionFile, ReadsItsRecords) {
    struct Case {
        const char* text;
        std::int32_t major, minor, build;
        std::u16string latest;
        std::vector<std::u16string> warnings;
    };
    const Case cases[] = {
        {"Version 1.0\nmajor 3\nminor 2\nbuild 1\nend\nmajor 9\n", 3, 2, 1, u"Lumivane 3.2.1", {}},
        // Keywords count exactly; records without a number and unknown ones are passed over.
        {"Version 1.0\nMajor 5\nmajor\nminor 4 extra\nbuild x\nend\n", 0, 4, 0, u"Lumivane 0.4.0", {}},
        {"version 1.0\nmajor 1\nend\n", 0, 0, 0, u"", {}},
        {"Version 1.0 1\nmajor 1\nend\n", 0, 0, 0, u"", {}},
        {"Version 2.0\nmajor 2\nend\n", 2, 0, 0, u"Lumivane 2.0.0",
         {u"Version Information file was created for a newer version of Lumivane -- some settings may be ignored"}},
        {"Version x\nend\n", 0, 0, 0, u"Lumivane 0.0.0", {u"Version Information file has invalid version number"}},
        // An unclosed quote damages the file: no version, and no warning about it either.
        {"Version 2.0\nmajor 1\nnotes \xE2\x80\xB3open\nend\n", 1, 0, 0, u"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RecordingUi ui;
        std::u16string text = testing::u16(c.text);
        const LatestVersion latest = read_version_text(ui, text);
        EXPECT_EQ(latest.major, c.major);
        EXPECT_EQ(latest.minor, c.minor);
        EXPECT_EQ(latest.build, c.build);
        EXPECT_EQ(latest.text, c.latest);
        EXPECT_EQ(ui.texts(), c.warnings);
    }
}

}  // namespace
}  // namespace lumivane

#include "ui/help_window.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include <set>

#include "app/app_context.h"
#include "platform/resources.h"
#include "support/recording_ui.h"
#include "ui/qt_user_interface.h"
#include "ui/shell/help.h"

namespace lumivane {
namespace {

QString help_folder() { return QString::fromStdU16String(resource_folder()) + QStringLiteral("/help"); }

QString read_page(const QString& name) {
    QFile file(QDir(help_folder()).filePath(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(Help, TopicsOpenTheirPagesAndTopicMinusOneIsReported) {
    testing::RecordingUi ui;
    AppContext context(ui);
    open_help(ui, help_contents_topic);
    open_help(ui, help_no_topic);
    open_help(ui, 12345);
    EXPECT_EQ(ui.help_pages, std::vector<std::u16string>{u"index.html"});
    EXPECT_EQ(ui.texts(), std::vector<std::u16string>(2, u"This help topic currently unavailable"));
}

TEST(Help, WindowOpensAtTheContentsPage) {
    QtUserInterface ui;
    AppContext context(ui);
    open_help(ui, help_contents_topic);
    HelpWindow* window = ui.help_window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->browser()->source().fileName(), "index.html");
    EXPECT_FALSE(window->browser()->documentTitle().isEmpty());
    EXPECT_EQ(window->windowTitle(), "Lumivane Help");
    open_help(ui, help_playback_topic);  // the same window shows the next page
    EXPECT_EQ(ui.help_window(), window);
    EXPECT_EQ(window->browser()->source().fileName(), "playback.html");
    EXPECT_EQ(window->windowTitle(), "Playing a show - Lumivane Help");
    delete window;
}

// Every picture of the pages is shipped for both pixel ratios, the sharp one twice the
// size, and a screen of ratio 2 (or 1.5) gets the sharp one.
TEST(Help, PicturesComeForBothPixelRatios) {
    const QDir images(help_folder() + QStringLiteral("/images"));
    const QStringList pictures = images.entryList({QStringLiteral("*.png"), QStringLiteral("*.jpg")}, QDir::Files);
    ASSERT_FALSE(pictures.isEmpty());
    for (const QString& name : pictures) {
        if (name.contains(QStringLiteral("@2x"))) continue;
        SCOPED_TRACE(name.toStdString());
        const QString plain = images.filePath(name);
        const QString sharp = help_picture_file(plain, 2.0);
        EXPECT_NE(sharp, plain);
        EXPECT_EQ(help_picture_file(plain, 1.5), sharp);
        EXPECT_EQ(help_picture_file(plain, 1.0), plain);
        EXPECT_EQ(QImage(sharp).size(), QImage(plain).size() * 2);
    }
}

// Every link and picture of every page leads somewhere that exists, anchors included,
// and every page can be reached from the contents.
TEST(Help, EveryLinkResolves) {
    const QStringList pages = QDir(help_folder()).entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_FALSE(pages.isEmpty()) << help_folder().toStdString();
    for (const HelpTopic& topic : help_topics()) {
        EXPECT_TRUE(pages.contains(QString::fromStdU16String(topic.page).section(u'#', 0, 0))) << topic.topic;
    }
    const QRegularExpression reference(QStringLiteral(R"re((href|src)\s*=\s*"([^"]*)")re"));
    std::set<QString> reached{QStringLiteral("index.html")};
    for (const QString& page : pages) {
        const QString text = read_page(page);
        EXPECT_TRUE(text.contains("<title>")) << page.toStdString();
        for (const QRegularExpressionMatch& match : reference.globalMatch(text)) {
            const QString target = match.captured(2);
            SCOPED_TRACE((page + " -> " + target).toStdString());
            if (target.startsWith("http://") || target.startsWith("https://")) continue;
            const QString file = target.section(u'#', 0, 0);
            const QString anchor = target.section(u'#', 1);
            const QString destination = file.isEmpty() ? page : file;
            ASSERT_TRUE(QFileInfo(QDir(help_folder()).filePath(destination)).isFile());
            if (destination.endsWith(".html")) reached.insert(destination);
            if (!anchor.isEmpty()) {
                const QString html = read_page(destination);
                EXPECT_TRUE(html.contains("id=\"" + anchor + "\"") || html.contains("name=\"" + anchor + "\""));
            }
        }
    }
    for (const QString& page : pages) EXPECT_TRUE(reached.count(page)) << page.toStdString() << " is linked from no page";
}

}  // namespace
}  // namespace lumivane

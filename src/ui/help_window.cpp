#include "ui/help_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPixmap>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/shell/help.h"
#include "ui/window_placement.h"

namespace lumivane {

namespace {

const char help_title[] = QT_TRANSLATE_NOOP("HelpWindow", "Lumivane Help");

// The titles of the help pages, shown in the user's language wherever a page names one:
// its title, its heading and the links to it.
const char* const page_titles[] = {
    help_title,
    QT_TRANSLATE_NOOP("HelpWindow", "Getting started"),
    QT_TRANSLATE_NOOP("HelpWindow", "The main window"),
    QT_TRANSLATE_NOOP("HelpWindow", "Playing a show"),
    QT_TRANSLATE_NOOP("HelpWindow", "Slide properties"),
    QT_TRANSLATE_NOOP("HelpWindow", "Key frames and paths"),
    QT_TRANSLATE_NOOP("HelpWindow", "Slide show properties"),
    QT_TRANSLATE_NOOP("HelpWindow", "Preferences"),
    QT_TRANSLATE_NOOP("HelpWindow", "Exporting a video"),
    QT_TRANSLATE_NOOP("HelpWindow", "The index file"),
};

// Shows each picture in as many device pixels as the screen has for it.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        const QUrl url = source().resolved(name);
        if (type == QTextDocument::HtmlResource && url.isLocalFile()) {
            QFile page(url.toLocalFile());
            if (page.open(QIODevice::ReadOnly)) return translated_titles(QString::fromUtf8(page.readAll()));
        }
        if (type == QTextDocument::ImageResource && url.isLocalFile()) {
            const QString plain = url.toLocalFile();
            const QString file = help_picture_file(plain, devicePixelRatioF());
            QPixmap picture;
            if (file != plain && picture.load(file)) {
                picture.setDevicePixelRatio(2.0);
                return picture;
            }
        }
        return QTextBrowser::loadResource(type, name);
    }

private:
    static QString translated_titles(QString html) {
        for (const char* title : page_titles) {
            const QString english = QString::fromLatin1(title);
            const QString shown = HelpWindow::tr(title);
            if (shown != english) {
                html.replace(u'>' + english + u'<', u'>' + shown.toHtmlEscaped() + u'<');
            }
        }
        return html;
    }
};

}  // namespace

QString help_picture_file(const QString& file, qreal ratio) {
    if (ratio <= 1.0) return file;
    const QFileInfo plain(file);
    const QString sharp = plain.dir().filePath(plain.completeBaseName() + QStringLiteral("@2x.") + plain.suffix());
    return QFileInfo(sharp).isFile() ? sharp : file;
}

HelpWindow::HelpWindow(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(folder), browser_(new HelpBrowser(this)) {
    setObjectName(QStringLiteral("Help"));
    setWindowTitle(tr(help_title));
    // Links between the pages open here; addresses on the web open in the browser.
    browser_->setOpenExternalLinks(true);

    back_ = new QPushButton(tr("Back"), this);
    forward_ = new QPushButton(tr("Forward"), this);
    auto* contents = new QPushButton(tr("Contents"), this);
    back_->setShortcut(QKeySequence::Back);
    forward_->setShortcut(QKeySequence::Forward);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, this,
            [this] { show_page(QString::fromStdU16String(help_topic_page(help_contents_topic))); });
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        // The contents page is called "Lumivane Help" itself.
        const QString title = browser_->documentTitle();
        const QString program_help = tr(help_title);
        setWindowTitle(title.isEmpty() || title == program_help ? program_help
                                                                : tr("%1 - %2").arg(title, program_help));
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(contents);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);

    const std::vector<ScreenArea> screens = screen_areas();
    const QRect screen = screens.empty() ? QRect(0, 0, 1280, 800) : screens.front().work;
    resize(std::min(900, screen.width() * 3 / 4), std::min(760, screen.height() * 5 / 6));
    if (parent) centre_over_main(*this, parent, 0, 0);
    keep_on_monitor(*this, 0);
}

void HelpWindow::show_page(const QString& page) {
    const qsizetype hash = page.indexOf(u'#');
    QUrl url = QUrl::fromLocalFile(QDir(folder_).filePath(page.left(hash)));
    if (hash >= 0) url.setFragment(page.mid(hash + 1));
    browser_->setSource(url);
    restore_minimised(*this);
    raise();
    activateWindow();
}

}  // namespace lumivane

#include "ui/status_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QToolTip>
#include <QWindow>

#include "ui/interface_drawing.h"
#include "ui/window_placement.h"

namespace lumivane {

namespace {

void make_font_record(const QWidget* window, InterfaceFont& font) {
    CaptionFonts unused;
    make_interface_font(window, font, unused);
}

}  // namespace

StatusWindow::~StatusWindow() { delete window_.data(); }

void StatusWindow::show(const QString& text, QWidget* main_window) {
    if (window_) {
        ++nesting_;
        return;
    }
    nesting_ = 0;
    main_window_ = main_window;
    // A small bordered window with a title and no buttons, kept above the main window.
    window_ = new QWidget(main_window, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window_->setWindowTitle(tr("Status"));
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
    window_->setAutoFillBackground(true);
    // A note like a tool tip, in the desktop's tool tip colours.
    const QPalette tip = QToolTip::palette();
    QPalette palette = window_->palette();
    palette.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Base, tip.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, tip.color(QPalette::ToolTipText));
    palette.setColor(QPalette::WindowText, tip.color(QPalette::ToolTipText));
    window_->setPalette(palette);
    make_font_record(window_, font_);

    line_ = new QLineEdit(tr("Status"), window_);
    line_->setReadOnly(true);
    line_->setFrame(false);
    line_->setAlignment(Qt::AlignCenter);
    line_->setFocusPolicy(Qt::NoFocus);
    line_->setContextMenuPolicy(Qt::NoContextMenu);
    line_->setTextMargins(0, 0, 0, 0);
    line_->setFont(font_.font);
    line_->setGeometry(0, 0, 20, font_.line_height);
    window_->setFixedSize(line_->size());
    window_->show();
    // On a screen of another density the font is made again and the window refitted.
    if (QWindow* handle = window_->windowHandle()) {
        QObject::connect(handle, &QWindow::screenChanged, window_, [this] {
            make_font_record(window_, font_);
            line_->setFont(font_.font);
            fit_to_text();
        });
    }
    set_text(text);
}

// A show of thousands of small pictures changes the text far faster than anyone reads
// it, and painting takes longer than loading such a picture.
constexpr qint64 repaint_milliseconds = 40;

void StatusWindow::set_text(const QString& text) {
    if (!window_) return;
    line_->setText(text);
    line_->setCursorPosition(0);
    fit_to_text();
    // The operation that shows the window keeps the event loop waiting: paint it now.
    if (painted_.isValid() && painted_.elapsed() < repaint_milliseconds) return;
    painted_.start();
    window_->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void StatusWindow::fit_to_text() {
    const int width = text_width(line_->text(), window_, font_) + 2 * font_.margin;
    line_->setGeometry(0, 0, width, font_.line_height);
    window_->setFixedSize(width, font_.line_height);
    if (main_window_) {
        centre_over_main(*window_, main_window_, 0, 0);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window_->move(screen->availableGeometry().center() - window_->rect().center());
    }
    keep_on_monitor(*window_, font_.margin);
}

void StatusWindow::hide() {
    if (nesting_ > 0) {
        --nesting_;
        return;
    }
    delete window_.data();
    painted_.invalidate();
}

QString StatusWindow::text() const { return line_ ? line_->text() : QString(); }

}  // namespace lumivane

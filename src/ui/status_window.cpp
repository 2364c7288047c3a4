#include "ui/status_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>

namespace lumivane {

void StatusWindow::show(const QString& text) {
    if (window_) {
        ++nesting_;
        return;
    }
    window_ = std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint);
    window_->setWindowTitle(QStringLiteral("Status"));
    window_->setAutoFillBackground(true);
    QPalette palette = window_->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 128));
    palette.setColor(QPalette::WindowText, Qt::black);
    window_->setPalette(palette);
    auto* layout = new QHBoxLayout(window_.get());
    label_ = new QLabel(window_.get());
    label_->setAlignment(Qt::AlignCenter);
    layout->addWidget(label_);
    window_->show();
    set_text(text);
}

void StatusWindow::set_text(const QString& text) {
    if (!window_) return;
    label_->setText(text);
    window_->adjustSize();
    // Centred on the screen, over everything; painted at once, since the operation
    // that shows it keeps the event loop waiting.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window_->move(area.center() - window_->rect().center());
    }
    window_->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void StatusWindow::hide() {
    if (nesting_ > 0) {
        --nesting_;
        return;
    }
    label_ = nullptr;
    window_.reset();
}

QString StatusWindow::text() const { return label_ ? label_->text() : QString(); }

}  // namespace lumivane

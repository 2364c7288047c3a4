#include "ui/qt_user_interface.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <chrono>

#include "document/app_context.h"
#include "ui/playback_widget.h"

namespace lumivane {

namespace {

QString qt(const std::u16string& text) { return QString::fromStdU16String(text); }

}  // namespace

QtUserInterface::QtUserInterface() : caption_fonts_(make_caption_fonts(base_font_height(nullptr))) {}

BoxAnswer QtUserInterface::message_box(const std::u16string& title, const std::u16string& text, BoxButtons buttons,
                                       BoxOwner owner) {
    QMessageBox::StandardButtons choice = QMessageBox::Ok;
    if (buttons == BoxButtons::OkCancel) choice = QMessageBox::Ok | QMessageBox::Cancel;
    if (buttons == BoxButtons::YesNoCancel) choice = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    const QMessageBox::Icon icon = title == u"Error"     ? QMessageBox::Critical
                                   : title == u"Warning" ? QMessageBox::Warning
                                   : title == u"Confirm" ? QMessageBox::Question
                                                         : QMessageBox::Information;
    QWidget* parent = owner == BoxOwner::MainWindow ? main_window_.data() : nullptr;
    QMessageBox box(icon, qt(title), qt(text), choice, parent);
    switch (box.exec()) {
    case QMessageBox::Yes: return BoxAnswer::Yes;
    case QMessageBox::No: return BoxAnswer::No;
    case QMessageBox::Cancel: return BoxAnswer::Cancel;
    default: return buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
    }
}

void QtUserInterface::set_main_window_title(const std::u16string& title) {
    if (main_window_) main_window_->setWindowTitle(qt(title));
}

void QtUserInterface::refresh_main_window() {
    if (main_window_) main_window_->update();
}

void QtUserInterface::close_main_window() {
    // As a posted close: the command that asks finishes first.
    if (main_window_) QMetaObject::invokeMethod(main_window_.data(), &QWidget::close, Qt::QueuedConnection);
}

PlaybackWidget* QtUserInterface::playback_widget() const { return playback_; }

void QtUserInterface::destroy_playback_window() { delete playback_.data(); }

void QtUserInterface::show_status(const std::u16string& text) { status_.show(qt(text)); }
void QtUserInterface::set_status_text(const std::u16string& text) { status_.set_text(qt(text)); }
void QtUserInterface::hide_status() { status_.hide(); }

void QtUserInterface::set_cursor(CursorShape shape) {
    if (!playback_) return;
    switch (shape) {
    case CursorShape::Arrow: playback_->setCursor(Qt::ArrowCursor); break;
    case CursorShape::Hand: playback_->setCursor(Qt::OpenHandCursor); break;
    case CursorShape::Cross: playback_->setCursor(Qt::CrossCursor); break;
    case CursorShape::None: playback_->setCursor(Qt::BlankCursor); break;
    }
}

bool QtUserInterface::shift_held() {
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

std::int64_t QtUserInterface::now_milliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

PlaybackWindow* QtUserInterface::create_playback_window() {
    if (!context_) return nullptr;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1280, 720);
    playback_ = new PlaybackWidget(*context_, caption_fonts_, area);
    return playback_;
}

bool QtUserInterface::open_index_file_dialog(std::u16string& path, const std::u16string& start_folder,
                                             const std::u16string& title) {
    path.clear();
    if (!start_folder.empty()) QDir().mkpath(qt(start_folder));
    const QString chosen = QFileDialog::getOpenFileName(QApplication::activeWindow(), qt(title), qt(start_folder),
                                                        QStringLiteral("Slide Show Index File (*.ssi)"));
    if (chosen.isEmpty()) return true;
    path = chosen.toStdU16String();
    return false;
}

bool QtUserInterface::save_index_file_dialog(std::u16string& path, const std::u16string& file_name,
                                             const std::u16string& start_folder, const std::u16string& title) {
    const QString suggested = QDir(qt(start_folder)).filePath(file_name.empty() ? QStringLiteral("*.ssi") : qt(file_name));
    const QString chosen = QFileDialog::getSaveFileName(QApplication::activeWindow(), qt(title), suggested,
                                                        QStringLiteral("Slide Show Index File (*.ssi)"));
    if (chosen.isEmpty()) return true;
    path = chosen.toStdU16String();
    return false;
}

bool QtUserInterface::pick_folder_dialog(std::u16string& folder, const std::u16string& start_folder,
                                         const std::u16string& title) {
    folder.clear();
    const QString chosen = QFileDialog::getExistingDirectory(QApplication::activeWindow(), qt(title), qt(start_folder));
    if (chosen.isEmpty()) return true;
    folder = chosen.toStdU16String();
    return false;
}

bool QtUserInterface::pick_image_files_dialog(std::vector<std::u16string>& paths, const std::u16string& start_folder,
                                              const std::u16string& title) {
    paths.clear();
    const QStringList chosen =
        QFileDialog::getOpenFileNames(QApplication::activeWindow(), qt(title), qt(start_folder),
                                      QStringLiteral("TIFF/JPEG (*.tif *.tiff *.jpg *.jpeg);;All files (*)"));
    if (chosen.isEmpty()) return true;
    for (const QString& path : chosen) paths.push_back(path.toStdU16String());
    return false;
}

}  // namespace lumivane

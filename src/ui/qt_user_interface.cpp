#include "ui/qt_user_interface.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <chrono>

#include "app/app_context.h"
#include "app/monitor_setting.h"
#include "imaging/memory_bitmap.h"
#include "platform/message_boxes.h"
#include "platform/qt/display_profile.h"
#include "platform/qt/download.h"
#include "platform/resources.h"
#include "platform/translation.h"
#include "platform/trash.h"
#include "ui/about_dialog.h"
#include "ui/export_dialog.h"
#include "ui/export_progress.h"
#include "ui/main_window.h"
#include "ui/playback_widget.h"
#include "ui/preferences_dialog.h"
#include "ui/qt_text.h"
#include "ui/shell/image_list.h"
#include "ui/show_properties_dialog.h"
#include "ui/slide_properties_dialog.h"
#include "ui/thumbnail_grid.h"
#include "video/show_export.h"

namespace lumivane {

namespace {

// The file types of the dialogs. On Windows the image pattern list is
// "*.tif;*.tiff;*.jpg;*.jpeg"; letter case does not count. Every kind of picture the
// loader takes comes first, the chosen type when a dialog opens.
const char index_file_type[] = QT_TRANSLATE_NOOP("QtUserInterface", "Slide Show Index File (*.ssi)");
const char* const image_file_types[] = {
    QT_TRANSLATE_NOOP("QtUserInterface",
                      "Pictures (*.tif *.tiff *.jpg *.jpeg *.png *.webp *.jxl *.heic *.heif *.avif)"),
    QT_TRANSLATE_NOOP("QtUserInterface", "TIFF/JPEG (*.tif *.tiff *.jpg *.jpeg)")};

// The folder a file dialog opens in: the given one, or the nearest folder above it that
// exists, else the home folder. A folder that does not exist would open the dialog in
// the one above with the missing folder's name typed into its name box.
QString existing_folder(const std::u16string& folder) {
    if (folder.empty()) return QDir::homePath();
    QString path = QFileInfo(qt(folder)).absoluteFilePath();
    while (!QFileInfo(path).isDir()) {
        const QString above = QFileInfo(path).path();
        if (above == path) return QDir::homePath();
        path = above;
    }
    return path;
}

// Runs a file dialog; the paths chosen, or none after Cancel.
QStringList chosen_files(QFileDialog& dialog) {
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

}  // namespace

QtUserInterface::QtUserInterface() : caption_fonts_(make_caption_fonts(base_font_height(nullptr))) {}

std::unique_ptr<QMessageBox> make_message_box(const std::u16string& title, const std::u16string& text,
                                              BoxButtons buttons, QWidget* parent) {
    QMessageBox::StandardButtons choice = QMessageBox::Ok;
    if (buttons == BoxButtons::OkCancel) choice = QMessageBox::Ok | QMessageBox::Cancel;
    if (buttons == BoxButtons::YesNo) choice = QMessageBox::Yes | QMessageBox::No;
    if (buttons == BoxButtons::YesNoCancel) choice = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    const bool question = title == Core::translated(confirm_title) || buttons == BoxButtons::YesNo;
    const QMessageBox::Icon icon = title == Core::translated(error_title)     ? QMessageBox::Critical
                                   : title == Core::translated(warning_title) ? QMessageBox::Warning
                                   : question                                 ? QMessageBox::Question
                                                                              : QMessageBox::Information;
    return std::make_unique<QMessageBox>(icon, qt(title), qt(text), choice, parent);
}

BoxAnswer QtUserInterface::message_box(const std::u16string& title, const std::u16string& text, BoxButtons buttons,
                                       BoxOwner owner) {
    QWidget* parent = owner == BoxOwner::MainWindow ? main_window_.data() : nullptr;
    switch (make_message_box(title, text, buttons, parent)->exec()) {
    case QMessageBox::Ok: return BoxAnswer::Ok;
    case QMessageBox::Yes: return BoxAnswer::Yes;
    case QMessageBox::No: return BoxAnswer::No;
    case QMessageBox::Cancel: return BoxAnswer::Cancel;
    // Closed without a button: an OK-only box has been seen, a question is cancelled.
    default: return buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
    }
}

void QtUserInterface::notice(const std::u16string& text) {
    if (playback_ && (playback_->on_screen() || playback_->isActiveWindow())) {
        playback_->show_notice(qt(text));
        return;
    }
    QMessageBox* box = make_message_box(Core::translated(error_title), text, BoxButtons::Ok, main_window_).release();
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setAttribute(Qt::WA_ShowWithoutActivating);
    box->show();
}

void QtUserInterface::set_main_window_title(const std::u16string& title) {
    if (main_window_) main_window_->setWindowTitle(qt(title));
}

void QtUserInterface::changed(Change) {
    // Every change may touch what the grid shows and which buttons apply: both follow it
    // at once, and the window is painted again when Qt next paints.
    if (auto* window = dynamic_cast<MainWindow*>(main_window_.data())) {
        window->grid()->update_command_availability();
        window->update_layout();
    }
    if (main_window_) main_window_->update();
}

void QtUserInterface::close_main_window() {
    // As a posted close: the command that asks finishes first.
    if (main_window_) QMetaObject::invokeMethod(main_window_.data(), &QWidget::close, Qt::QueuedConnection);
}

PlaybackWidget* QtUserInterface::playback_widget() const { return playback_; }

void QtUserInterface::destroy_playback_window() { delete playback_.data(); }

void QtUserInterface::show_status(const std::u16string& text) { status_.show(qt(text), main_window_); }
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
    // The screen the preferences name, else the primary one.
    const QList<QScreen*> screens = QGuiApplication::screens();
    const qsizetype chosen = context_->playback_screen;
    const QScreen* screen = chosen >= 1 && chosen <= screens.size() ? screens[chosen - 1] : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1280, 720);
    playback_ = make_playback_widget(area);
    return playback_;
}

PlaybackWidget* QtUserInterface::make_playback_widget(const QRect& screen) {
    return new PlaybackWidget(*context_, caption_fonts_, screen);
}

bool QtUserInterface::open_index_file_dialog(std::u16string& path, const std::u16string& start_folder,
                                             const std::u16string& title) {
    path.clear();
    if (!start_folder.empty()) QDir().mkpath(qt(start_folder));
    QFileDialog dialog(dialog_owner(), qt(title), existing_folder(start_folder), tr(index_file_type));
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList chosen = chosen_files(dialog);
    if (chosen.isEmpty()) return true;
    path = chosen.front().toStdU16String();
    return false;
}

bool QtUserInterface::save_index_file_dialog(std::u16string& path, const std::u16string& file_name,
                                             const std::u16string& start_folder, const std::u16string& title) {
    QFileDialog dialog(dialog_owner(), qt(title), existing_folder(start_folder), tr(index_file_type));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // A name typed without its extension gets ".ssi".
    dialog.setDefaultSuffix(QStringLiteral("ssi"));
    if (!file_name.empty()) dialog.selectFile(qt(file_name));
    const QStringList chosen = chosen_files(dialog);
    if (chosen.isEmpty()) return true;
    path = chosen.front().toStdU16String();
    return false;
}

bool QtUserInterface::pick_folder_dialog(std::u16string& folder, const std::u16string& start_folder,
                                         const std::u16string& title) {
    folder.clear();
    QFileDialog dialog(dialog_owner(), qt(title), existing_folder(start_folder));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    const QStringList chosen = chosen_files(dialog);
    if (chosen.isEmpty()) return true;
    folder = chosen.front().toStdU16String();
    return false;
}

bool QtUserInterface::pick_image_files_dialog(std::vector<std::u16string>& paths, const std::u16string& start_folder,
                                              const std::u16string& title) {
    paths.clear();
    QFileDialog dialog(dialog_owner(), qt(title), existing_folder(start_folder));
    dialog.setNameFilters({tr(image_file_types[0]), tr(image_file_types[1])});
    dialog.setFileMode(QFileDialog::ExistingFiles);
    const QStringList chosen = chosen_files(dialog);
    if (chosen.isEmpty()) return true;
    std::vector<std::u16string> in_order;
    for (const QString& path : chosen) in_order.push_back(path.toStdU16String());
    paths = fit_image_list(*this, in_order, image_list_capacity);
    return false;
}

bool QtUserInterface::show_properties_dialog() {
    if (!context_) return true;
    ShowPropertiesDialog dialog(*context_, dialog_owner());
    return dialog.exec() != QDialog::Accepted;
}

bool QtUserInterface::preferences_dialog() {
    if (!context_) return true;
    const MonitorColour before = context_->monitor;
    PreferencesDialog dialog(*context_, dialog_owner());
    if (dialog.exec() != QDialog::Accepted) return true;
    if (context_->monitor.profile != before.profile || context_->monitor.file != before.file) use_monitor_profile();
    return false;
}

void QtUserInterface::use_monitor_profile() {
    if (!context_) return;
    // The playback window opens on the primary screen.
    const QScreen* screen = playback_ ? playback_->screen() : QGuiApplication::primaryScreen();
    lumivane::use_monitor_profile(*context_, context_->monitor.profile == MonitorProfile::Display
                                                 ? display_icc_profile(screen)
                                                 : std::vector<std::uint8_t>{});
}

void QtUserInterface::about_dialog() {
    AboutDialog dialog(dialog_owner());
    dialog.exec();
}

bool QtUserInterface::slide_properties_dialog() {
    if (!context_) return true;
    SlidePropertiesDialog dialog(*context_, main_window_);
    return dialog.failed() || dialog.exec() != QDialog::Accepted;
}

void QtUserInterface::export_video_dialog() {
    if (!context_ || context_->show.slide_count() == 0 || exporting()) return;
    const SlideShow& show = context_->show;
    ExportOptions options = last_export_;
    options.output = default_video_path(show, QDir::homePath().toStdU16String());
    options.crf = -1;  // the format's own
    if (last_export_.output.empty()) options.motion = context_->motion;
    // The size offered is the show's in full HD, unless the last one fits its proportions.
    if (export_size(show.settings, options.height).width != options.width) options.width = options.height = -1;
    options = resolved_export_options(show.settings, options);
    ExportDialog dialog(dialog_owner(), *this, show.settings, options);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) return;
    options = dialog.options();
    last_export_ = options;
    // The export plays its own copy of the show, which reads the pictures held here.
    const SlideShow copy = show_borrow(show);
    const std::vector<std::uint8_t> profile = context_->monitor.icc;
    ExportProgressWindow window(dialog_owner(), qt(options.output));
    window.setWindowModality(Qt::ApplicationModal);
    export_window_ = &window;
    std::u16string message;
    const ExportResult result = window.run(
        [&copy, profile, &options](ExportProgress& progress, std::u16string& text) {
            const CaptionFonts fonts = video_caption_fonts();
            const CaptionDrawer draw = [&fonts](MemoryBitmap& picture, const std::u16string& caption,
                                                CaptionSize size) {
                draw_video_caption(picture, caption, size, fonts);
            };
            return export_show_video(copy, profile, options, draw, progress, text);
        },
        message);
    export_window_ = nullptr;
    if (result == ExportResult::Failed) {
        error_box(*this, u"%s", message);
    } else if (result == ExportResult::Done) {
        message_box(Core::translated(alert_title), formatted(Core::tr("The video is ready: %s"), options.output),
                    BoxButtons::Ok, BoxOwner::MainWindow);
    }
}
void QtUserInterface::cancel_export() {
    if (export_window_) export_window_->cancel_and_wait();
}

void QtUserInterface::show_help_page(const std::u16string& page) {
    const QString folder = QString::fromStdU16String(resource_folder()) + QStringLiteral("/help");
    const QString file = qt(page).section(u'#', 0, 0);
    if (!QFileInfo(QDir(folder).filePath(file)).isFile()) {
        error_box(*this, Core::tr("Cannot find the help page: %s"), QDir(folder).filePath(file).toStdU16String());
        return;
    }
    if (!help_) help_ = new HelpWindow(folder, main_window_);
    help_->show_page(qt(page));
}

bool QtUserInterface::download(const std::u16string& url, std::string& data, std::int32_t timeout_milliseconds) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool failed = lumivane::download(url, data, timeout_milliseconds);
    QApplication::restoreOverrideCursor();
    return failed;
}

void QtUserInterface::open_web_page(const std::u16string& url) {
    if (!QDesktopServices::openUrl(QUrl(qt(url)))) error_box(*this, Core::tr("Cannot open the web page %s"), url);
}

bool QtUserInterface::move_to_trash(const std::u16string& path, std::u16string& trashed_path) {
    return trash_file(path, trashed_path);
}

QWidget* QtUserInterface::dialog_owner() const {
    return main_window_ ? main_window_.data() : QApplication::activeWindow();
}

}  // namespace lumivane

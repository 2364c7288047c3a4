#include "ui/export_progress.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QVBoxLayout>


namespace lumivane {

ExportProgressWindow::ExportProgressWindow(QWidget* parent, const QString& file) : QDialog(parent) {
    setWindowTitle(tr("Exporting Video"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(tr("Writing %1").arg(QFileInfo(file).fileName()));
    name->setToolTip(file);
    layout->addWidget(name);
    bar_ = new QProgressBar;
    bar_->setRange(0, 1000);
    bar_->setTextVisible(false);
    bar_->setMinimumWidth(name->fontMetrics().averageCharWidth() * 50);
    layout->addWidget(bar_);
    status_ = new QLabel(tr("Counting the frames"));
    layout->addWidget(status_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    cancel_ = buttons->button(QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExportProgressWindow::reject);
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, [this] { show_progress(); });
}

ExportProgressWindow::~ExportProgressWindow() { cancel_and_wait(); }

ExportResult ExportProgressWindow::run(const ExportWork& work, std::u16string& message) {
    ExportResult result = ExportResult::Failed;
    finished_ = false;
    clock_.start();
    thread_ = std::thread([this, &work, &result, &message] {
        result = work(progress_, message);
        finished_ = true;
    });
    timer_.start();
    exec();
    timer_.stop();
    cancel_and_wait();
    return result;
}

void ExportProgressWindow::cancel_and_wait() {
    progress_.cancel = true;
    if (thread_.joinable()) thread_.join();
}

void ExportProgressWindow::reject() {
    // The window closes when the export has stopped.
    progress_.cancel = true;
    cancel_->setEnabled(false);
    status_->setText(tr("Stopping"));
}

void ExportProgressWindow::show_progress() {
    if (finished_) {
        done(QDialog::Accepted);
        return;
    }
    if (progress_.cancel) return;
    const std::int64_t total = progress_.frames_total;
    const std::int64_t done = progress_.frames_done;
    if (total <= 0) return;
    bar_->setValue(static_cast<int>(1000 * done / total));
    status_->setText(QString::fromStdU16String(export_progress_text(done, total, clock_.elapsed() / 1000.0)));
}

}  // namespace lumivane

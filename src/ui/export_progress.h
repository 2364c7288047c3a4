#pragma once
// The window that shows a video export's progress while the export runs on a thread of
// its own, so that the windows keep painting. Cancel (or closing the window) asks the
// export to stop, which it does at its next frame, within a second.

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "video/show_export.h"

namespace lumivane {

using ExportWork = std::function<ExportResult(ExportProgress& progress, std::u16string& message)>;

class ExportProgressWindow : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(ExportProgressWindow)

public:
    ExportProgressWindow(QWidget* parent, const QString& file);
    ~ExportProgressWindow() override;

    // Runs the work on its own thread while the window is shown, until it ends.
    ExportResult run(const ExportWork& work, std::u16string& message);
    // Asks the work to stop and waits until it has.
    void cancel_and_wait();

    void reject() override;

    QPushButton* cancel_button() const { return cancel_; }
    QProgressBar* bar() const { return bar_; }
    QLabel* status() const { return status_; }

private:
    void show_progress();

    ExportProgress progress_;
    std::atomic<bool> finished_{false};
    std::thread thread_;
    QLabel* status_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    QTimer timer_;
    QElapsedTimer clock_;
};

}  // namespace lumivane

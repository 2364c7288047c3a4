#include "ui/program_requests.h"

#include <QApplication>
#include <QThread>

#include <utility>

#include "app/app_context.h"
#include "app/command_line.h"
#include "ui/main_window.h"
#include "ui/qt_user_interface.h"
#include "ui/shell/main_window_commands.h"
#include "ui/window_placement.h"

namespace lumivane {

namespace {

constexpr int rest_check_milliseconds = 100;

}  // namespace

ProgramRequests::ProgramRequests(QtUserInterface& ui, AppContext& context, MainWindow& window)
    : ui_(ui), context_(context), window_(window) {
    timer_.setInterval(rest_check_milliseconds);
    connect(&timer_, &QTimer::timeout, this, [this] { carry_out(); });
}

void ProgramRequests::later_start(InstanceRequest request) {
    restore_minimised(window_);
    window_.raise();
    window_.activateWindow();
    if (request != InstanceRequest::OpenCommandLine) return;
    open_ = true;
    wait_for_rest();
}

void ProgramRequests::quit() {
    ui_.cancel_export();
    close_ = true;
    wait_for_rest();
}

// A question, a dialog or a menu runs an event loop of its own (and so do downloads and
// exports); a show loads inside the status window's event handling; before the
// program's own loop runs, it is still starting up.
bool ProgramRequests::at_rest() const {
    return QThread::currentThread()->loopLevel() == 1 && !QApplication::activeModalWidget() &&
           !QApplication::activePopupWidget() && !ui_.status_window().visible();
}

void ProgramRequests::wait_for_rest() {
    if (!timer_.isActive()) timer_.start();
}

void ProgramRequests::carry_out() {
    if (!at_rest()) return;
    timer_.stop();
    const bool close = std::exchange(close_, false);
    const bool open = std::exchange(open_, false);
    if (close && window_.close()) return;
    std::u16string text;
    if (open && !read_command_line_file(context_.session_folder + u"/" + command_line_file_name, text)) {
        open_passed_command_line(context_, text);
    }
}

}  // namespace lumivane

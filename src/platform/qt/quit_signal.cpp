#include "platform/qt/quit_signal.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace lumivane {

namespace {

int signal_pipe[2] = {-1, -1};

extern "C" void note_signal(int) {
    const char byte = 1;
    // Only a write is safe in a signal handler; the event loop does the rest.
    [[maybe_unused]] const ssize_t written = ::write(signal_pipe[0], &byte, 1);
}

}  // namespace

void on_quit_signal(QObject* receiver, std::function<void()> handler) {
    if (signal_pipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signal_pipe) != 0) return;
    auto* notifier = new QSocketNotifier(signal_pipe[1], QSocketNotifier::Read, receiver);
    QObject::connect(notifier, &QSocketNotifier::activated, receiver, [handler = std::move(handler)] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(signal_pipe[1], &byte, 1);
        handler();
    });
    struct sigaction action {};
    action.sa_handler = note_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(s, &action, nullptr);
}

}  // namespace lumivane

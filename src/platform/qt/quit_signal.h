#pragma once
// The termination signals (SIGTERM from a logout or kill, SIGINT, SIGHUP) end the
// program as its close button does, on the event loop, instead of killing it on the spot.

#include <QObject>

#include <functional>

namespace lumivane {

// handler runs on the event loop of receiver's thread for each signal that arrives.
void on_quit_signal(QObject* receiver, std::function<void()> handler);

}  // namespace lumivane

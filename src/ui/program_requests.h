#pragma once
// What reaches the running program from outside its windows: the show of a later start
// and the termination signals. Neither may take the show from under a question, a
// dialog, a menu or a show being loaded, so each waits until the program is at rest:
// in its own event loop, with none of these open.

#include <QObject>
#include <QTimer>

#include "platform/qt/single_instance.h"

namespace lumivane {

struct AppContext;
class MainWindow;
class QtUserInterface;

class ProgramRequests : public QObject {
public:
    ProgramRequests(QtUserInterface& ui, AppContext& context, MainWindow& window);

    // A later start: the main window comes to the front at once; the show it passed
    // opens at rest, after the offer to save (the last one passed, when several came).
    void later_start(InstanceRequest request);
    // A termination signal: a running export stops at once, and the main window closes
    // at rest as its close button does, offering to save first.
    void quit();

private:
    bool at_rest() const;
    void wait_for_rest();
    void carry_out();

    QtUserInterface& ui_;
    AppContext& context_;
    MainWindow& window_;
    QTimer timer_;
    bool open_ = false;
    bool close_ = false;
};

}  // namespace lumivane

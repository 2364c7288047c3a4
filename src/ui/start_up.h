#pragma once
// The program from its start to its end: a second start hands its command line to the
// running program and ends; the first finds the user's folders, reads the session
// state, shows the main window, opens the command-line show and runs.

#include <string>
#include <vector>

namespace lumivane {

struct AppContext;
class MainWindow;
class QtUserInterface;
class SingleInstance;

// A later start: with arguments (the show path already absolute) the running program
// opens their show, and with none it only comes to the front. The exit code, 1.
int pass_on(SingleInstance& instance, const std::vector<std::u16string>& arguments);

// Start-up once this program knows it is the only one running: the user's folders and
// the session state, the main window in its place, the show named by the arguments and
// the playback window. False when the user cancelled the folder the arguments asked
// for: the program then ends.
[[nodiscard]] bool start_program(QtUserInterface& ui, AppContext& context, MainWindow& window,
                   const std::vector<std::u16string>& arguments);

// The exit code: 0 normally, 1 for a second start.
int run_program(int& argc, char** argv, const std::vector<std::u16string>& arguments);

}  // namespace lumivane

#pragma once
// The program from its start to its end: a second start hands its command line to the
// running program and ends; the first finds the user's folders, reads the session
// state, shows the main window, opens the command-line show and runs.

#include <string>
#include <vector>

namespace lumivane {

// The exit code: 0 normally, 1 for a second start.
int run_program(int& argc, char** argv, const std::vector<std::u16string>& arguments);

}  // namespace lumivane

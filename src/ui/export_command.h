#pragma once
// The program's command line for making a video without any window:
//   lumivane --export SHOW -o OUT.mp4 [--size WxH] [--fps N] [--crf N]
//            [--motion exact|smooth] [--audio FILE]
// It runs beside a running program (an export is no second start of the editor), shows
// its progress on a terminal, and ends with 0 when the video is written, 1 when it
// cannot be (with a message saying why), 2 for a command line it cannot follow and 130
// when interrupted. An interrupted or failed export leaves no file behind.

#include <string>
#include <vector>

namespace lumivane {

// Whether the arguments ask for an export.
[[nodiscard]] bool is_export_command(const std::vector<std::u16string>& arguments);

int run_export_command(int& argc, char** argv, const std::vector<std::u16string>& arguments);

}  // namespace lumivane

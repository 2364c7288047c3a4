#pragma once
// The show named on the program's command line.

#include <string>
#include <vector>

namespace lumivane {

struct AppContext;

// The first argument, cut to the path limit, without one pair of surrounding
// quotation marks; empty when there is none.
std::u16string show_path_argument(const std::vector<std::u16string>& arguments);

// Opens the show at path: an index file (name ending ".ssi"), or a folder holding
// "index.ssi". Reports "Cannot open slide show: <folder>/<name>" when it cannot be read,
// and loads the show's pictures when it can. An empty path opens nothing.
bool open_command_line_show(AppContext& context, const std::u16string& path);

}  // namespace lumivane

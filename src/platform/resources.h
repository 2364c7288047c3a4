#pragma once
// Where the files that ship with the program are: button pictures, help pages, the
// demo show.

#include <string>

namespace lumivane {

// The shipped resources: <prefix>/share/lumivane when the program runs installed under
// <prefix>/bin, else the source tree's resources folder, which build trees use.
std::u16string resource_folder();
// The same for a program at executable_path.
std::u16string resource_folder_for(const std::u16string& executable_path);

}  // namespace lumivane

#pragma once
// The version number in the first line of the program's text files.

#include <string>

namespace lumivane {

class UserInterface;

// Warns when the version token is not a number, or names a newer or older version
// than the one this program writes; kind names the file in the message. Reading goes
// on whatever it says.
void version_check(UserInterface& ui, const std::u16string& token, double written_version, const std::u16string& kind);

}  // namespace lumivane

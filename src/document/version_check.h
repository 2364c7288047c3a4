#pragma once
// The version number in the first line of the program's text files.

#include <string>

namespace lumivane {

class UserInterface;

// How a file's version token stands to the version this program writes.
enum class VersionDifference { Same, Invalid, Newer, Older };
VersionDifference version_difference(const std::u16string& token, double written_version);

// Warns of a version that is not a number, or names a newer or older version than the one
// this program writes; kind names the file in the message. Reading goes on whatever it says.
void report_version_difference(UserInterface& ui, VersionDifference difference, const std::u16string& kind);
// The two above at once.
void version_check(UserInterface& ui, const std::u16string& token, double written_version, const std::u16string& kind);

}  // namespace lumivane

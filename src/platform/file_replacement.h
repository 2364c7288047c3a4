#pragma once
// Writing a whole file so that its old content is replaced only once the new content
// is completely on the disk: the new content goes to a temporary file beside the old
// one, which then takes its place in one step.

#include <string>

#include "platform/files.h"

namespace lumivane {

struct FileReplacement {
    FileHandle file;        // where the new content is written
    std::string target;     // the file replaced: the path, or the file its links lead to
    std::string temporary;  // where the new content is written
};

// What a path that is a symbolic link names: the file the link leads to (an index file
// kept elsewhere stays where it is), or the name itself, which then stops being a link
// (a picture copied into a show folder must not overwrite the photograph a link there
// leads to).
enum class ReplaceWhat { LinkTarget, Name };

// Opens the new content of path for writing.
// - With LinkTarget a symbolic link stays a link: the file it leads to is replaced.
// - The new file gets the old one's permission bits and, where the system allows,
//   its owner and group; a new file gets the bits an ordinary created file would.
// - An old file that may not be written, or one that is not a regular file, fails; so
//   does a folder that lets no file be created in it: the old file is never written
//   over in place, where a full disk or a kill would leave it broken.
// - Temporary files that earlier replacements of the same file left behind when the
//   program was killed go first, even when this one then fails.
[[nodiscard]] bool file_replace_start(const std::u16string& path, FileReplacement& replacement,
                        ReplaceWhat what = ReplaceWhat::LinkTarget);

// Makes sure the new content is on the disk, closes it and puts it in the place of the
// old file; with failed set (a write went wrong) or on any failure here, the old file
// stays as it was and no temporary file is left.
[[nodiscard]] bool file_replace_finish(FileReplacement& replacement, bool failed);

// Removes the temporary files that replacements of any file of folder left behind when
// the program was killed while writing (a save or an export), except those of names cut
// to fit, which only the next replacement of their file finds; files that a running
// replacement is writing stay.
void remove_replacement_leftovers(const std::u16string& folder);

}  // namespace lumivane

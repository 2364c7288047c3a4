#pragma once
// Copying an image file into a show folder.

#include <cstdint>
#include <string>

#include "platform/translation.h"

namespace lumivane {

class UserInterface;

inline constexpr std::uint32_t copy_block_size = 32768;
// Reported with the path of a file that could not go to the trash and stays where it is.
inline constexpr char16_t trash_failed_text[] = LMV_TRANSLATE_NOOP("Core", "Cannot move file to the trash: %s");

// Copies source to target, a path in another folder. The copy is written beside the
// target under a temporary name and takes the target's name only once it is complete,
// so a failed copy leaves no part of itself behind. A file already at target goes to
// the user's trash just before, so no photograph is lost by being replaced (when the
// trash cannot take it, it stays and the copy fails); a link there is replaced itself,
// never the file it leads to. When target is another path to the source itself, nothing
// is done. A failed read reports "Read error copying file: %s" with the source's path,
// a failed write "Write error copying file)"; a file that cannot be opened fails without
// a message. True on failure.
[[nodiscard]] bool file_copy(UserInterface& ui, const std::u16string& source, const std::u16string& target);

}  // namespace lumivane

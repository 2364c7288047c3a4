#pragma once
// Copying an image file into a show folder.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/translation.h"

namespace lumivane {

inline constexpr std::uint32_t copy_block_size = 32768;
// Reported with the path of a file that could not go to the trash and stays where it is.
inline constexpr char16_t trash_failed_text[] = LMV_TRANSLATE_NOOP("Core", "Cannot move file to the trash: %s");

// Copies source to target, a path in another folder. The copy is written beside the
// target under a temporary name and takes the target's name only once it is complete,
// so a failed copy leaves no part of itself behind. A file already at target goes to
// the user's trash just before, so no photograph is lost by being replaced (when the
// trash cannot take it, it stays and the copy fails); a link there is replaced itself,
// never the file it leads to. When target is another path to the source itself, nothing
// is done. Returns what failed, for the caller to report; None when the copy is there,
// Other when a file could not be opened or the copy not renamed.
enum class CopyFailure { None, Other, Read, Write, NotTrashed };
// Moves a file to the user's trash; true when it cannot.
using MoveToTrash = std::function<bool(const std::u16string& path)>;
[[nodiscard]] CopyFailure file_copy(const std::u16string& source, const std::u16string& target,
                                    const MoveToTrash& move_to_trash);

}  // namespace lumivane

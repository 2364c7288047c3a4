#pragma once
// Moving a person's file or folder to a new place without ever losing it.

#include <string>

namespace lumivane {

enum class MoveOutcome { NothingToMove, Moved, NewKept, Failed };

// Moves from (a file, or a folder with all it holds) to to, making the folders above to.
// Nothing happens when from does not exist, nor when to exists already: the new one is
// kept and the old one left where it is. Across file systems the copy is made beside to
// and renamed into place once whole, and only then is the old one removed; a move that
// fails leaves the old one as it was and no partial copy.
MoveOutcome move_to_new_place(const std::u16string& from, const std::u16string& to);

}  // namespace lumivane

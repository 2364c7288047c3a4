#include "platform/file_move.h"

#include <filesystem>

#include "platform/files.h"

namespace lumivane {

namespace fs = std::filesystem;

MoveOutcome move_to_new_place(const std::u16string& from_text, const std::u16string& to_text) {
    const fs::path from = native_path(from_text);
    const fs::path to = native_path(to_text);
    if (!path_exists(from_text)) return MoveOutcome::NothingToMove;
    if (path_exists(to_text)) return MoveOutcome::NewKept;
    std::error_code error;
    fs::create_directories(to.parent_path(), error);
    if (error) return MoveOutcome::Failed;
    fs::rename(from, to, error);
    if (!error) return MoveOutcome::Moved;

    fs::path partial = to;
    partial += ".partial";
    fs::remove_all(partial, error);
    error.clear();
    fs::copy(from, partial, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
    if (!error) fs::rename(partial, to, error);
    if (error) {
        fs::remove_all(partial, error);
        return MoveOutcome::Failed;
    }
    // The copy is in place: an old file that cannot be removed is no loss.
    fs::remove_all(from, error);
    return MoveOutcome::Moved;
}

}  // namespace lumivane

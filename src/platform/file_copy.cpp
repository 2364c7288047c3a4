#include "platform/file_copy.h"

#include <vector>

#include "platform/file_replacement.h"
#include "platform/files.h"

namespace lumivane {

CopyFailure file_copy(const std::u16string& source, const std::u16string& target, const MoveToTrash& move_to_trash) {
    FileHandle input;
    if (file_open_read(source, input)) return CopyFailure::Other;
    // Opening the source itself for writing would empty it.
    if (same_file(source, target)) return CopyFailure::None;
    FileReplacement output;
    if (file_replace_start(target, output, ReplaceWhat::Name)) return CopyFailure::Other;
    std::vector<unsigned char> block(copy_block_size);
    CopyFailure failure = CopyFailure::None;
    for (;;) {
        std::uint32_t length = copy_block_size;
        const ReadResult read = file_read(input, length, block.data());
        if (read == ReadResult::EndOfFile) break;
        if (read == ReadResult::Failed) {
            failure = CopyFailure::Read;
            break;
        }
        if (file_write(output.file, length, block.data())) {
            failure = CopyFailure::Write;
            break;
        }
    }
    file_close(input);
    if (failure == CopyFailure::None && path_exists(target) && move_to_trash(target)) failure = CopyFailure::NotTrashed;
    if (file_replace_finish(output, failure != CopyFailure::None) && failure == CopyFailure::None) {
        failure = CopyFailure::Other;
    }
    return failure;
}

}  // namespace lumivane

#include "platform/file_copy.h"

#include <vector>

#include "platform/file_replacement.h"
#include "platform/files.h"
#include "platform/message_boxes.h"
#include "platform/translation.h"

namespace lumivane {

bool file_copy(UserInterface& ui, const std::u16string& source, const std::u16string& target) {
    FileHandle input;
    if (file_open_read(source, input)) return true;
    // Opening the source itself for writing would empty it.
    if (same_file(source, target)) return false;
    FileReplacement output;
    if (file_replace_start(target, output, ReplaceWhat::Name)) return true;
    std::vector<unsigned char> block(copy_block_size);
    bool failed = false;
    for (;;) {
        std::uint32_t length = copy_block_size;
        const ReadResult read = file_read(input, length, block.data());
        if (read == ReadResult::EndOfFile) break;
        if (read == ReadResult::Failed) {
            error_box(ui, Core::tr("Read error copying file: %s"), source);
            failed = true;
            break;
        }
        if (file_write(output.file, length, block.data())) {
            error_box(ui, Core::tr("Write error copying file)"));
            failed = true;
            break;
        }
    }
    file_close(input);
    std::u16string trashed;
    if (!failed && path_exists(target) && ui.move_to_trash(target, trashed)) {
        error_box(ui, Core::translated(trash_failed_text), target);
        failed = true;
    }
    return file_replace_finish(output, failed);
}

}  // namespace lumivane

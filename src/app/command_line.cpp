#include "app/command_line.h"

#include <algorithm>

#include "app/app_context.h"
#include "app/show_folder.h"
#include "app/show_images.h"
#include "document/record_tokenizer.h"
#include "document/show_index.h"
#include "platform/files.h"
#include "platform/message_boxes.h"
#include "platform/paths.h"
#include "platform/translation.h"

namespace lumivane {

std::u16string show_path_argument(const std::vector<std::u16string>& arguments) {
    if (arguments.empty()) return {};
    std::u16string path = cut_text(arguments.front(), path_limit);
    if (path.size() >= 2 && path.front() == u'"' && path.back() == u'"') path = path.substr(1, path.size() - 2);
    return path;
}

std::u16string command_line_text(const std::vector<std::u16string>& arguments) {
    std::u16string text;
    for (const std::u16string& argument : arguments) {
        // A quote closes only on its own character: take one the argument does not hold.
        char16_t quote = quotation_mark;
        for (char16_t q : {quotation_mark, double_prime, triple_prime}) {
            if (argument.find(q) == std::u16string::npos) {
                quote = q;
                break;
            }
        }
        if (!text.empty()) text += u' ';
        text += quote + argument + quote;
    }
    return text;
}

std::u16string show_path_of_text(AppContext& context, const std::u16string& text) {
    TokenRecord record;
    tokenize_line(context.ui, record, text);
    return show_path_argument(record.tokens);
}

bool write_command_line_file(const std::u16string& path, const std::u16string& text) {
    std::string bytes;
    for (char16_t c : text + u'\0') {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    FileHandle file;
    // Only the user may learn which shows they open.
    if (file_create_private(path, file)) return true;
    const bool failed = file_write(file, static_cast<std::uint32_t>(bytes.size()), bytes.data());
    return file_close(file) || failed;
}

bool read_command_line_file(const std::u16string& path, std::u16string& text) {
    text.clear();
    FileHandle file;
    std::uint32_t size = 0;
    if (file_open_read(path, file) || file_size(file, size)) return true;
    size = std::min<std::uint32_t>(size, 65536);  // far more than one command line
    std::string bytes(size, '\0');
    if (size > 0 && file_read(file, size, bytes.data()) == ReadResult::Failed) return true;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const auto c = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8));
        if (c == 0) break;
        text += c;
    }
    return false;
}

CommandLineOpen open_command_line_show(AppContext& context, const std::u16string& path) {
    if (path.empty()) return CommandLineOpen::Nothing;
    SlideShow& show = context.show;
    std::u16string name = default_index_name;
    bool create = false;
    bool replace_index = false;
    if (path_extension(path) == u".ssi") {
        show.show_folder = path;
        path_folder(show.show_folder);
        name = path_file_name(path);
    } else if (folder_exists(path)) {
        show.show_folder = path;
        std::u16string index;
        if (!path_join(context.ui, index, path, default_index_name) && file_exists(index)) {
            switch (context.ui.message_box(
                Core::translated(warning_title),
                Core::tr("Open existing index file: index.ssi?.\n\nSelect Yes to open it.\n"
                         "Select No to delete it and build a new index.\nSelect Cancel to abort."),
                BoxButtons::YesNoCancel, BoxOwner::MainWindow)) {
            case BoxAnswer::Yes: break;
            // The new index replaces the old one once it is written, so a folder
            // without pictures keeps its index.
            case BoxAnswer::No:
                create = true;
                replace_index = true;
                break;
            default: show.show_folder.clear(); return CommandLineOpen::Nothing;
            }
        } else {
            create = true;
        }
    } else {
        show.index_path.clear();
        if (context.ui.pick_folder_dialog(show.show_folder, {}, Core::tr("Select Slide Show Folder"))) {
            return CommandLineOpen::Cancelled;
        }
    }
    update_window_title(context);
    if (open_show_in_folder(context, name, create, replace_index)) {
        std::u16string shown;
        // A path too long has been reported; the message names what there is of it.
        static_cast<void>(path_join(context.ui, shown, show.show_folder, name));
        error_box(context.ui, Core::tr("Cannot open slide show: %s"), shown);
        reset_to_untitled(context);
        return CommandLineOpen::Failed;
    }
    load_show_images(context);
    return CommandLineOpen::Opened;
}

}  // namespace lumivane

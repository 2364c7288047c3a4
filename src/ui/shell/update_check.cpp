#include "ui/shell/update_check.h"

#include <cstdlib>

#include "app/app_context.h"
#include "document/number_parsing.h"
#include "document/record_tokenizer.h"
#include "document/text_file.h"
#include "document/version_check.h"
#include "platform/files.h"
#include "platform/message_boxes.h"
#include "platform/text_encoding.h"
#include "platform/translation.h"
#include "ui/shell/shell_interface.h"

namespace lumivane {

namespace {

std::u16string with_slash(std::u16string address) {
    if (address.empty() || address.back() != u'/') address += u'/';
    return address;
}

// Writes the downloaded bytes where the version file is read from, into a new file
// only: whatever still stands there (a link above all) is never written through. A
// file that cannot be written is simply not there to read.
void write_bytes(const std::u16string& path, const std::string& data) {
    FileHandle file;
    if (file_create_new(path, file)) return;
    if (file_write(file, static_cast<std::uint32_t>(data.size()), data.data())) {
        file_close(file);
        file_delete(path);
        return;
    }
    file_close(file);
}

}  // namespace

std::u16string update_server() {
    const char* named = std::getenv("LUMIVANE_UPDATE_SERVER");
    return with_slash(named && *named ? utf8_to_utf16(named) : std::u16string(default_update_server));
}

LatestVersion read_version_text(UserInterface& ui, std::u16string& text) {
    LatestVersion latest;
    std::size_t position = 0;
    std::u16string_view line;
    TokenRecord record;
    // A damaged file gives no version and no message of its own: the check reports it once.
    if (next_record_line(text, position, line) || tokenize_line(record, line)) return latest;
    if (record.count() != 2 || record.tokens[0] != u"Version") return latest;
    // Checked once the file proves whole, so that a damaged one gets one message only.
    const std::u16string version = record.tokens[1];
    while (!next_record_line(text, position, line)) {
        if (tokenize_line(record, line)) return latest;
        if (record.count() == 0) continue;
        const std::u16string& key = record.tokens[0];
        if (key == u"end") {
            version_check(ui, version, 1.0, LMV_TRANSLATE_NOOP("Core", "Version Information"));
            latest.text = formatted(u"Lumivane %d.%d.%d", latest.major, latest.minor, latest.build);
            return latest;
        }
        if (record.count() < 2) continue;
        // Whatever converts counts, as in the program's other files.
        if (key == u"major") parse_int(record.tokens[1], latest.major);
        if (key == u"minor") parse_int(record.tokens[1], latest.minor);
        if (key == u"build") parse_int(record.tokens[1], latest.build);
    }
    return latest;
}

void check_for_update(AppContext& context, ShellInterface& ui, const std::u16string& server,
                      std::int32_t timeout_milliseconds) {
    const std::u16string local = context.session_folder + u"/" + version_file_name;
    file_delete(local);

    std::string data;
    if (ui.download(with_slash(server) + version_file_name, data, timeout_milliseconds)) {
        error_box(ui, Core::tr("Could not access version information - please check your internet connection"));
        return;
    }
    write_bytes(local, data);
    FileHandle file;
    std::u16string text;
    if (file_open_read(local, file)) {
        error_box(ui, Core::tr("Error downloading version information"));
        return;
    }
    LatestVersion latest;
    if (!read_text_file(std::move(file), text)) latest = read_version_text(ui, text);
    file_delete(local);
    if (latest.text.empty()) {  // empty, cut short or not a version file at all
        error_box(ui, Core::tr("Error downloading version information"));
        return;
    }

    if (latest.major == version_major && latest.minor == version_minor && latest.build == version_build) {
        ui.message_box(Core::translated(update_title), Core::tr("Lumivane is up to date"), BoxButtons::Ok,
                       BoxOwner::MainWindow);
        return;
    }
    const std::u16string question = formatted(Core::tr("Another version available.\n\nCurrent version -- %s\n\nLatest "
                                                       "downloadable version -- %s\n\nLaunch Download Page?"),
                                              program_title(), latest.text);
    if (ui.message_box(Core::translated(update_title), question, BoxButtons::YesNo, BoxOwner::MainWindow) ==
        BoxAnswer::Yes) {
        ui.open_web_page(with_slash(server) + download_page_name);
    }
}

}  // namespace lumivane

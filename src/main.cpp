// Lumivane: plays the slide show named on the command line.

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "document/app_context.h"
#include "document/command_line.h"
#include "document/show_folder.h"
#include "platform/text_encoding.h"
#include "playback/playback_window.h"
#include "playback/timeline.h"
#include "ui/playback_widget.h"
#include "ui/qt_user_interface.h"

using namespace lumivane;

namespace {

const char usage[] =
    "Usage: lumivane [SHOW]\n"
    "Plays a slide show of photographs.\n"
    "\n"
    "SHOW is a slide show index file (.ssi), or a folder that holds index.ssi.\n"
    "\n"
    "In the playback window: Space stops, the arrow keys, Home and End move through the\n"
    "slides, Esc closes the program.\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the program's version\n";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s\n", utf16_to_utf8(program_title()).c_str());
            return 0;
        }
        arguments.push_back(utf8_to_utf16(argv[i]));
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumivane"));
    QtUserInterface ui;
    AppContext context(ui);
    ui.attach(context);

    reset_to_untitled(context);
    context.playback.from_black = true;
    apply_default_settings(context.show, context.default_settings);
    // Until a show is read, nothing starts by itself.
    context.show.settings.autorun = autorun_manual;
    open_command_line_show(context, show_path_argument(arguments));
    update_window_title(context);

    if (!ui.create_playback_window()) return 0;
    context.playback.running = false;
    go_to_slide(context, 0, true);
    // There is no editor window yet: the playback window is the program's only one,
    // shown in every mode, and closing it ends the program.
    context.playback.window->set_visible(true);
    if (context.show.settings.autorun == autorun_run) run_show(context);
    return application.exec();
}

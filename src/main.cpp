// Lumivane: opens the slide show named on the command line in its main window.

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "platform/text_encoding.h"
#include "ui/export_command.h"
#include "ui/start_up.h"
#include "ui/translations.h"

using namespace lumivane;

namespace {

const char usage[] = QT_TRANSLATE_NOOP(
    "CommandLine",
    "Usage: lumivane [SHOW]\n"
    "       lumivane --export SHOW -o VIDEO [--size WxH] [--fps N] [--crf N]\n"
    "                [--motion exact|smooth] [--audio FILE]\n"
    "Plays and edits slide shows of photographs, and makes videos of them.\n"
    "\n"
    "SHOW is a slide show index file (.ssi), or a folder of photographs (its index.ssi,\n"
    "or a new one listing its pictures). When the program already runs, it opens SHOW\n"
    "there instead.\n"
    "\n"
    "In the playback window: Space stops, the arrow keys, Home and End move through the\n"
    "slides, Esc closes it. In the main window Space plays and Esc ends the program;\n"
    "F1 opens the help pages.\n"
    "\n"
    "--export makes a video of SHOW without opening a window, even while the program\n"
    "runs: VIDEO ending in .mp4 is H.264 (the default, for every player), .webm is VP9\n"
    "and .mkv is AV1. --size is even numbers (default: the show's proportions in\n"
    "1920x1080), --fps is 24, 25, 30 (default), 50 or 60, --crf the quality (lower is\n"
    "better; 20 for H.264, 32 otherwise), --motion how moving pictures are sampled\n"
    "(default: the Motion of Preferences), --audio a music file, repeated or cut to the\n"
    "video with a fade-out. The show plays as in the program, with its defaults for new\n"
    "shows (the speed, for one).\n"
    "\n"
    "LUMIVANE_UPDATE_SERVER names the server Help > Check for Updates asks.\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the program's version\n");

}  // namespace

int main(int argc, char** argv) {
    // The AV1 encoder's own notes on its settings would fill the terminal.
    ::setenv("SVT_LOG", "1", 0);
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            QCoreApplication application(argc, argv);
            install_translations(application);
            std::fputs(QCoreApplication::translate("CommandLine", usage).toUtf8().constData(), stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s\n", utf16_to_utf8(program_title()).c_str());
            return 0;
        }
        arguments.push_back(utf8_to_utf16(argv[i]));
    }
    if (is_export_command(arguments)) return run_export_command(argc, argv, arguments);
    return run_program(argc, argv, arguments);
}

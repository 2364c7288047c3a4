// Lumivane: opens the slide show named on the command line in its main window.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "document/app_context.h"
#include "platform/text_encoding.h"
#include "ui/start_up.h"

using namespace lumivane;

namespace {

const char usage[] =
    "Usage: lumivane [SHOW]\n"
    "Plays and edits slide shows of photographs.\n"
    "\n"
    "SHOW is a slide show index file (.ssi), or a folder of photographs (its index.ssi,\n"
    "or a new one listing its pictures). When the program already runs, it opens SHOW\n"
    "there instead.\n"
    "\n"
    "In the playback window: Space stops, the arrow keys, Home and End move through the\n"
    "slides, Esc closes it. In the main window Space plays and Esc ends the program;\n"
    "F1 opens the help pages.\n"
    "\n"
    "LUMIVANE_UPDATE_SERVER names the server Help > Check for Updates asks.\n"
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
    return run_program(argc, argv, arguments);
}

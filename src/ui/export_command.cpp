#include "ui/export_command.h"

#include <QGuiApplication>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>
#include <unistd.h>

#include "app/app_context.h"
#include "app/headless_flows.h"
#include "app/show_folder.h"
#include "app/show_images.h"
#include "document/show_index.h"
#include "imaging/colour_transform.h"
#include "imaging/memory_bitmap.h"
#include "platform/files.h"
#include "platform/message_boxes.h"
#include "platform/paths.h"
#include "platform/qt/user_folders.h"
#include "platform/text_encoding.h"
#include "platform/translation.h"
#include "ui/captions.h"
#include "ui/qt_text.h"
#include "ui/shell/session_state.h"
#include "ui/translations.h"
#include "video/show_export.h"

namespace lumivane {

namespace {

constexpr char16_t export_switch[] = u"--export";

// Messages go to the terminal; an error while the show is read stops the export.
class ConsoleUi final : public HeadlessFlows {
public:
    void message(const std::u16string& title, const std::u16string& text) override {
        std::fprintf(stderr, "%s: %s\n", utf16_to_utf8(title).c_str(), utf16_to_utf8(text).c_str());
        if (title == Core::translated(error_title)) ++errors;
    }
    int errors = 0;
};

void say(const std::u16string& text) { std::fprintf(stderr, "lumivane: %s\n", utf16_to_utf8(text).c_str()); }

// Ctrl-C, a request to end and a closed terminal stop the export at its next frame.
std::atomic<bool>* interrupt_flag = nullptr;

extern "C" void on_interrupt(int) {
    if (interrupt_flag) interrupt_flag->store(true);
}

// Reads the show, an index file or a folder holding "index.ssi", with its pictures in
// sRGB, the colours of a video. True on failure, reported.
bool load_show(AppContext& context, ConsoleUi& ui, const std::u16string& path) {
    SlideShow& show = context.show;
    std::u16string name = default_index_name;
    show.show_folder = path;
    if (names_equal_nocase(path_extension(path), u".ssi")) {
        path_folder(show.show_folder);
        name = path_file_name(path);
    } else if (!folder_exists(path)) {
        say(formatted(Core::tr("No such show: %s"), path));
        return true;
    }
    std::u16string index;
    if (path_join(ui, index, show.show_folder, name) || !file_exists(index)) {
        say(formatted(Core::tr("No slide show index file %s: open the folder in Lumivane once to make one"), index));
        return true;
    }
    context.monitor_profile = MonitorProfile::Srgb;
    if (read_show(context, show.show_folder, name)) {
        say(formatted(Core::tr("Cannot open slide show: %s"), index));
        return true;
    }
    load_show_images(context);
    return ui.errors > 0;
}

// The user's preferences from the session state file, as the program starts with them:
// the defaults for what a show's index file leaves out (its speed, for one) and the
// motion.
void read_user_preferences(AppContext& context) {
    const UserFolders folders = find_user_folders(QCoreApplication::applicationDirPath().toStdU16String());
    read_session_state_file(context, session_state_path(folders.session));
    apply_default_settings(context.show, context.default_settings);
}

// Shows the progress on one line of the terminal until the export ends.
void show_progress(const ExportProgress& progress, const std::atomic<bool>& finished) {
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    const auto start = std::chrono::steady_clock::now();
    while (!finished) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const std::int64_t total = progress.frames_total;
        if (!terminal || total <= 0 || finished) continue;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const std::string line = utf16_to_utf8(export_progress_text(progress.frames_done, total, seconds));
        std::fprintf(stderr, "\r%-60s", line.c_str());
        std::fflush(stderr);
    }
    if (terminal) std::fprintf(stderr, "\r%-60s\r", "");
}

}  // namespace

bool is_export_command(const std::vector<std::u16string>& arguments) {
    return std::find(arguments.begin(), arguments.end(), export_switch) != arguments.end();
}

int run_export_command(int& argc, char** argv, const std::vector<std::u16string>& arguments) {
    std::vector<std::u16string> rest;
    for (const std::u16string& argument : arguments) {
        if (argument != export_switch) rest.push_back(argument);
    }
    // Captions are drawn with the program's fonts; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    install_translations(application);

    ConsoleUi ui;
    AppContext context(ui);
    read_user_preferences(context);
    std::u16string show_path;
    ExportOptions options;
    options.motion = context.motion;  // unless the command line names one
    std::u16string message;
    if (parse_export_arguments(rest, show_path, options, message)) {
        say(message);
        std::fprintf(stderr, "%s\n",
                     QCoreApplication::translate("ExportCommand", "Try lumivane --help.").toUtf8().constData());
        return 2;
    }
    if (load_show(context, ui, show_path)) return 1;
    options = resolved_export_options(context.show.settings, options);

    ExportProgress progress;
    interrupt_flag = &progress.cancel;
    std::signal(SIGINT, on_interrupt);
    std::signal(SIGTERM, on_interrupt);
    std::signal(SIGHUP, on_interrupt);
    // Past a file size limit a write fails and says so, rather than ending the program.
    std::signal(SIGXFSZ, SIG_IGN);

    std::atomic<bool> finished{false};
    std::thread watcher([&] { show_progress(progress, finished); });
    const CaptionFonts fonts = video_caption_fonts();
    const CaptionDrawer draw = [&fonts](MemoryBitmap& picture, const std::u16string& caption, CaptionSize size) {
        draw_video_caption(picture, caption, size, fonts);
    };
    const auto start = std::chrono::steady_clock::now();
    const ExportResult result = export_show_video(context.show, MonitorProfile::Srgb, options, draw, progress, message);
    finished = true;
    watcher.join();
    interrupt_flag = nullptr;

    switch (result) {
    case ExportResult::Failed: say(message); return 1;
    case ExportResult::Cancelled: say(Core::tr("Export interrupted; no video written")); return 130;
    case ExportResult::Done: break;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double length = static_cast<double>(progress.frames_total) / options.frames_per_second;
    const QString summary = QCoreApplication::translate("ExportCommand", "%1: %2 x %3, %4 frames (%5 s) in %6 s")
                                .arg(qt(options.output))
                                .arg(options.width)
                                .arg(options.height)
                                .arg(progress.frames_total.load())
                                .arg(length, 0, 'f', 1)
                                .arg(seconds, 0, 'f', 1);
    std::printf("%s\n", summary.toUtf8().constData());
    return 0;
}

}  // namespace lumivane

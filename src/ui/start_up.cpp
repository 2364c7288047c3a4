#include "ui/start_up.h"

#include <QApplication>
#include <QFileInfo>

#include "app/app_context.h"
#include "app/command_line.h"
#include "app/show_folder.h"
#include "platform/files.h"
#include "platform/qt/quit_signal.h"
#include "platform/qt/single_instance.h"
#include "platform/qt/user_folders.h"
#include "playback/timeline.h"
#include "ui/main_window.h"
#include "ui/program_icon.h"
#include "ui/qt_user_interface.h"
#include "ui/shell/main_window_commands.h"
#include "ui/shell/session_state.h"
#include "ui/window_placement.h"

namespace lumivane {

namespace {

std::u16string program_folder() { return QCoreApplication::applicationDirPath().toStdU16String(); }

// The show path made absolute against the folder where it was typed, so that the
// recent files list and a running program elsewhere find it.
std::vector<std::u16string> with_absolute_show_path(std::vector<std::u16string> arguments) {
    const QString path = QString::fromStdU16String(show_path_argument(arguments));
    if (!path.isEmpty()) arguments.front() = QFileInfo(path).absoluteFilePath().toStdU16String();
    return arguments;
}

// A later start: the running program comes to the front and, when there is a command
// line, opens its show.
int pass_on(SingleInstance& instance, const std::vector<std::u16string>& arguments) {
    if (arguments.empty()) {
        instance.send(InstanceRequest::Raise);
        return 1;
    }
    const UserFolders folders = find_user_folders(program_folder());
    if (write_command_line_file(folders.settings + u"/" + command_line_file_name, command_line_text(arguments))) {
        instance.send(InstanceRequest::Raise);
    } else {
        instance.send(InstanceRequest::OpenCommandLine);
    }
    return 1;
}

void bring_to_front(QWidget& window) {
    restore_minimised(window);
    window.raise();
    window.activateWindow();
}

}  // namespace

bool start_program(QtUserInterface& ui, AppContext& context, MainWindow& window,
                   const std::vector<std::u16string>& arguments) {
    ui.attach(context);
    const UserFolders folders = find_user_folders(program_folder());
    context.settings_folder = folders.settings;
    context.session_folder = folders.session;
    read_session_state(context, pictures_folder());

    reset_to_untitled(context);
    context.playback.from_black = true;
    context.clipboard = SlideClipboard{};
    apply_default_settings(context.show, context.default_settings);

    window.setWindowTitle(QString::fromStdU16String(program_title()));
    ui.set_main_window(&window);
    restore_placement(window, context.placement);

    // Until a show is read, nothing starts by itself.
    context.show.settings.autorun = autorun_manual;
    if (open_command_line_show(context, show_path_argument(arguments)) == CommandLineOpen::Cancelled) return false;

    update_window_title(context);
    ui.create_playback_window();
    context.playback.running = false;
    go_to_slide(context.player, 0, true);
    if (context.show.settings.autorun == autorun_run) run_show(context.player);
    return true;
}

int run_program(int& argc, char** argv, const std::vector<std::u16string>& typed_arguments) {
    QApplication application(argc, argv);
    const std::vector<std::u16string> arguments = with_absolute_show_path(typed_arguments);
    QApplication::setApplicationName(QStringLiteral("Lumivane"));
    QApplication::setWindowIcon(program_icon());
    QGuiApplication::setDesktopFileName(QStringLiteral("lumivane"));
    // The playback window comes and goes; the program ends with the main window.
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance(QString::fromStdU16String(runtime_folder()));
    if (!instance.claim()) return pass_on(instance, arguments);

    QtUserInterface ui;
    AppContext context(ui);
    // The tool buttons made with the window take a user's own pictures from the settings folder.
    context.settings_folder = find_user_folders(program_folder()).settings;
    MainWindow window(context, ui);
    // A running export reads the show's pictures: it stops before the show is closed.
    on_quit_signal(&window, [&window, &ui] {
        ui.cancel_export();
        window.close();
    });
    if (!start_program(ui, context, window, arguments)) return 0;

    bool opening = false;
    instance.set_handler([&](InstanceRequest request) {
        bring_to_front(window);
        // A show being exported keeps its pictures until the export ends.
        if (request != InstanceRequest::OpenCommandLine || opening || ui.exporting()) return;
        std::u16string text;
        if (read_command_line_file(context.settings_folder + u"/" + command_line_file_name, text)) return;
        opening = true;  // a request while a show is being opened is not queued
        open_passed_command_line(context, text);
        opening = false;
    });
    const int code = application.exec();
    ui.destroy_playback_window();
    return code;
}

}  // namespace lumivane

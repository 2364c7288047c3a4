#include "ui/start_up.h"

#include <QApplication>
#include <QFileInfo>

#include "app/app_context.h"
#include "app/command_line.h"
#include "app/show_folder.h"
#include "platform/files.h"
#include "platform/message_boxes.h"
#include "platform/qt/quit_signal.h"
#include "platform/qt/single_instance.h"
#include "platform/qt/user_folders.h"
#include "platform/translation.h"
#include "playback/timeline.h"
#include "ui/accessible_controls.h"
#include "ui/main_window.h"
#include "ui/program_icon.h"
#include "ui/program_requests.h"
#include "ui/qt_user_interface.h"
#include "ui/shell/main_window_commands.h"
#include "ui/shell/session_state.h"
#include "ui/translations.h"
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

}  // namespace

int pass_on(SingleInstance& instance, const std::vector<std::u16string>& arguments) {
    if (arguments.empty()) {
        instance.send(InstanceRequest::Raise);
        return 1;
    }
    // Only the show path counts, cut as this start would cut it: the file stays small,
    // whatever the command line holds.
    const UserFolders folders = find_user_folders(program_folder());
    if (write_command_line_file(folders.session + u"/" + command_line_file_name,
                                command_line_text({show_path_argument(arguments)}))) {
        instance.send(InstanceRequest::Raise);
    } else {
        instance.send(InstanceRequest::OpenCommandLine);
    }
    return 1;
}

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
    context.show.settings.autorun = AutorunMode::Manual;
    if (open_command_line_show(context, show_path_argument(arguments)) == CommandLineOpen::Cancelled) return false;

    update_window_title(context);
    ui.create_playback_window();
    context.playback.running = false;
    go_to_slide(context.player, 0, true);
    if (context.show.settings.autorun == AutorunMode::Run) run_show(context.player);
    return true;
}

int run_program(int& argc, char** argv, const std::vector<std::u16string>& typed_arguments) {
    QApplication application(argc, argv);
    install_accessible_controls();
    const std::vector<std::u16string> arguments = with_absolute_show_path(typed_arguments);
    QApplication::setApplicationName(QStringLiteral("Lumivane"));
    install_translations(application);
    QApplication::setWindowIcon(program_icon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.lumivane.Lumivane"));
    // The playback window comes and goes; the program ends with the main window.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString lock_folder = QString::fromStdU16String(runtime_folder());
    SingleInstance instance(lock_folder);
    const InstanceClaim claim = instance.claim();
    if (claim == InstanceClaim::Running) return pass_on(instance, arguments);

    QtUserInterface ui;
    // The files of earlier versions move to the desktop's places once; a file that cannot
    // move stays in use where it is.
    for (const std::u16string& path : move_earlier_user_files(program_folder())) {
        warning_box(ui, Core::tr("Cannot move %s to its new folder. The program goes on using it where it is, "
                                 "and nothing is lost."),
                    path);
    }
    AppContext context(ui);
    // The tool buttons made with the window take a user's own pictures from the settings folder.
    context.settings_folder = find_user_folders(program_folder()).settings;
    MainWindow window(context, ui);
    ProgramRequests requests(ui, context, window);
    on_quit_signal(&window, [&requests] { requests.quit(); });
    if (!start_program(ui, context, window, arguments)) return 0;

    // Without the lock nothing may listen: the socket may be another program's.
    if (claim == InstanceClaim::Failed ||
        instance.set_handler([&requests](InstanceRequest request) { requests.later_start(request); })) {
        error_box(ui,
                  Core::tr("Cannot use the folder %s to keep one program running.\n"
                           "Later starts will open programs of their own."),
                  lock_folder.toStdU16String());
    }
    const int code = application.exec();
    ui.destroy_playback_window();
    return code;
}

}  // namespace lumivane

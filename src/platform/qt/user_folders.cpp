#include "platform/qt/user_folders.h"

#include <QDir>
#include <QStandardPaths>

#include "platform/file_move.h"
#include "platform/files.h"

namespace lumivane {

namespace {

QString location(QStandardPaths::StandardLocation kind) { return QStandardPaths::writableLocation(kind); }

std::u16string made(const QString& folder) {
    QDir().mkpath(folder);
    return folder.toStdU16String();
}

// An XDG base folder: the variable when it holds an absolute path, else its default
// under the home folder.
QString base_folder(const char* variable, const QString& under_home) {
    const QString set = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(set) ? set : QDir::homePath() + u'/' + under_home;
}

QString portable_folder(const std::u16string& program_folder) {
    const QString beside = QString::fromStdU16String(program_folder) + QStringLiteral("/Settings");
    return QFileInfo(beside).isDir() ? beside : QString();
}

// One kind of the user's files: where it lives now, where earlier versions kept it, and
// what in it a person would miss.
struct Place {
    QString folder;
    QString earlier;
    QString file;
};

Place settings_place() {
    return {base_folder("XDG_CONFIG_HOME", QStringLiteral(".config")) + QStringLiteral("/Lumivane"),
            location(QStandardPaths::DocumentsLocation) + QStringLiteral("/Lumivane"), QStringLiteral("Bitmaps")};
}

Place session_place() {
    return {base_folder("XDG_STATE_HOME", QStringLiteral(".local/state")) + QStringLiteral("/Lumivane"),
            location(QStandardPaths::GenericDataLocation) + QStringLiteral("/Lumivane"),
            QStringLiteral("Session State/Slide Show.state")};
}

bool exists(const QString& path) { return path_exists(path.toStdU16String()); }

std::u16string chosen_folder(const Place& place) {
    const bool left_behind = exists(place.earlier + u'/' + place.file) && !exists(place.folder + u'/' + place.file);
    return made(left_behind ? place.earlier : place.folder);
}

}  // namespace

UserFolders find_user_folders(const std::u16string& program_folder) {
    const QString portable = portable_folder(program_folder);
    if (!portable.isEmpty()) return {portable.toStdU16String(), portable.toStdU16String()};
    return {chosen_folder(settings_place()), chosen_folder(session_place())};
}

std::vector<std::u16string> move_earlier_user_files(const std::u16string& program_folder) {
    std::vector<std::u16string> unmoved;
    if (!portable_folder(program_folder).isEmpty()) return unmoved;
    for (const Place& place : {settings_place(), session_place()}) {
        const QString from = place.earlier + u'/' + place.file;
        if (move_to_new_place(from.toStdU16String(), (place.folder + u'/' + place.file).toStdU16String()) ==
            MoveOutcome::Failed) {
            unmoved.push_back(from.toStdU16String());
        }
        // The earlier folders go when the move leaves them empty; rmdir takes no other.
        QDir().rmdir(QFileInfo(from).path());
        QDir().rmdir(place.earlier);
    }
    return unmoved;
}

std::u16string pictures_folder() {
    const QString pictures = location(QStandardPaths::PicturesLocation);
    return (pictures.isEmpty() ? QDir::homePath() : pictures).toStdU16String();
}

std::u16string runtime_folder() {
    const QString runtime = location(QStandardPaths::RuntimeLocation);
    // Qt gives none when $XDG_RUNTIME_DIR is unset or unfit and its own fallback
    // (/tmp/runtime-USER) is not this user's folder: the state folder is.
    if (runtime.isEmpty()) return made(session_place().folder);
    return runtime.toStdU16String();
}

}  // namespace lumivane

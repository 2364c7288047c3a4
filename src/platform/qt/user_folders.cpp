#include "platform/qt/user_folders.h"

#include <QDir>
#include <QStandardPaths>

namespace lumivane {

namespace {

QString location(QStandardPaths::StandardLocation kind) { return QStandardPaths::writableLocation(kind); }

std::u16string made(const QString& folder) {
    QDir().mkpath(folder);
    return folder.toStdU16String();
}

}  // namespace

UserFolders find_user_folders(const std::u16string& program_folder) {
    const QString beside = QString::fromStdU16String(program_folder) + QStringLiteral("/Settings");
    if (QFileInfo(beside).isDir()) return {beside.toStdU16String(), beside.toStdU16String()};
    return {made(location(QStandardPaths::DocumentsLocation) + QStringLiteral("/Lumivane")),
            made(location(QStandardPaths::GenericDataLocation) + QStringLiteral("/Lumivane"))};
}

std::u16string pictures_folder() {
    const QString pictures = location(QStandardPaths::PicturesLocation);
    return (pictures.isEmpty() ? QDir::homePath() : pictures).toStdU16String();
}

std::u16string runtime_folder() {
    const QString runtime = location(QStandardPaths::RuntimeLocation);
    // Qt gives none when $XDG_RUNTIME_DIR is unset or unfit and its own fallback
    // (/tmp/runtime-USER) is not this user's folder: the data folder is.
    if (runtime.isEmpty()) return made(location(QStandardPaths::GenericDataLocation) + QStringLiteral("/Lumivane"));
    return runtime.toStdU16String();
}

}  // namespace lumivane

#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/translation.h"

namespace lumivane {

namespace {

std::u16string core_text(std::u16string_view english) {
    const QByteArray source = QString::fromStdU16String(std::u16string(english)).toUtf8();
    return QCoreApplication::translate("Core", source.constData()).toStdU16String();
}

void install(QCoreApplication& application, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale::system(), name, QStringLiteral("_"), folder)) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

}  // namespace

void install_translations(QCoreApplication& application) {
    install(application, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(application, QStringLiteral("lumivane"), QStringLiteral(":/i18n"));
    Core::set_translator(core_text);
}

}  // namespace lumivane

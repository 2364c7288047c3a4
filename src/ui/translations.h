#pragma once
// The program in the desktop's language (QLocale::system(): LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG): Qt's own texts (standard buttons, file dialogs) from Qt's
// translations, and the program's from resources/translations/, built into it. The
// core's texts (Core::tr) go through the same translations; English needs none.

class QCoreApplication;

namespace lumivane {

void install_translations(QCoreApplication& application);

}  // namespace lumivane

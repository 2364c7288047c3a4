#pragma once
// Every text the user reads is written in English in the code, and those English texts are
// the source texts of the translations in resources/translations/. The core has no Qt, so
// it asks for a text in the user's language with Core::tr("..."), which lupdate collects as
// it does a window's tr() (scripts/translations names these spellings to it), under the
// context "Core". A table of texts marks them with LMV_TRANSLATE_NOOP("Core", "...") and
// gives an entry in the user's language with Core::translated(entry) where it is shown.
// A message with a number or a name in it is translated whole, as its format, and
// formatted after: Core::tr("Frame %d").
//
// The windows' layer hands Core its translator as the program starts; until then, and in
// the tests, every text stays English.

#include <string>
#include <string_view>

// lupdate reads this as Q_DECLARE_TR_FUNCTIONS: the context of Core's tr().
#define LMV_TRANSLATION_CONTEXT(name)
// lupdate reads this as QT_TRANSLATE_NOOP; the text itself stays English.
#define LMV_TRANSLATE_NOOP(context, text) u"" text

namespace lumivane {

class Core {
    LMV_TRANSLATION_CONTEXT(Core)

public:
    // Gives a text of the context "Core" in the user's language, the English text itself
    // when it has no translation.
    using Translator = std::u16string (*)(std::u16string_view english);

    // A source text written in the code (ASCII English).
    static std::u16string tr(const char* english);
    // A text marked with LMV_TRANSLATE_NOOP.
    static std::u16string translated(std::u16string_view english);

    // Called once, before the first text is asked for; nullptr keeps English.
    static void set_translator(Translator translator);
};

}  // namespace lumivane

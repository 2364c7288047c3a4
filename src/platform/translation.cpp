#include "platform/translation.h"

#include <atomic>

#include "platform/text_encoding.h"

namespace lumivane {

namespace {

// Set once as the program starts; the picture threads read it as they report.
std::atomic<Core::Translator> core_translator{nullptr};

}  // namespace

std::u16string Core::tr(const char* english) { return translated(ascii_to_utf16(english)); }

std::u16string Core::translated(std::u16string_view english) {
    const Translator translator = core_translator.load(std::memory_order_acquire);
    return translator ? translator(english) : std::u16string(english);
}

void Core::set_translator(Translator translator) { core_translator.store(translator, std::memory_order_release); }

}  // namespace lumivane

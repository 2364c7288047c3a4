#include "document/version_check.h"

#include "document/number_parsing.h"
#include "platform/message_boxes.h"
#include "platform/translation.h"

namespace lumivane {

void version_check(UserInterface& ui, const std::u16string& token, double written_version, const std::u16string& kind) {
    double version = 0.0;
    if (parse_real(token, version)) {
        warning_box(ui, Core::tr("%s file has invalid version number"), Core::translated(kind));
    } else if (version > written_version) {
        warning_box(ui, Core::tr("%s file was created for a newer version of Lumivane -- some settings may be ignored"),
                    Core::translated(kind));
    } else if (version < written_version) {
        warning_box(ui,
                    Core::tr("%s file was created for an older version of Lumivane -- "
                             "some settings may assigned default values"),
                    Core::translated(kind));
    }
}

}  // namespace lumivane

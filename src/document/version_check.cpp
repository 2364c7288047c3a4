#include "document/version_check.h"

#include "document/number_parsing.h"
#include "platform/message_boxes.h"
#include "platform/translation.h"

namespace lumivane {

VersionDifference version_difference(const std::u16string& token, double written_version) {
    double version = 0.0;
    if (parse_real(token, version)) return VersionDifference::Invalid;
    if (version > written_version) return VersionDifference::Newer;
    if (version < written_version) return VersionDifference::Older;
    return VersionDifference::Same;
}

void report_version_difference(UserInterface& ui, VersionDifference difference, const std::u16string& kind) {
    switch (difference) {
    case VersionDifference::Invalid:
        warning_box(ui, Core::tr("%s file has invalid version number"), Core::translated(kind));
        break;
    case VersionDifference::Newer:
        warning_box(ui, Core::tr("%s file was created for a newer version of Lumivane -- some settings may be ignored"),
                    Core::translated(kind));
        break;
    case VersionDifference::Older:
        warning_box(ui,
                    Core::tr("%s file was created for an older version of Lumivane -- "
                             "some settings may assigned default values"),
                    Core::translated(kind));
        break;
    case VersionDifference::Same: break;
    }
}

void version_check(UserInterface& ui, const std::u16string& token, double written_version, const std::u16string& kind) {
    report_version_difference(ui, version_difference(token, written_version), kind);
}

}  // namespace lumivane

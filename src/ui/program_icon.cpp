#include "ui/program_icon.h"

// The icons are compiled into the static user interface library, whose resources are
// registered only when something asks for them.
static void register_icon_resources() { Q_INIT_RESOURCE(icons); }

namespace lumivane {

QIcon program_icon() {
    register_icon_resources();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/lumivane-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace lumivane

#include "ui/dialog_colours.h"

#include <QPalette>
#include <QWidget>

namespace lumivane {

void apply_dialog_colours(QWidget& dialog) {
    const QColor grey(128, 128, 128);
    const QColor light_grey(192, 192, 192);
    QPalette palette = dialog.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, grey);
        palette.setColor(group, QPalette::Button, grey);
        palette.setColor(group, QPalette::Base, light_grey);
        for (const QPalette::ColorRole text : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
            palette.setColor(group, text, Qt::black);
        }
    }
    palette.setColor(QPalette::Disabled, QPalette::Window, grey);
    palette.setColor(QPalette::Disabled, QPalette::Button, grey);
    palette.setColor(QPalette::Disabled, QPalette::Base, grey);
    // Dimmed, yet readable on grey.
    for (const QPalette::ColorRole text : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Disabled, text, QColor(64, 64, 64));
    }
    dialog.setPalette(palette);
    dialog.setAutoFillBackground(true);
}

}  // namespace lumivane

#pragma once
// The colours of the program's dialogs: a grey background, black text on grey (128)
// for labels and buttons, black text on light grey (192) for edits and lists.

class QWidget;

namespace lumivane {

void apply_dialog_colours(QWidget& dialog);

}  // namespace lumivane

#pragma once
// The about box: the program's title with its version, what it is and where its help is.

#include <QDialog>

namespace lumivane {

class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* owner);
};

}  // namespace lumivane

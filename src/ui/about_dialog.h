#pragma once
// The about box: the program's title with its version, what it is and where its help is.

#include <QCoreApplication>
#include <QDialog>

namespace lumivane {

class AboutDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(AboutDialog)

public:
    explicit AboutDialog(QWidget* owner);
};

}  // namespace lumivane

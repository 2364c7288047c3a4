#include "ui/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_context.h"

namespace lumivane {

AboutDialog::AboutDialog(QWidget* owner) : QDialog(owner) {
    setWindowTitle(tr("About Lumivane"));
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    auto* title = new QLabel(QString::fromStdU16String(program_title()), this);
    title->setObjectName(QStringLiteral("title"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    for (const QString& line : {tr("A slide show player and editor for photographs."),
                                tr("Help > Open Help File (F1) explains every window.")}) {
        layout->addWidget(new QLabel(line, this), 0, Qt::AlignHCenter);
    }
    layout->addSpacing(8);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace lumivane

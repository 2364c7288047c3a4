#include "ui/preferences_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_context.h"
#include "app/motion_setting.h"
#include "playback/motion.h"
#include "playback/timeline.h"

namespace lumivane {

namespace {

// The list's row for a value, none for a value it does not offer.
// The rows are the setting's values.
template <typename E>
QComboBox* make_list(QWidget* parent, const char* name, const QStringList& entries, E setting) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(entries);
    const auto value = static_cast<int>(setting);
    list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
    return list;
}

// A list without a choice keeps the value.
template <typename E>
void take_row(const QComboBox* list, E& value) {
    if (list->currentIndex() >= 0) value = static_cast<E>(list->currentIndex());
}

QHBoxLayout* ok_cancel_row(QDialog* dialog) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(PreferencesDialog::tr("OK"), dialog);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    auto* cancel = new QPushButton(PreferencesDialog::tr("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

}  // namespace

PreferencesDialog::PreferencesDialog(AppContext& context, QWidget* owner) : QDialog(owner), context_(context) {
    stop_show(context.player, false);
    setWindowTitle(tr("Preferences"));
    monitor_profile_ =
        make_list(this, "monitor_profile", {tr("sRGB"), tr("Adobe RGB"), tr("DCI-P3")}, context.monitor_profile);
    frame_rate_ = make_list(this, "frame_rate", {tr("60 fps"), tr("50 fps")}, context.frame_rate);
    motion_ = make_list(this, "motion", {tr("Exact"), tr("Smooth")}, context.motion);
    caption_ = make_list(this, "caption", {tr("File name"), tr("Title"), tr("Description"), tr("Date taken")},
                         context.caption_source);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Monitor Profile: "), this), 0, 0, Qt::AlignRight);
    grid->addWidget(monitor_profile_, 0, 1);
    grid->addWidget(new QLabel(tr("Frame Rate: "), this), 1, 0, Qt::AlignRight);
    grid->addWidget(frame_rate_, 1, 1);
    grid->addWidget(new QLabel(tr("Motion: "), this), 2, 0, Qt::AlignRight);
    grid->addWidget(motion_, 2, 1);
    grid->addWidget(new QLabel(tr("Caption: "), this), 3, 0, Qt::AlignRight);
    grid->addWidget(caption_, 3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(ok_cancel_row(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PreferencesDialog::accept() {
    take_row(monitor_profile_, context_.monitor_profile);
    take_row(frame_rate_, context_.frame_rate);
    take_row(caption_, context_.caption_source);
    Motion motion = context_.motion;
    take_row(motion_, motion);
    QDialog::accept();
    if (motion != context_.motion) static_cast<void>(set_motion(context_, motion));  // slides left out are named
}

}  // namespace lumivane

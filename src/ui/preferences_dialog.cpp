#include "ui/preferences_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "app/app_context.h"
#include "app/monitor_setting.h"
#include "app/motion_setting.h"
#include "playback/motion.h"
#include "playback/timeline.h"
#include "ui/dialog_colours.h"

namespace lumivane {

namespace {

// The list's row for a value, none for a value it does not offer.
QComboBox* make_list(QWidget* parent, const char* name, const QStringList& entries, std::int32_t value) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(entries);
    list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
    return list;
}

// A list without a choice keeps the value.
void take_row(const QComboBox* list, std::int32_t& value) {
    if (list->currentIndex() >= 0) value = list->currentIndex();
}

QHBoxLayout* ok_cancel_row(QDialog* dialog) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

}  // namespace

PreferencesDialog::PreferencesDialog(AppContext& context, QWidget* owner)
    : QDialog(owner), context_(context), profile_file_(context.monitor.file), profile_row_(context.monitor.profile) {
    stop_show(context.player, false);
    setWindowTitle(QStringLiteral("Preferences"));
    apply_dialog_colours(*this);
    monitor_profile_ = make_list(this, "monitor_profile",
                                 {QStringLiteral("sRGB"), QStringLiteral("Adobe RGB"), QStringLiteral("DCI-P3"),
                                  QCoreApplication::translate("PreferencesDialog", "Display profile"), QString()},
                                 context.monitor.profile);
    // The file's entry grows with the file's name.
    monitor_profile_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    show_profile_file();
    connect(monitor_profile_, &QComboBox::activated, this, [this](int row) {
        if (row == monitor_file) {
            choose_profile_file();
        } else {
            profile_row_ = row;
        }
    });
    frame_rate_ = make_list(this, "frame_rate", {"60 fps", "50 fps"}, context.frame_rate);
    motion_ = make_list(this, "motion", {"Exact", "Smooth"}, context.motion);
    caption_ = make_list(this, "caption", {"File name", "Title", "Description", "Date taken"}, context.caption_source);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Monitor Profile: "), this), 0, 0, Qt::AlignRight);
    grid->addWidget(monitor_profile_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Frame Rate: "), this), 1, 0, Qt::AlignRight);
    grid->addWidget(frame_rate_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Motion: "), this), 2, 0, Qt::AlignRight);
    grid->addWidget(motion_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Caption: "), this), 3, 0, Qt::AlignRight);
    grid->addWidget(caption_, 3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(ok_cancel_row(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PreferencesDialog::choose_profile_file() {
    // The first time, the folder where the desktop keeps its profiles.
    const QString folder =
        profile_file_.empty()
            ? QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("color/icc"),
                                     QStandardPaths::LocateDirectory)
            : QFileInfo(QString::fromStdU16String(profile_file_)).path();
    const QString path = QFileDialog::getOpenFileName(
        this, QCoreApplication::translate("PreferencesDialog", "Monitor Profile"), folder,
        QCoreApplication::translate("PreferencesDialog", "Color profiles (*.icc *.icm *.ICC *.ICM);;All files (*)"));
    std::vector<std::uint8_t> icc;
    if (!path.isEmpty() && !read_monitor_profile_file(context_.ui, path.toStdU16String(), icc)) {
        profile_file_ = path.toStdU16String();
        profile_row_ = monitor_file;
        show_profile_file();
    }
    monitor_profile_->setCurrentIndex(profile_row_);
}

// The file's entry names the file once there is one.
void PreferencesDialog::show_profile_file() {
    const QString path = QString::fromStdU16String(profile_file_);
    monitor_profile_->setItemText(
        monitor_file, path.isEmpty() ? QCoreApplication::translate("PreferencesDialog", "Profile file...")
                                     : QCoreApplication::translate("PreferencesDialog", "Profile file: %1")
                                           .arg(QFileInfo(path).fileName()));
    monitor_profile_->setItemData(monitor_file, path, Qt::ToolTipRole);
}

void PreferencesDialog::accept() {
    // The file's entry counts only with a file.
    const int profile = monitor_profile_->currentIndex();
    if (profile >= 0 && (profile != monitor_file || !profile_file_.empty())) context_.monitor.profile = profile;
    context_.monitor.file = profile_file_;
    take_row(frame_rate_, context_.frame_rate);
    take_row(caption_, context_.caption_source);
    std::int32_t motion = context_.motion;
    take_row(motion_, motion);
    QDialog::accept();
    if (motion != context_.motion) static_cast<void>(set_motion(context_, motion));  // slides left out are named
}

}  // namespace lumivane

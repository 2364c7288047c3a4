#include "ui/preferences_dialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>

#include "app/app_context.h"
#include "app/monitor_setting.h"
#include "app/motion_setting.h"
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

// "Primary", then the screens by number.
QStringList screen_entries() {
    QStringList entries{PreferencesDialog::tr("Primary")};
    const auto count = std::min<qsizetype>(QGuiApplication::screens().size(), max_playback_screen);
    for (qsizetype i = 1; i <= count; ++i) entries.push_back(QString::number(i));
    return entries;
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

// The list's row of a profile file.
constexpr int file_row = static_cast<int>(MonitorProfile::File);

}  // namespace

PreferencesDialog::PreferencesDialog(AppContext& context, QWidget* owner)
    : QDialog(owner),
      context_(context),
      profile_file_(context.monitor.file),
      profile_row_(static_cast<int>(context.monitor.profile)) {
    stop_show(context.player, false);
    setWindowTitle(tr("Preferences"));
    monitor_profile_ = make_list(this, "monitor_profile",
                                 {tr("sRGB"), tr("Adobe RGB"), tr("DCI-P3"), tr("Display profile"), QString()},
                                 context.monitor.profile);
    // The file's entry grows with the file's name.
    monitor_profile_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    show_profile_file();
    connect(monitor_profile_, &QComboBox::activated, this, [this](int row) {
        if (row == file_row) {
            choose_profile_file();
        } else {
            profile_row_ = row;
        }
    });
    frame_rate_ = make_list(this, "frame_rate", {tr("60 fps"), tr("50 fps")}, context.frame_rate);
    motion_ = make_list(this, "motion", {tr("Exact"), tr("Smooth")}, context.motion);
    caption_ = make_list(this, "caption", {tr("File name"), tr("Title"), tr("Description"), tr("Date taken")},
                         context.caption_source);
    drawing_ = make_list(this, "drawing", {tr("Automatic"), tr("Graphics processor"), tr("Processor")},
                         context.drawing);
    screen_ = make_list(this, "screen", screen_entries(), context.playback_screen);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Monitor Profile: "), this), 0, 0, Qt::AlignRight);
    grid->addWidget(monitor_profile_, 0, 1);
    grid->addWidget(new QLabel(tr("Frame Rate: "), this), 1, 0, Qt::AlignRight);
    grid->addWidget(frame_rate_, 1, 1);
    grid->addWidget(new QLabel(tr("Motion: "), this), 2, 0, Qt::AlignRight);
    grid->addWidget(motion_, 2, 1);
    grid->addWidget(new QLabel(tr("Caption: "), this), 3, 0, Qt::AlignRight);
    grid->addWidget(caption_, 3, 1);
    grid->addWidget(new QLabel(tr("Drawing: "), this), 4, 0, Qt::AlignRight);
    grid->addWidget(drawing_, 4, 1);
    grid->addWidget(new QLabel(tr("Screen: "), this), 5, 0, Qt::AlignRight);
    grid->addWidget(screen_, 5, 1);
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
    const QString path = QFileDialog::getOpenFileName(this, tr("Monitor Profile"), folder,
                                                      tr("Color profiles (*.icc *.icm *.ICC *.ICM);;All files (*)"));
    std::vector<std::uint8_t> icc;
    if (!path.isEmpty() && !read_monitor_profile_file(context_.ui, path.toStdU16String(), icc)) {
        profile_file_ = path.toStdU16String();
        profile_row_ = file_row;
        show_profile_file();
    }
    monitor_profile_->setCurrentIndex(profile_row_);
}

// The file's entry names the file once there is one.
void PreferencesDialog::show_profile_file() {
    const QString path = QString::fromStdU16String(profile_file_);
    monitor_profile_->setItemText(file_row, path.isEmpty() ? tr("Profile file...")
                                                           : tr("Profile file: %1").arg(QFileInfo(path).fileName()));
    monitor_profile_->setItemData(file_row, path, Qt::ToolTipRole);
}

void PreferencesDialog::accept() {
    // The file's entry counts only with a file.
    const int profile = monitor_profile_->currentIndex();
    if (profile >= 0 && (profile != file_row || !profile_file_.empty())) {
        context_.monitor.profile = static_cast<MonitorProfile>(profile);
    }
    context_.monitor.file = profile_file_;
    take_row(frame_rate_, context_.frame_rate);
    take_row(caption_, context_.caption_source);
    Motion motion = context_.motion;
    take_row(motion_, motion);
    const Drawing drawing = context_.drawing;
    const std::int32_t screen = context_.playback_screen;
    take_row(drawing_, context_.drawing);
    take_row(screen_, context_.playback_screen);
    QDialog::accept();
    const bool new_window = drawing != context_.drawing || screen != context_.playback_screen;
    if (new_window && context_.playback.window) recreate_playback_window(context_.player);
    if (motion != context_.motion) set_motion(context_, motion);
}

}  // namespace lumivane

#include "ui/music_section.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <memory>

#include "app/app_context.h"
#include "platform/message_boxes.h"
#include "playback/music_fit.h"
#include "ui/qt_text.h"
#include "video/music_analysis.h"

namespace lumivane {

namespace {

QPushButton* make_button(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

MusicSection::MusicSection(AppContext& context, QWidget* parent)
    : QGroupBox(tr("Music"), parent), context_(context) {
    setObjectName(QStringLiteral("music"));
    for (const Slide& slide : context.show.slides) {
        std::vector<double>& delays = delays_.emplace_back();
        for (const PanFrame& frame : slide.frames) delays.push_back(frame.delay);
    }
    const ShowMusic& music = context.show.music;
    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("music_files"));
    for (const std::u16string& file : music.files) files_->addItem(qt(file));
    files_->setMinimumHeight(files_->fontMetrics().height() * 5);
    auto* add = make_button(this, "add_music", tr("Add..."));
    remove_ = make_button(this, "remove_music", tr("Remove"));
    up_ = make_button(this, "music_up", tr("Up"));
    down_ = make_button(this, "music_down", tr("Down"));
    volume_ = new QSpinBox(this);
    volume_->setObjectName(QStringLiteral("music_volume"));
    volume_->setRange(0, max_music_volume);
    volume_->setSuffix(QStringLiteral(" %"));
    volume_->setValue(static_cast<int>(music_gain(music) * max_music_volume + 0.5f));
    fade_ = new QDoubleSpinBox(this);
    fade_->setObjectName(QStringLiteral("music_fade"));
    fade_->setRange(0.0, max_music_fade);
    fade_->setDecimals(2);
    fade_->setSingleStep(0.5);
    fade_->setValue(music_fade_seconds(music));
    fit_ = make_button(this, "fit_music", tr("Fit slides to the music"));
    snap_ = make_button(this, "snap_music", tr("Snap slide changes to beats"));

    connect(add, &QPushButton::clicked, this, [this] { add_files(); });
    connect(remove_, &QPushButton::clicked, this, [this] {
        const std::unique_ptr<QListWidgetItem> removed(files_->takeItem(files_->currentRow()));
        update_buttons();
    });
    connect(up_, &QPushButton::clicked, this, [this] { move_file(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { move_file(1); });
    connect(files_, &QListWidget::currentRowChanged, this, [this] { update_buttons(); });
    connect(fit_, &QPushButton::clicked, this, [this] { time_slides(false); });
    connect(snap_, &QPushButton::clicked, this, [this] { time_slides(true); });

    auto* order = new QVBoxLayout;
    for (QPushButton* button : {add, remove_, up_, down_}) order->addWidget(button);
    order->addStretch(1);
    auto* list = new QHBoxLayout;
    list->addWidget(files_, 1);
    list->addLayout(order);
    auto* levels = new QGridLayout;
    levels->addWidget(new QLabel(tr("Volume: "), this), 0, 0, Qt::AlignRight);
    levels->addWidget(volume_, 0, 1);
    levels->addWidget(new QLabel(tr("Fade-out: "), this), 0, 2, Qt::AlignRight);
    levels->addWidget(fade_, 0, 3);
    levels->addWidget(new QLabel(tr("sec"), this), 0, 4);
    levels->setColumnStretch(5, 1);
    auto* timing = new QHBoxLayout;
    timing->addWidget(fit_);
    timing->addWidget(snap_);
    timing->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(list);
    layout->addLayout(levels);
    layout->addLayout(timing);
    update_buttons();
}

ShowMusic MusicSection::music() const {
    ShowMusic music;
    for (int i = 0; i < files_->count(); ++i) music.files.push_back(files_->item(i)->text().toStdU16String());
    music.volume = volume_->value();
    music.fade = fade_->value();
    return music;
}

void MusicSection::take() {
    const ShowMusic taken = music();
    if (taken == context_.show.music) return;
    context_.show.music = taken;
    context_.show.modified = true;
}

void MusicSection::restore() {
    std::vector<Slide>& slides = context_.show.slides;
    for (std::size_t i = 0; i < slides.size() && i < delays_.size(); ++i) {
        for (std::size_t k = 0; k < slides[i].frames.size() && k < delays_[i].size(); ++k) {
            slides[i].frames[k].delay = delays_[i][k];
        }
    }
}

void MusicSection::add_files() {
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, tr("Add Music"), qt(context_.show.show_folder),
        tr("Music") + QStringLiteral(" (*.mp3 *.m4a *.aac *.flac *.ogg *.oga *.opus *.wav)"));
    for (const QString& path : paths) {
        files_->addItem(qt(music_file_name(context_.show.show_folder, path.toStdU16String())));
    }
    if (!paths.isEmpty()) files_->setCurrentRow(files_->count() - 1);
    update_buttons();
}

void MusicSection::move_file(int by) {
    const int row = files_->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= files_->count()) return;
    files_->insertItem(to, files_->takeItem(row));
    files_->setCurrentRow(to);
}

void MusicSection::update_buttons() {
    const int row = files_->currentRow();
    remove_->setEnabled(row >= 0);
    up_->setEnabled(row > 0);
    down_->setEnabled(row >= 0 && row + 1 < files_->count());
    const bool timed = files_->count() > 0 && context_.show.slide_count() > 0;
    fit_->setEnabled(timed);
    snap_->setEnabled(timed);
}

void MusicSection::time_slides(bool beats) {
    std::vector<std::u16string> paths;
    for (const std::u16string& file : music().files) paths.push_back(music_file_path(context_.show.show_folder, file));
    MusicAnalysis analysis;
    std::u16string message;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool failed = analyse_music(paths, beats, analysis, message);
    QApplication::restoreOverrideCursor();
    if (failed) {
        error_box(context_.ui, u"%s", message);
        return;
    }
    if (beats ? snap_slides_to_beats(context_.show, analysis.beats)
              : fit_slides_to_length(context_.show, analysis.seconds)) {
        error_box(context_.ui, beats ? tr("No beats were found in the music").toStdU16String()
                                     : tr("The music is too short for the slides' transitions").toStdU16String());
        return;
    }
    context_.show.modified = true;
}

}  // namespace lumivane

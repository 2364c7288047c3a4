#include "ui/export_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>

#include "document/slide_show.h"
#include "platform/message_boxes.h"
#include "ui/qt_text.h"
#include "video/video_format.h"

namespace lumivane {

namespace {

const char video_file_types[] = QT_TRANSLATE_NOOP(
    "ExportDialog", "MP4 video, H.264 (*.mp4 *.m4v);;WebM video, VP9 (*.webm);;Matroska video, AV1 (*.mkv)");
const char music_file_types[] =
    QT_TRANSLATE_NOOP("ExportDialog", "Music (*.mp3 *.m4a *.aac *.ogg *.opus *.flac *.wav *.wma);;All files (*)");

// A line edit with a "Browse..." button after it.
QWidget* with_browse(QLineEdit* field, QPushButton*& button) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field, 1);
    button = new QPushButton(ExportDialog::tr("Browse..."));
    layout->addWidget(button);
    return row;
}

}  // namespace

ExportDialog::ExportDialog(QWidget* parent, UserInterface& ui, const ShowSettings& settings,
                           const ExportOptions& options)
    : QDialog(parent), ui_(ui) {
    setWindowTitle(tr("Export Video"));
    auto* form = new QFormLayout;

    output_ = new QLineEdit(qt(options.output));
    output_->setMinimumWidth(output_->fontMetrics().averageCharWidth() * 48);
    QPushButton* browse_output_button = nullptr;
    form->addRow(tr("Video file:"), with_browse(output_, browse_output_button));

    size_ = new QComboBox;
    for (const std::int32_t height : export_heights) {
        const VideoSize size = export_size(settings, height);
        size_->addItem(QStringLiteral("%1 x %2").arg(size.width).arg(size.height), QSize(size.width, size.height));
    }
    const QSize chosen(options.width, options.height);
    if (size_->findData(chosen) < 0) {
        size_->addItem(QStringLiteral("%1 x %2").arg(options.width).arg(options.height), chosen);
    }
    size_->setCurrentIndex(size_->findData(chosen));
    form->addRow(tr("Size:"), size_);

    rate_ = new QComboBox;
    for (const std::int32_t fps : export_frame_rates) rate_->addItem(tr("%1 frames a second").arg(fps), fps);
    rate_->setCurrentIndex(std::max(0, rate_->findData(options.frames_per_second)));
    form->addRow(tr("Frame rate:"), rate_);

    quality_ = new QSpinBox;
    quality_hint_ = new QLabel;
    auto* quality_row = new QWidget;
    auto* quality_layout = new QHBoxLayout(quality_row);
    quality_layout->setContentsMargins(0, 0, 0, 0);
    quality_layout->addWidget(quality_);
    quality_layout->addWidget(quality_hint_, 1);
    form->addRow(tr("Quality (CRF):"), quality_row);

    motion_ = new QComboBox;
    motion_->addItem(tr("Exact"), static_cast<int>(Motion::Exact));
    motion_->addItem(tr("Smooth"), static_cast<int>(Motion::Smooth));
    motion_->setCurrentIndex(std::max(0, motion_->findData(static_cast<int>(options.motion))));
    form->addRow(tr("Motion:"), motion_);

    music_ = new QLineEdit(qt(options.audio));
    music_->setPlaceholderText(tr("the show's own music, if any"));
    music_->setClearButtonEnabled(true);
    QPushButton* browse_music_button = nullptr;
    form->addRow(tr("Music:"), with_browse(music_, browse_music_button));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Export"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(browse_output_button, &QPushButton::clicked, this, [this] { browse_output(); });
    connect(browse_music_button, &QPushButton::clicked, this, [this] { browse_music(); });
    connect(output_, &QLineEdit::textChanged, this, [this] { follow_format(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    follow_format();
    if (options.crf >= 0) quality_->setValue(options.crf);
}

void ExportDialog::follow_format() {
    const VideoFormat* format = video_format_for(output_->text().toStdU16String());
    if (!format || format == format_) return;
    format_ = format;
    quality_->setRange(format->crf_min, format->crf_max);
    quality_->setValue(format->crf_default);
    quality_hint_->setText(tr("%1 to %2, lower is better; %3 for %4")
                               .arg(format->crf_min)
                               .arg(format->crf_max)
                               .arg(format->crf_default)
                               .arg(qt(format->codec_name)));
}

void ExportDialog::browse_output() {
    QFileDialog dialog(this, tr("Export Video"), output_->text(), tr(video_file_types));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("mp4"));
    dialog.selectFile(output_->text());
    // The type shown first is the one the current name has.
    const QString suffix = QFileInfo(output_->text()).suffix().toLower();
    for (const QString& filter : tr(video_file_types).split(QStringLiteral(";;"))) {
        if (!suffix.isEmpty() && filter.contains(QStringLiteral("*.") + suffix)) dialog.selectNameFilter(filter);
    }
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        output_->setText(dialog.selectedFiles().front());
    }
}

void ExportDialog::browse_music() {
    const QString start = music_->text().isEmpty() ? QFileInfo(output_->text()).path() : music_->text();
    const QString file = QFileDialog::getOpenFileName(this, tr("Music for the video"), start, tr(music_file_types));
    if (!file.isEmpty()) music_->setText(file);
}

ExportOptions ExportDialog::options() const {
    ExportOptions options;
    options.output = output_->text().trimmed().toStdU16String();
    const QSize size = size_->currentData().toSize();
    options.width = size.width();
    options.height = size.height();
    options.frames_per_second = rate_->currentData().toInt();
    options.crf = quality_->value();
    options.motion = static_cast<Motion>(motion_->currentData().toInt());
    options.audio = music_->text().trimmed().toStdU16String();
    return options;
}

void ExportDialog::accept() {
    // The name's extension chooses the format; a name without one becomes MP4.
    const std::u16string typed = output_->text().trimmed().toStdU16String();
    if (!typed.empty() && QFileInfo(output_->text()).suffix().isEmpty()) output_->setText(output_->text() + QStringLiteral(".mp4"));
    const std::u16string problem = export_options_problem(options());
    if (!problem.empty()) {
        error_box(ui_, u"%s", problem);
        return;
    }
    QDialog::accept();
}

}  // namespace lumivane

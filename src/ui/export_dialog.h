#pragma once
// The "Export Video" dialog: the video file (through the save dialog), its size, frame
// rate, quality and motion, and a music file. OK checks the choices as the command line
// does and keeps the dialog open to mend them.

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "video/export_options.h"

namespace lumivane {

struct ShowSettings;
class UserInterface;

class ExportDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(ExportDialog)

public:
    // Opens with options, their size and quality resolved for the show.
    ExportDialog(QWidget* parent, UserInterface& ui, const ShowSettings& settings, const ExportOptions& options);

    // The choices, resolved.
    ExportOptions options() const;

    void accept() override;

    // Its parts, for tests and pictures.
    QLineEdit* output_field() const { return output_; }
    QComboBox* size_box() const { return size_; }
    QComboBox* rate_box() const { return rate_; }
    QSpinBox* quality_box() const { return quality_; }
    QComboBox* motion_box() const { return motion_; }
    QLineEdit* music_field() const { return music_; }

private:
    void browse_output();
    void browse_music();
    // The quality's range and default follow the format the file name asks for.
    void follow_format();

    UserInterface& ui_;
    QLineEdit* output_;
    QComboBox* size_;
    QComboBox* rate_;
    QSpinBox* quality_;
    QLabel* quality_hint_;
    QComboBox* motion_;
    QLineEdit* music_;
    const void* format_ = nullptr;  // the format the quality was set for
};

}  // namespace lumivane

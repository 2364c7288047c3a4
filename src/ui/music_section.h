#pragma once
// The Music section of "Slide Show Properties": the show's sound files in the order they
// play (add, remove, move up and down), their volume and fade-out, and timing the slides
// to them: "Fit slides to the music" and "Snap slide changes to beats". The timing edits
// change the slides at once; Cancel puts their delays back, OK takes the files.

#include <QCoreApplication>
#include <QGroupBox>

#include <vector>

#include "document/show_music.h"

class QDoubleSpinBox;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace lumivane {

struct AppContext;

class MusicSection : public QGroupBox {
    Q_DECLARE_TR_FUNCTIONS(MusicSection)

public:
    MusicSection(AppContext& context, QWidget* parent);

    // The music as the section shows it.
    ShowMusic music() const;
    // OK: the music goes to the show, which is modified when it changed.
    void take();
    // Cancel: the slides' delays as they were at opening.
    void restore();

private:
    void add_files();
    void move_file(int by);
    void update_buttons();
    // Fit (without beats) or snap (with them), as an edit of the slides.
    void time_slides(bool beats);

    AppContext& context_;
    std::vector<std::vector<double>> delays_;  // every slide's key frames' at opening
    QListWidget* files_;
    QPushButton* remove_;
    QPushButton* up_;
    QPushButton* down_;
    QSpinBox* volume_;
    QDoubleSpinBox* fade_;
    QPushButton* fit_;
    QPushButton* snap_;
};

}  // namespace lumivane
